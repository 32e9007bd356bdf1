// SPDX-License-Identifier: GPL-3.0-or-later
// Cell-level rewrites of the attribute planes; pixels are never touched here.
#include "picture/cell_layout.h"

#include <algorithm>
#include <array>

void SpreadCellAttributes(MgsImage& picture, int column, int firstRow, int lastRow) {
    const int ch = SafeCharHeight(picture);
    firstRow = std::max(firstRow, 0);
    lastRow = std::min(lastRow, kPixelRows - 1);
    for (int row = firstRow; row <= lastRow;) {
        const CellRows cell = CellRowsAt(ch, row, column);
        for (auto& plane : picture.AttrPlane) {
            const AttrCell written = plane[PlaneIndex(column, row)];
            std::fill_n(plane.begin() + PlaneIndex(column, cell.first), cell.count, written);
        }
        row = cell.first + cell.count;
    }
}

MgsImage AtCharHeight(const MgsImage& picture, int charHeight) {
    MgsImage result = picture;
    result.CharHeight = static_cast<uint8_t>(charHeight);
    const int from = SafeCharHeight(picture);
    for (int c = 0; c < kByteColumns; ++c) {
        for (int row = 0; row < kPixelRows;) {
            const CellRows cell = CellRowsAt(charHeight, row, c);
            const int shown = PlaneIndex(c, EffectiveAttrRow(from, cell.first, c));
            for (int s = 0; s < 2; ++s)
                std::fill_n(result.AttrPlane[s].begin() + PlaneIndex(c, cell.first), cell.count,
                            picture.AttrPlane[s][shown]);
            row = cell.first + cell.count;
        }
    }
    return result;
}

int ChangedCells(const MgsImage& picture, int charHeight) {
    const MgsImage converted = AtCharHeight(picture, charHeight);
    const int from = SafeCharHeight(picture);
    std::array<bool, kPlaneSize> changed{};
    int count = 0;
    for (int c = 0; c < kByteColumns; ++c) {
        for (int y = 0; y < kPixelRows; ++y) {
            const int cell = PlaneIndex(c, EffectiveAttrRow(charHeight, y, c));
            if (changed[cell])
                continue;
            for (int s = 0; s < 2; ++s) {
                const AttrCell was =
                    picture.AttrPlane[s][PlaneIndex(c, EffectiveAttrRow(from, y, c))];
                const AttrCell now = converted.AttrPlane[s][cell];
                const uint8_t bits = picture.PixelPlane[s][PlaneIndex(c, y)];
                // Only colours some pixel of the row shows count.
                if ((was.ink != now.ink && bits != 0) || (was.paper != now.paper && bits != 0xFF)) {
                    changed[cell] = true;
                    ++count;
                    break;
                }
            }
        }
    }
    return count;
}
