// SPDX-License-Identifier: GPL-3.0-or-later
// Picture conversion of a 256 x 192 photo at every char height, without dithering and with
// error diffusion, on all cores. TILESMITH_BENCH_PHOTO names a photo to use; without it a
// made-up one with smooth shading, edges and grain stands in.
#include "colour/picture_conversion.h"
#include "formats/picture_import.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>

namespace {

QImage Photo() {
    const QString named = qEnvironmentVariable("TILESMITH_BENCH_PHOTO");
    if (!named.isEmpty()) {
        const SourceImage source = ReadSourceImage(named);
        if (source.Error.isEmpty())
            return PlaceImage(source.Image, Placement::Fill).Target;
    }
    std::mt19937 random(5);
    QImage image(256, 192, QImage::Format_RGB32);
    for (int y = 0; y < 192; ++y) {
        for (int x = 0; x < 256; ++x) {
            const double d = std::hypot(x - 150, y - 90);
            const int grain = static_cast<int>(random() % 17) - 8;
            auto level = [&](double v) { return std::clamp(static_cast<int>(v) + grain, 0, 255); };
            const bool disc = d < 50;
            image.setPixel(x, y,
                           qRgb(level(disc ? 220 - d : 90 + 60 * std::sin(x / 30.0)),
                                level(disc ? 80 + d : 140 + 50 * std::cos(y / 25.0)),
                                level(disc ? 40 : 60 + x / 3.0)));
        }
    }
    return image;
}

void BM_ConvertImage(benchmark::State& state) {
    const QImage photo = Photo();
    const ConversionOptions options{static_cast<int>(state.range(0)),
                                    static_cast<DitherMode>(state.range(1)), false, false};
    for (auto _ : state)
        benchmark::DoNotOptimize(ConvertImage(photo, options));
}
BENCHMARK(BM_ConvertImage)
    ->ArgsProduct({{8, 4, 2, 1},
                   {static_cast<int>(DitherMode::None), static_cast<int>(DitherMode::Diffusion)}})
    ->ArgNames({"height", "dither"})
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

} // namespace
