// SPDX-License-Identifier: GPL-3.0-or-later
// The border palette: an 8 x 8 grid of mixed border colours from which the picture's
// BorderPair is picked.
#pragma once

#include "picture/colour.h"
#include "picture/mgs_image.h"

#include <QImage>
#include <QPoint>

inline constexpr int kBorderPaletteSize = 128;

// The fresh border palette picture with the marker on cell (a, b).
QImage MarkedBorderPalette(int a, int b);

struct BorderPick {
    int a = 0, b = 0; // column (first border colour) and row (second)
    Rgb colour = MakeRgb(0, 0, 0);
};

// A press at `point` on the border palette: the cell under it becomes the picture's
// BorderPair and its colour BorderRGB. A point outside the picture counts as the nearest
// cell on its edge.
BorderPick PressBorderPalette(MgsImage& picture, Rgb& borderRGB, QPoint point);
