// SPDX-License-Identifier: GPL-3.0-or-later
// PNG export at 1280 x 960 (both options of that size): composing and encoding in memory,
// and the whole export to a file. The label gives the PNG's size in bytes.
#include "display/renderer.h"
#include "formats/png_export.h"
#include "support/test_pictures.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <string>

namespace {

// Row 4 is "1280 x 960 without border" (x5), row 9 "1280 x 960 (1024x768 with border)".
// Argument 1 picks the picture: 0 random bytes (the worst case for compression), 1 a
// drawing-like picture with large flat areas.
MgsImage BenchPicture(int kind) {
    if (kind == 0)
        return RandomPicture(8);
    MgsImage picture = RandomPicture(8, 5);
    for (int s = 0; s < 2; ++s) {
        for (int c = 0; c < kByteColumns; ++c) {
            for (int y = 0; y < kPixelRows; ++y) {
                const int i = PlaneIndex(c, y);
                picture.PixelPlane[s][i] = (c / 4 + y / 16) % 3 == 0 ? picture.PixelPlane[s][i] : 0;
                picture.AttrPlane[s][i] = {static_cast<uint8_t>((c / 8 + s) % 15),
                                           static_cast<uint8_t>((y / 24 + 3) % 15)};
            }
        }
    }
    return picture;
}

void BM_EncodePng1280x960(benchmark::State& state) {
    const PngOption& option = PngOptions[static_cast<size_t>(state.range(0))];
    const MgsImage picture = BenchPicture(static_cast<int>(state.range(1)));
    RenderImages images = RenderImages::Create();
    RenderPicture(picture, images);
    qsizetype size = 0;
    for (auto _ : state) {
        const PngBytes png =
            EncodePng(ComposePngImage(images.MixedImage, option, PngBorderColour(picture)));
        size = png.Bytes.size();
        benchmark::DoNotOptimize(png.Bytes.constData());
    }
    state.SetLabel(std::string(option.Caption) + (state.range(1) == 0 ? ", random" : ", flat") +
                   ", " + std::to_string(size) + " bytes");
}
BENCHMARK(BM_EncodePng1280x960)
    ->Args({4, 0})
    ->Args({4, 1})
    ->Args({9, 0})
    ->Args({9, 1})
    ->Unit(benchmark::kMillisecond);

void BM_ExportPngFile1280x960(benchmark::State& state) {
    const PngOption& option = PngOptions[9];
    const MgsImage picture = BenchPicture(0);
    RenderImages images = RenderImages::Create();
    RenderPicture(picture, images);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench.png"));
    for (auto _ : state) {
        if (!ExportPng(images.MixedImage, PngBorderColour(picture), option, path).isEmpty())
            state.SkipWithError("export failed");
    }
}
BENCHMARK(BM_ExportPngFile1280x960)->Unit(benchmark::kMillisecond);

} // namespace
