// SPDX-License-Identifier: GPL-3.0-or-later
// Rendering: the full render, one cell, and repainting a full-HD view region.
#include "display/frames.h"
#include "display/renderer.h"
#include "display/view_painter.h"
#include "support/test_pictures.h"

#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

void BM_RenderPicture(benchmark::State& state) {
    const MgsImage picture = RandomPicture(static_cast<int>(state.range(0)));
    RenderImages images = RenderImages::Create();
    for (auto _ : state) {
        RenderPicture(picture, images);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_RenderPicture)->Arg(8)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_RedrawCell(benchmark::State& state) {
    const MgsImage picture = RandomPicture(8);
    RenderImages images = RenderImages::Create();
    RenderPicture(picture, images);
    int column = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(RedrawCell(picture, images, column, 11, 88));
        column = (column + 1) & 31;
    }
}
BENCHMARK(BM_RedrawCell)->Unit(benchmark::kNanosecond);

// A 1920 x 1080 window onto the view, scrolled to the middle of the picture, both grids.
void BM_RepaintViewport1920x1080(benchmark::State& state) {
    const int zoom = static_cast<int>(state.range(0));
    MgsImage picture = RandomPicture(8);
    RenderImages images = RenderImages::Create();
    RenderPicture(picture, images);
    const LinePatterns patterns = LinePatterns::Create();
    QImage target(1920, 1080, QImage::Format_RGB32);
    const QRect view(0, 0, 256 * zoom, 192 * zoom);
    const QPoint scroll(std::max(0, (view.width() - 1920) / 2),
                        std::max(0, (view.height() - 1080) / 2));
    const QRect area = QRect(scroll, target.size()).intersected(view);
    for (auto _ : state) {
        QPainter painter(&target);
        painter.translate(-scroll);
        PaintPictureView(painter, area, images.MixedImage, zoom, 8, {true, true}, patterns);
        painter.end();
        benchmark::ClobberMemory();
    }
    state.SetLabel(std::to_string(area.width()) + "x" + std::to_string(area.height()));
}
BENCHMARK(BM_RepaintViewport1920x1080)
    ->Arg(4)
    ->Arg(8)
    ->Arg(12)
    ->Arg(16)
    ->Unit(benchmark::kMicrosecond);

} // namespace

namespace {

// One tick of the marching selection frame at zoom factor 16 with both grids: the view
// repaints only the frame's four edges inside a 1920 x 1080 viewport.
void BM_SelectionFrameTick(benchmark::State& state) {
    const int zoom = 16;
    MgsImage picture = RandomPicture(8);
    RenderImages images = RenderImages::Create();
    RenderPicture(picture, images);
    const LinePatterns patterns = LinePatterns::Create();
    QImage target(1920, 1080, QImage::Format_RGB32);
    const QPoint scroll((4096 - 1920) / 2, (3072 - 1080) / 2);
    ViewScene scene;
    scene.mixed = &images.MixedImage;
    scene.zoomFactor = zoom;
    scene.grids = {true, true};
    scene.selectionFrame = SelectionFrameRect(10, 10, 11, 5, zoom, 8);
    const QRect f = scene.selectionFrame;
    QRegion edges(f.left(), f.top(), f.width(), 1);
    edges += QRect(f.left(), f.bottom(), f.width(), 1);
    edges += QRect(f.left(), f.top(), 1, f.height());
    edges += QRect(f.right(), f.top(), 1, f.height());
    edges &= QRect(scroll, target.size());
    for (auto _ : state) {
        scene.framePhase = NextFramePhase(scene.framePhase);
        QPainter painter(&target);
        painter.translate(-scroll);
        PaintView(painter, edges, scene, patterns);
        painter.end();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_SelectionFrameTick)->Unit(benchmark::kMicrosecond);

} // namespace
