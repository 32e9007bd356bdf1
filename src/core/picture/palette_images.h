// SPDX-License-Identifier: GPL-3.0-or-later
// The fixed palette pictures, generated from the colour tables: the ZX strip, the full
// mixing palette, the border palette, and the swatch marker drawn on all of them.
#pragma once

#include <QImage>

inline constexpr int kSwatchSize = 16;

// 240 x 16: swatch i at x = 16 i in ZxPalette[i].
QImage MakeZxPaletteImage();
// 240 x 240: the swatch in column s0, row s1 in MixTable[s0][s1].
QImage MakeFullPaletteImage();
// 128 x 128: the swatch in column a, row b in the mix of border colours a and b.
QImage MakeBorderPaletteImage();

// Marks the 16 x 16 swatch whose top-left corner is (left, top): an 8 x 8 square from
// (left + 4, top + 4) with a black outline and a white inside.
void DrawSwatchMarker(QImage& image, int left, int top);
