// SPDX-License-Identifier: GPL-3.0-or-later
// The Flicker view: every 20 ms the visible part of the view is painted again from the
// other screen. Measured against clearing the same viewport's bytes.
#include "display/hardware_view.h"
#include "display/view_painter.h"
#include "support/test_pictures.h"

#include <QPainter>

#include <benchmark/benchmark.h>

#include <cstring>

namespace {

constexpr QSize kViewport(1920, 1080);

// One Flicker frame at zoom factor 16, scrolled to the middle of the picture; the argument
// switches both grids on.
void BM_FlickerFrame1920x1080(benchmark::State& state) {
    const int zoom = 16;
    const MgsImage picture = RandomPicture(8);
    RenderImages rendered = RenderImages::Create();
    HardwareImages images = HardwareImages::Create();
    RenderPicture(picture, rendered);
    ComposeHardwareImages(rendered, images);
    const LinePatterns patterns = LinePatterns::Create();
    QImage target(kViewport, QImage::Format_RGB32);
    const QPoint scroll((256 * zoom - kViewport.width()) / 2,
                        (192 * zoom - kViewport.height()) / 2);
    const QRegion region(QRect(scroll, kViewport));
    ViewScene scene;
    scene.zoomFactor = zoom;
    scene.grids = {state.range(0) != 0, state.range(0) != 0};
    int screen = 0;
    for (auto _ : state) {
        screen ^= 1;
        scene.mixed = &ViewImage(rendered, images, ViewMode::Flicker, screen);
        QPainter painter(&target);
        painter.translate(-scroll);
        PaintView(painter, region, scene, patterns);
        painter.end();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_FlickerFrame1920x1080)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The yardstick: a memset of the viewport's bytes.
void BM_FlickerViewportMemset(benchmark::State& state) {
    QImage target(kViewport, QImage::Format_RGB32);
    int value = 0;
    for (auto _ : state) {
        std::memset(target.bits(), ++value & 0xFF, static_cast<size_t>(target.sizeInBytes()));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_FlickerViewportMemset)->Unit(benchmark::kMicrosecond);

} // namespace
