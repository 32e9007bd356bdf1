// SPDX-License-Identifier: GPL-3.0-or-later
// Editing operations on the largest rectangle: flips, the turn and a roll of the whole
// picture, and a paste of a full-screen block from the clipboard.
#include "editing/selection.h"
#include "editing/transforms.h"
#include "support/test_pictures.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

void BM_TransformWholePicture(benchmark::State& state) {
    const auto transform = static_cast<Transform>(state.range(0));
    auto picture = std::make_unique<MgsImage>(RandomPicture(8));
    auto sel = std::make_unique<SelectionRecord>();
    SelectAll(*sel, 8);
    for (auto _ : state) {
        ApplyTransform(*picture, *sel, transform);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_TransformWholePicture)
    ->ArgName("transform")
    ->Arg(static_cast<int>(Transform::FlipHorizontal))
    ->Arg(static_cast<int>(Transform::FlipVertical))
    ->Arg(static_cast<int>(Transform::Rotate90))
    ->Arg(static_cast<int>(Transform::RollLeft))
    ->Unit(benchmark::kMicrosecond);

// The clipboard block is read and checked on every paste, as it is in the program.
void BM_PasteFullScreenBlock(benchmark::State& state) {
    auto source = std::make_unique<MgsImage>(RandomPicture(8, 2));
    auto sel = std::make_unique<SelectionRecord>();
    SelectAll(*sel, 8);
    CopySelection(*sel, *source, false, {}, 4, 0);
    const std::vector<uint8_t> block = ClipboardBlock(*sel);
    auto picture = std::make_unique<MgsImage>(RandomPicture(8, 3));
    for (auto _ : state) {
        benchmark::DoNotOptimize(Paste(*sel, *picture, block, true, {0, 0}, 4));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PasteFullScreenBlock)->Unit(benchmark::kMicrosecond);

void BM_ClipboardBlockOfCopy(benchmark::State& state) {
    auto picture = std::make_unique<MgsImage>(RandomPicture(8, 4));
    auto sel = std::make_unique<SelectionRecord>();
    SelectAll(*sel, 8);
    for (auto _ : state) {
        CopySelection(*sel, *picture, false, {}, 4, 0);
        benchmark::DoNotOptimize(ClipboardBlock(*sel));
    }
}
BENCHMARK(BM_ClipboardBlockOfCopy)->Unit(benchmark::kMicrosecond);

} // namespace
