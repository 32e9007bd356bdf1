// SPDX-License-Identifier: GPL-3.0-or-later
// The ZX Spectrum's own screen memory: the interleaved bitmap layout, attribute bytes and
// their conversion to and from the picture's column-major planes and colour indices.
#pragma once

#include "picture/mgs_image.h"

#include <cstdint>
#include <span>

inline constexpr int kZxBitmapSize = 6144;  // 192 rows of 32 bytes, interleaved
inline constexpr int kZxAttrAreaSize = 768; // 24 character rows of 32 bytes
inline constexpr int kZxScreenSize = kZxBitmapSize + kZxAttrAreaSize;

// Offset of the byte of pixel row y (0..191) and byte column c (0..31) in a Spectrum
// bitmap: three thirds of 64 rows, each third holding pixel row 0 of its eight character
// rows first, then pixel row 1 of each, and so on.
constexpr int ZxScreenOffset(int y, int c) {
    return (y & 7) * 256 + (y & 56) * 4 + (y & 192) * 32 + c;
}

// The other way round: the pixel row shown by memory line `line` (0..191), the line whose
// 32 bytes start at offset line x 32.
constexpr int ZxLineRow(int line) {
    return (line & 192) + (line & 7) * 8 + (line & 56) / 8;
}

// Ink from bits 0-2 and paper from bits 3-5, both with the byte's one bright bit (6); the
// flash bit (7) is dropped. Black is index 0 whether bright or not, so the result never
// exceeds 14 and needs no check.
constexpr int ZxColourIndex(int colour, int bright) {
    const int index = 2 * colour - 1 + bright;
    return index < 0 ? 0 : index;
}
constexpr AttrCell AttrToIndex(uint8_t attr) {
    const int bright = (attr >> 6) & 1;
    return AttrCell{static_cast<uint8_t>(ZxColourIndex((attr >> 3) & 7, bright)),
                    static_cast<uint8_t>(ZxColourIndex(attr & 7, bright))};
}

// The Spectrum bitmap of a pixel plane, and back.
void PlaneToZxBitmap(const PixelPlaneBytes& plane, std::span<uint8_t, kZxBitmapSize> bitmap);
void ZxBitmapToPlane(std::span<const uint8_t, kZxBitmapSize> bitmap, PixelPlaneBytes& plane);

// Stores the cell of one attribute byte in `height` stored rows of a column, starting at
// `firstRow`: importing fills every row of a cell, so no stale hidden row survives.
void FillAttrRows(AttrPlaneCells& plane, int column, int firstRow, int height, uint8_t attr);
