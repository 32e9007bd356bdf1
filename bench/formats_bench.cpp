// SPDX-License-Identifier: GPL-3.0-or-later
// Loading and saving pictures: every format parsed and written in memory, and through the
// file layer (QFile to read, QSaveFile to write) in a temporary folder.
#include "formats/picture_file.h"
#include "formats/picture_formats.h"
#include "support/test_pictures.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

const PictureFormat& FormatAt(const benchmark::State& state) {
    return PictureFormats[static_cast<size_t>(state.range(0))];
}

// Bytes of a file in the format: the format's own writer, or for the import-only formats
// the screens with a header in front (.$img, .$scr) or the first screen alone (.scr).
QByteArray FileFor(const PictureFormat& format, const MgsImage& picture) {
    if (format.Write != nullptr)
        return format.Write(picture);
    const QByteArray img = WriteImg(picture);
    const QByteArray header(kZxHeaderSize, '\0');
    if (format.Read == ReadHeaderedImg)
        return header + img;
    const QByteArray scr = img.left(6912);
    return format.Read == ReadHeaderedScr ? header + scr : scr;
}

void EveryFormat(benchmark::internal::Benchmark* bench, bool writableOnly) {
    for (size_t i = 0; i < PictureFormats.size(); ++i) {
        if (!writableOnly || PictureFormats[i].Write != nullptr)
            bench->Arg(static_cast<int64_t>(i));
    }
    bench->Unit(benchmark::kMicrosecond);
}

void BM_ParsePicture(benchmark::State& state) {
    const PictureFormat& format = FormatAt(state);
    const MgsImage picture = RandomPicture(format.Extension == ".mg1" ? 1 : 4);
    const QByteArray bytes = FileFor(format, picture);
    const std::span<const uint8_t> span(reinterpret_cast<const uint8_t*>(bytes.constData()),
                                        static_cast<size_t>(bytes.size()));
    MgsImage staging;
    for (auto _ : state) {
        staging = picture;
        benchmark::DoNotOptimize(ParsePicture(format, span, staging));
        benchmark::ClobberMemory();
    }
    state.SetLabel(std::string(format.Extension));
}
BENCHMARK(BM_ParsePicture)->Apply([](auto* b) { EveryFormat(b, false); });

void BM_WritePicture(benchmark::State& state) {
    const PictureFormat& format = FormatAt(state);
    const MgsImage picture = RandomPicture(format.Extension == ".mg1" ? 1 : 4);
    for (auto _ : state)
        benchmark::DoNotOptimize(format.Write(picture));
    state.SetLabel(std::string(format.Extension));
}
BENCHMARK(BM_WritePicture)->Apply([](auto* b) { EveryFormat(b, true); });

void BM_LoadPictureFile(benchmark::State& state) {
    const PictureFormat& format = FormatAt(state);
    const MgsImage picture = RandomPicture(format.Extension == ".mg1" ? 1 : 4);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench") + ExtensionText(format));
    if (!WriteFileBytes(path, FileFor(format, picture)).isEmpty()) {
        state.SkipWithError("cannot write the input file");
        return;
    }
    const MgsImage current;
    for (auto _ : state) {
        const LoadResult load = LoadPictureFile(path, format, current);
        if (!load.Loaded()) {
            state.SkipWithError("load failed");
            break;
        }
        benchmark::DoNotOptimize(load);
    }
    state.SetLabel(std::string(format.Extension));
}
BENCHMARK(BM_LoadPictureFile)->Apply([](auto* b) { EveryFormat(b, false); });

void BM_SavePictureFile(benchmark::State& state) {
    const PictureFormat& format = FormatAt(state);
    const MgsImage picture = RandomPicture(format.Extension == ".mg1" ? 1 : 4);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench") + ExtensionText(format));
    for (auto _ : state) {
        if (!SavePictureFile(path, format, picture).isEmpty()) {
            state.SkipWithError("save failed");
            break;
        }
    }
    state.SetLabel(std::string(format.Extension));
}
BENCHMARK(BM_SavePictureFile)->Apply([](auto* b) { EveryFormat(b, true); });

} // namespace
