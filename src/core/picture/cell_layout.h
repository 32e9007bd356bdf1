// SPDX-License-Identifier: GPL-3.0-or-later
// Attribute cells as the user sees them: the stored rows a cell covers, keeping a cell's
// hidden rows equal to the row it shows, and the picture at another char height.
#pragma once

#include "picture/mgs_image.h"

// The stored rows of the cell that holds pixel row `row` of `column`: its first row (the
// one shown) and how many rows it covers. In the 8x1 side columns a cell covers 8 rows.
struct CellRows {
    int first = 0;
    int count = 8;
};
constexpr CellRows CellRowsAt(int charHeight, int row, int column) {
    const bool side = charHeight == 1 && (column < 8 || column >= 24);
    return {EffectiveAttrRow(charHeight, row, column), side ? 8 : charHeight};
}

// After an edit wrote attributes in pixel rows firstRow..lastRow of `column`: every cell
// holding one of those rows takes, on both screens and in every stored row it covers, the
// attribute written on its first row inside that range. So no hidden row keeps older
// colours that a later Convert would bring back.
void SpreadCellAttributes(MgsImage& picture, int column, int firstRow, int lastRow);

// The picture as a file of `charHeight` holds it: that CharHeight, the same pixels, and
// every cell of the new size given, in all its rows, the attribute the picture shows on the
// cell's first row. `charHeight` must be valid.
MgsImage AtCharHeight(const MgsImage& picture, int charHeight);

// How many cells of AtCharHeight(picture, charHeight) show some pixel of either screen in
// another colour than the picture does: 0 when the conversion loses nothing.
int ChangedCells(const MgsImage& picture, int charHeight);
