// SPDX-License-Identifier: GPL-3.0-or-later
// Painting on the picture: the pencil and fill at a view point, lines and rectangles built
// from it, and picking the attributes of a cell. Each routine changes the records and
// reports what the view must redraw; none of them redraws.
#pragma once

#include "display/status_text.h"
#include "editing/editor_state.h"

#include <QPoint>

#include <optional>
#include <vector>

// One attribute cell for RedrawCell: byte column, cell row and the stored attribute row
// whose colours it shows.
struct CellRef {
    int column = 0;
    int cellRow = 0;
    int attrRow = 0;
    friend bool operator==(const CellRef&, const CellRef&) = default;
};

struct PaintResult {
    // Cells to pass to RedrawCell, in the order they were painted; the first of a single
    // PaintAt is the cell under the point, any others are cells below it that a block
    // taller than a cell reached. Empty when the paint was skipped as a repeat of
    // LastPaintKey or the point lay outside the view.
    std::vector<CellRef> cells;
    // The status bar's paint-form info of the last point asked for (ShowPointerInfo), also
    // when that point repeated the last paint and wrote nothing. None if no point was in
    // the view.
    std::optional<PointerInfo> pointer;

    void Append(const PaintResult& later);
    // Keeps the first of cells that share their pixel rows (one RedrawCell each).
    void RemoveRepeatedCells();
};

// The picture pixel under a view point, or none outside the view at the current zoom.
std::optional<QPoint> PicturePixelAt(const EditorState& state, QPoint viewPoint);

// Paints at a view point with the current instrument, colours and modes: the attribute
// entry in RGB mode, a PaintSize block of pixel bits in PIX mode, a whole cell's bytes
// with FillChar. Skips the writing when the snapped position equals LastPaintKey. A point
// outside the view changes nothing.
PaintResult PaintAt(EditorState& state, QPoint viewPoint);
// PaintAt at a picture pixel.
PaintResult PaintPixel(EditorState& state, int x, int y);
// A Bresenham line of PaintPixel calls between two view points, both ends included.
PaintResult DrawLine(EditorState& state, QPoint from, QPoint to);
// The four sides as lines: top, bottom, left, right.
PaintResult DrawRect(EditorState& state, QPoint corner0, QPoint corner1);

// Copies the attributes of the cell under a view point into CurrentAttr; CurrentCharColor
// stays. Returns false, changing nothing, outside the view. The caller then redraws the
// palettes and the char-colour selection.
bool PickAttr(EditorState& state, QPoint viewPoint);
