// SPDX-License-Identifier: GPL-3.0-or-later
// The pencil, the fill and the shapes built on them. Every index is derived from a view
// point checked against the view, and PaintSize is forced to divide 8, so no write leaves
// its column byte or the planes.
#include "editing/drawing.h"

#include "display/zoom.h"
#include "picture/cell_layout.h"

#include <algorithm>
#include <cstdlib>

namespace {

// Adds the cell that holds pixel row `row` of `column`, unless a cell with the same
// attribute row (and so the same pixel rows) is already listed.
void AddCell(std::vector<CellRef>& cells, int charHeight, int column, int row) {
    const CellRef cell{column, row / charHeight, EffectiveAttrRow(charHeight, row, column)};
    const bool listed = std::any_of(cells.begin(), cells.end(), [&](const CellRef& other) {
        return other.column == cell.column && other.attrRow == cell.attrRow;
    });
    if (!listed)
        cells.push_back(cell);
}

void WriteBits(uint8_t& byte, uint8_t mask, bool set) {
    byte = set ? static_cast<uint8_t>(byte | mask) : static_cast<uint8_t>(byte & ~mask);
}

int Sign(int v) {
    return (v > 0) - (v < 0);
}

} // namespace

void PaintResult::Append(const PaintResult& later) {
    cells.insert(cells.end(), later.cells.begin(), later.cells.end());
    if (later.pointer)
        pointer = later.pointer;
}

void PaintResult::RemoveRepeatedCells() {
    // Cells are identified by column and attribute row: in the 8x1 side columns several
    // cell rows share one 8-row cell.
    std::vector<bool> seen(kPlaneSize, false);
    std::erase_if(cells, [&](const CellRef& cell) {
        const int i = PlaneIndex(cell.column, cell.attrRow);
        if (seen[i])
            return true;
        seen[i] = true;
        return false;
    });
}

std::optional<QPoint> PicturePixelAt(const EditorState& state, QPoint viewPoint) {
    return PicturePixelAt(state.View.ZoomFactor(), viewPoint);
}

PaintResult PaintAt(EditorState& state, QPoint viewPoint) {
    PaintResult result;
    const std::optional<QPoint> pixel = PicturePixelAt(state, viewPoint);
    if (!pixel)
        return result;
    DrawingState& drawing = state.Drawing;
    MgsImage& picture = state.Picture;
    drawing.LastPoint = viewPoint;

    const int charHeight = SafeCharHeight(picture);
    const int size = SafePaintSize(drawing.PaintSize);
    const int x = pixel->x(), y = pixel->y();
    const int c = x / 8;
    const int r = y / charHeight;
    const int a = EffectiveAttrRow(charHeight, y, c);
    const int sx = (x - 8 * c) / size * size;
    const int sy = y / size * size;

    // Taken before anything is written, and also when the paint is skipped.
    result.pointer = TakePointerInfo(picture, state.View.ZoomFactor(), size, viewPoint,
                                     PointerInfoVariant::Paint);

    const PaintKey key{c, r, sx, sy};
    if (key == drawing.LastPaintKey)
        return result;
    drawing.LastPaintKey = key;
    result.cells.push_back({c, r, a});

    if (drawing.RgbMode) {
        const int i = PlaneIndex(c, a);
        picture.AttrPlane[0][i] = drawing.CurrentAttr.Screen0();
        picture.AttrPlane[1][i] = drawing.CurrentAttr.Screen1();
        SpreadCellAttributes(picture, c, a, a);
    }

    const int charColor = drawing.CurrentCharColor;
    const bool bit0 = CharColorBit0(charColor), bit1 = CharColorBit1(charColor);
    const InstrumentKind instrument = drawing.Instrument;
    const bool pencil = instrument == InstrumentKind::Paint || instrument == InstrumentKind::Line ||
                        instrument == InstrumentKind::Rect || instrument == InstrumentKind::Ellipse;
    if (drawing.PixMode && pencil) {
        uint8_t mask = 0;
        for (int k = sx; k < sx + size; ++k)
            mask |= PixelMask(k);
        for (int row = sy; row < sy + size; ++row) {
            const int i = PlaneIndex(c, row);
            WriteBits(picture.PixelPlane[0][i], mask, bit0);
            WriteBits(picture.PixelPlane[1][i], mask, bit1);
            // A block taller than a cell reaches into the cells below the pointer's.
            AddCell(result.cells, charHeight, c, row);
        }
    }
    if (instrument == InstrumentKind::FillChar) {
        // The cell of the snapped row, which differs from the pointer's cell only when the
        // block is taller than a cell.
        const int first = sy / charHeight * charHeight;
        for (int row = first; row < first + charHeight; ++row) {
            const int i = PlaneIndex(c, row);
            picture.PixelPlane[0][i] = bit0 ? 0xFF : 0x00;
            picture.PixelPlane[1][i] = bit1 ? 0xFF : 0x00;
        }
        AddCell(result.cells, charHeight, c, first);
    }
    return result;
}

PaintResult PaintPixel(EditorState& state, int x, int y) {
    const int z = state.View.ZoomFactor();
    return PaintAt(state, QPoint(x * z, y * z));
}

PaintResult DrawLine(EditorState& state, QPoint from, QPoint to) {
    PaintResult result;
    const int z = state.View.ZoomFactor();
    if (z < 1)
        return result;
    const int x0 = from.x() / z, y0 = from.y() / z;
    const int x1 = to.x() / z, y1 = to.y() / z;
    const int dx = std::abs(x1 - x0), dy = std::abs(y1 - y0);
    const int stepX = Sign(x1 - x0), stepY = Sign(y1 - y0);
    const bool steep = dy > dx;
    const int major = steep ? dy : dx;
    const int minor = steep ? dx : dy;
    int e = 2 * minor - major;
    int x = x0, y = y0;
    for (int n = 0; n <= major; ++n) {
        result.Append(PaintPixel(state, x, y));
        if (e >= 0) {
            if (steep)
                x += stepX;
            else
                y += stepY;
            e -= 2 * major;
        }
        if (steep)
            y += stepY;
        else
            x += stepX;
        e += 2 * minor;
    }
    result.RemoveRepeatedCells();
    return result;
}

PaintResult DrawRect(EditorState& state, QPoint corner0, QPoint corner1) {
    // The corners are copies: each line moves LastPoint, which may be what corner0 was.
    const int x0 = corner0.x(), y0 = corner0.y(), x1 = corner1.x(), y1 = corner1.y();
    PaintResult result = DrawLine(state, {x0, y0}, {x1, y0});
    result.Append(DrawLine(state, {x0, y1}, {x1, y1}));
    result.Append(DrawLine(state, {x0, y0}, {x0, y1}));
    result.Append(DrawLine(state, {x1, y0}, {x1, y1}));
    result.RemoveRepeatedCells();
    return result;
}

bool PickAttr(EditorState& state, QPoint viewPoint) {
    const std::optional<QPoint> pixel = PicturePixelAt(state, viewPoint);
    if (!pixel)
        return false;
    const int charHeight = SafeCharHeight(state.Picture);
    const int c = pixel->x() / 8;
    const int a = EffectiveAttrRow(charHeight, pixel->y() / charHeight * charHeight, c);
    const AttrCell screen0 = state.Picture.AttrPlane[0][PlaneIndex(c, a)];
    const AttrCell screen1 = state.Picture.AttrPlane[1][PlaneIndex(c, a)];
    state.Drawing.CurrentAttr = {screen0.paper, screen0.ink, screen1.paper, screen1.ink};
    return true;
}
