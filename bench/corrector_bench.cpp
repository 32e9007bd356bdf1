// SPDX-License-Identifier: GPL-3.0-or-later
// The colour corrector: a button over the whole picture, the window's redraw after it, and
// the tick of the marching frame round the range.
#include "colour/corrector.h"
#include "display/frames.h"
#include "display/renderer.h"
#include "display/view_painter.h"
#include "support/test_pictures.h"
#include "targets.h"

#include <QPainter>

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

// After a button: the full render, then RedrawCorrector's four strips, two screen views
// and two char views.
constexpr std::size_t kCorrectorRedrawBytes =
    ((256 * 192 + 512 * 384 + 2 * 256 * 192) + 2 * 512 * 384 + 2 * 98 * 98 + 4 * 240 * 16) * 4;

void BM_CorrectorRedraw(benchmark::State& state) {
    const MgsImage picture = RandomPicture(8);
    RenderImages images = RenderImages::Create();
    const LinePatterns patterns = LinePatterns::Create();
    std::array<QImage, 2> views;
    std::array<QImage, 4> strips;
    std::array<QImage, 2> charViews;
    CorrectorRangeRecord range;
    range.c0 = range.c1 = 12, range.r0 = range.r1 = 9;
    for (auto _ : state) {
        RenderPicture(picture, images);
        const std::array<int, 4> indices = CorrectorStripIndices(picture, range);
        for (int i = 0; i < 4; ++i)
            strips[i] = MarkedZxStrip(indices[i]);
        for (int s = 0; s < 2; ++s) {
            DrawCorrectorScreenView(views[s], images.ScreenImage[s]);
            charViews[s] = CorrectorCharView(images.ScreenImage[s], range, 8, patterns);
        }
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_CorrectorRedraw)->Unit(benchmark::kMicrosecond);

// One tick: the frame drawn on both screen views and its edges painted on screen.
void BM_CorrectorFrameTick(benchmark::State& state) {
    const MgsImage picture = RandomPicture(8);
    RenderImages images = RenderImages::Create();
    RenderPicture(picture, images);
    const LinePatterns patterns = LinePatterns::Create();
    std::array<QImage, 2> views;
    for (int s = 0; s < 2; ++s)
        DrawCorrectorScreenView(views[s], images.ScreenImage[s]);
    QImage screen(512, 384, QImage::Format_RGB32);
    CorrectorRangeRecord range;
    range.c0 = 3, range.r0 = 2, range.c1 = 28, range.r1 = 21;
    const QRegion edges = FrameEdges(CorrectorFrameRect(3, 2, 28, 21, 8));
    int phase = 0;
    for (auto _ : state) {
        phase = NextFramePhase(phase);
        for (QImage& view : views) {
            DrawCorrectorFrame(view, range, 8, phase, patterns);
            QPainter painter(&screen);
            for (const QRect& edge : edges)
                painter.drawImage(edge.topLeft(), view, edge);
        }
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_CorrectorFrameTick)->Unit(benchmark::kMicrosecond);

[[maybe_unused]] const bool registered = [] {
    TargetRatio("BM_CorrectorRedraw", MemsetBaseline(kCorrectorRedrawBytes), 4);
    TargetTime("BM_CorrectorFrameTick", 500);
    return true;
}();

} // namespace
