// Painting: one pencil paint with its cell redraw and the repaint of that cell in the view
// at the largest zoom, as one mouse move over the picture costs.
#include "display/renderer.h"
#include "display/view_painter.h"
#include "editing/drawing.h"
#include "support/test_pictures.h"

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
        benchmark::ClobberMemory();
        column = (column + 1) & 31;
    }
}
BENCHMARK(BM_PaintAtWithCellRepaint)->Unit(benchmark::kMicrosecond);

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
