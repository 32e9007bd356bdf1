// SPDX-License-Identifier: GPL-3.0-or-later
// Colour look-ups that need the picture.
#include "picture/colour.h"

CharColours CharPaletteOf(const MgsImage& picture, int column, int cellRow) {
    const int row = EffectiveAttrRow(picture, cellRow * picture.CharHeight, column);
    const int i = PlaneIndex(column, row);
    return CharPalette(picture.AttrPlane[0][i], picture.AttrPlane[1][i]);
}
