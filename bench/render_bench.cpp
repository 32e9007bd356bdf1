// SPDX-License-Identifier: GPL-3.0-or-later
// Rendering: the full render, one cell, repainting full-HD and 4K views at every zoom, the
// selection frame's tick and the Preview's redraw, each beside the memset of its bytes.
#include "display/frames.h"
#include "display/renderer.h"
#include "display/view_painter.h"
#include "support/test_pictures.h"
#include "targets.h"

#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

// The bytes a full render writes: MixedImage's used part, the preview and the two screens.
constexpr std::size_t kRenderBytes = (256 * 192 + 512 * 384 + 2 * 256 * 192) * 4;

void RenderPictureOf(benchmark::State& state, int charHeight) {
    const MgsImage picture = RandomPicture(charHeight);
    RenderImages images = RenderImages::Create();
    for (auto _ : state) {
        RenderPicture(picture, images);
        benchmark::ClobberMemory();
    }
}

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

// The viewport scrolled to the middle of the view: what a window of that size repaints.
QRect ViewportArea(QSize viewport, int zoom) {
    const QRect view(0, 0, 256 * zoom, 192 * zoom);
    const QPoint scroll(std::max(0, (view.width() - viewport.width()) / 2),
                        std::max(0, (view.height() - viewport.height()) / 2));
    return QRect(scroll, viewport).intersected(view);
}

void RepaintViewport(benchmark::State& state, QSize viewport, int zoom, ViewGrids grids) {
    const MgsImage picture = RandomPicture(8);
    RenderImages images = RenderImages::Create();
    RenderPicture(picture, images);
    const LinePatterns patterns = LinePatterns::Create();
    QImage target(viewport, QImage::Format_RGB32);
    const QRect area = ViewportArea(viewport, zoom);
    for (auto _ : state) {
        QPainter painter(&target);
        painter.translate(-area.topLeft());
        PaintPictureView(painter, area, images.MixedImage, zoom, 8, grids, patterns);
        painter.end();
        benchmark::ClobberMemory();
    }
    state.SetLabel(std::to_string(area.width()) + "x" + std::to_string(area.height()) + " painted");
}

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
    const QRegion edges = FrameEdges(scene.selectionFrame) & QRect(scroll, target.size());
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

// The Preview's redraw: the window paints the renderer's preview image as it is (while no
// zoom selector is drawn over it), one 512 x 384 copy to the screen.
void BM_PreviewRedraw(benchmark::State& state) {
    const MgsImage picture = RandomPicture(8);
    RenderImages images = RenderImages::Create();
    RenderPicture(picture, images);
    QImage screen(512, 384, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter(&screen).drawImage(0, 0, images.PreviewImage);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PreviewRedraw)->Unit(benchmark::kMicrosecond);

[[maybe_unused]] const bool registered = [] {
    const std::string renderBaseline = MemsetBaseline(kRenderBytes);
    for (int charHeight : {8, 1}) {
        const std::string name = "RenderPicture/8x" + std::to_string(charHeight);
        benchmark::RegisterBenchmark(name.c_str(), RenderPictureOf, charHeight)
            ->Unit(benchmark::kMicrosecond);
        TargetRatio(name, renderBaseline, 3);
    }
    for (QSize viewport : {QSize(1920, 1080), QSize(3840, 2160)}) {
        // The viewport's bytes, whatever the zoom: at factor 4 (and 8 on the larger screen)
        // the view is smaller than the viewport and the repaint writes fewer of them.
        const std::string baseline =
            MemsetBaseline(std::size_t(viewport.width()) * viewport.height() * 4);
        for (int zoom : {4, 8, 12, 16}) {
            for (bool grids : {false, true}) {
                const std::string name = "RepaintViewport/" + std::to_string(viewport.width()) +
                                         "x" + std::to_string(viewport.height()) + "/zoom" +
                                         std::to_string(zoom) + (grids ? "/grids" : "/plain");
                benchmark::RegisterBenchmark(name.c_str(), RepaintViewport, viewport, zoom,
                                             ViewGrids{grids, grids})
                    ->Unit(benchmark::kMicrosecond);
                TargetRatio(name, baseline, 4);
            }
        }
    }
    TargetTime("BM_SelectionFrameTick", 500);
    TargetRatio("BM_PreviewRedraw", MemsetBaseline(512 * 384 * 4), 4);
    return true;
}();

} // namespace
