// SPDX-License-Identifier: GPL-3.0-or-later
// The colour corrector: a button over the whole picture, and the images redrawn on every
// pointer move of a range drag.
#include "colour/corrector.h"
#include "display/renderer.h"
#include "display/view_painter.h"
#include "support/test_pictures.h"

#include <benchmark/benchmark.h>

namespace {

void BM_CorrectorOperationWholePicture(benchmark::State& state) {
    MgsImage picture = RandomPicture(8);
    CorrectorRangeRecord range;
    range.c1 = 31, range.r1 = 23;
    for (auto _ : state) {
        ApplyCorrectorOperation(picture, range, CorrectorOperation::InvertAllBoth);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_CorrectorOperationWholePicture)->Unit(benchmark::kMicrosecond);

// What RedrawCorrector makes: four strips, two screen views and two char views.
void BM_RedrawCorrectorImages(benchmark::State& state) {
    const MgsImage picture = RandomPicture(8);
    RenderImages images = RenderImages::Create();
    RenderPicture(picture, images);
    const LinePatterns patterns = LinePatterns::Create();
    CorrectorRangeRecord range;
    range.c0 = range.c1 = 12, range.r0 = range.r1 = 9;
    for (auto _ : state) {
        for (int index : CorrectorStripIndices(picture, range))
            benchmark::DoNotOptimize(MarkedZxStrip(index));
        for (const QImage& screen : images.ScreenImage) {
            benchmark::DoNotOptimize(CorrectorScreenView(screen));
            benchmark::DoNotOptimize(CorrectorCharView(screen, range, 8, patterns));
        }
    }
}
BENCHMARK(BM_RedrawCorrectorImages)->Unit(benchmark::kMicrosecond);

} // namespace
