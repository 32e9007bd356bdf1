// SPDX-License-Identifier: GPL-3.0-or-later
// Painting: one pencil paint with its cell redraw and the repaint of that cell in the view
// at the largest zoom and in the Preview, and one move of a rubber band, as one mouse move
// over the picture costs.
#include "display/renderer.h"
#include "display/view_painter.h"
#include "editing/drawing.h"
#include "support/test_pictures.h"
#include "targets.h"

#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

void BM_PaintAtWithCellRepaint(benchmark::State& state) {
    EditorState editor;
    editor.Picture = RandomPicture(8);
    editor.View.ZoomLevel = 4; // zoom factor 16: a cell is 128 x 128 view pixels
    const int z = editor.View.ZoomFactor();
    RenderImages images = RenderImages::Create();
    RenderPicture(editor.Picture, images);
    const LinePatterns patterns = LinePatterns::Create();
    QImage target(8 * z, 8 * z, QImage::Format_RGB32);
    QImage previewShown(512, 384, QImage::Format_RGB32);
    int column = 0;
    for (auto _ : state) {
        // A new column each time, so that the repeated-position check never skips.
        const PaintResult result = PaintAt(editor, {(8 * column + 3) * z, 93 * z});
        const CellRef cell = result.cells.front();
        const QRect pixels =
            RedrawCell(editor.Picture, images, cell.column, cell.cellRow, cell.attrRow);
        const QRect viewRect(pixels.topLeft() * z, pixels.size() * z);
        QPainter painter(&target);
        painter.translate(-viewRect.topLeft());
        PaintPictureView(painter, viewRect, images.MixedImage, z, editor.Picture.CharHeight,
                         {true, true}, patterns);
        painter.end();
        const QRect previewRect(pixels.topLeft() * 2, pixels.size() * 2);
        QPainter(&previewShown).drawImage(previewRect.topLeft(), images.PreviewImage, previewRect);
        benchmark::ClobberMemory();
        column = (column + 1) & 31;
    }
}
BENCHMARK(BM_PaintAtWithCellRepaint)->Unit(benchmark::kMicrosecond);
[[maybe_unused]] const bool pencilTarget = (TargetTime("BM_PaintAtWithCellRepaint", 20), true);

// The same paint without the view repaint: the core's share.
void BM_PaintAt(benchmark::State& state) {
    EditorState editor;
    editor.Picture = RandomPicture(8);
    editor.View.ZoomLevel = 4;
    const int z = editor.View.ZoomFactor();
    int column = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(PaintAt(editor, {(8 * column + 3) * z, 93 * z}));
        column = (column + 1) & 31;
    }
}
BENCHMARK(BM_PaintAt)->Unit(benchmark::kNanosecond);

} // namespace

namespace {

// One mouse move with a rubber band at zoom factor 16 with both grids, in a 1920 x 1080
// viewport in the middle of the view: the view repaints where the old band was and where
// the new one is, and draws the new band over the picture.
void RubberBandMove(benchmark::State& state, RubberBandShape shape, QPoint from, QPoint to) {
    const int zoom = 16;
    const MgsImage picture = RandomPicture(8);
    RenderImages images = RenderImages::Create();
    RenderPicture(picture, images);
    const LinePatterns patterns = LinePatterns::Create();
    QImage target(1920, 1080, QImage::Format_RGB32);
    const QRect viewport(QPoint((4096 - 1920) / 2, (3072 - 1080) / 2), target.size());
    ViewScene scene;
    scene.mixed = &images.MixedImage;
    scene.zoomFactor = zoom;
    scene.grids = {true, true};
    RubberBand band{shape, viewport.topLeft() + from, viewport.topLeft() + to, MakeRgb(0, 230, 0),
                    zoom};
    int step = 0;
    for (auto _ : state) {
        // The pointer moves one picture pixel at a time, back and forth.
        RubberBand next = band;
        next.to += QPoint(step < 8 ? zoom : -zoom, step < 8 ? zoom / 2 : -zoom / 2);
        step = (step + 1) % 16;
        const QRegion region = (RubberBandRegion(band) + RubberBandRegion(next)) & viewport;
        scene.rubberBand = next;
        QPainter painter(&target);
        painter.translate(-viewport.topLeft());
        painter.setClipRegion(region); // as the widget's paint event clips
        PaintView(painter, region, scene, patterns);
        painter.end();
        band = next;
        benchmark::ClobberMemory();
    }
}

void BM_RubberBandMoveRect(benchmark::State& state) {
    RubberBandMove(state, RubberBandShape::Rect, {200, 150}, {1500, 900});
}
BENCHMARK(BM_RubberBandMoveRect)->Unit(benchmark::kMicrosecond);

// A line across the viewport's diagonal: the worst case for a line's region.
void BM_RubberBandMoveLine(benchmark::State& state) {
    RubberBandMove(state, RubberBandShape::Line, {10, 10}, {1800, 1000});
}
BENCHMARK(BM_RubberBandMoveLine)->Unit(benchmark::kMicrosecond);

} // namespace
