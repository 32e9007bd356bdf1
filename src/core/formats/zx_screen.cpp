// SPDX-License-Identifier: GPL-3.0-or-later
// Conversion between the Spectrum's interleaved bitmap and the picture's pixel planes.
#include "formats/zx_screen.h"

#include <algorithm>

void PlaneToZxBitmap(const PixelPlaneBytes& plane, std::span<uint8_t, kZxBitmapSize> bitmap) {
    for (int y = 0; y < kPixelRows; ++y) {
        uint8_t* line = bitmap.data() + ZxScreenOffset(y, 0);
        for (int c = 0; c < kByteColumns; ++c)
            line[c] = plane[PlaneIndex(c, y)];
    }
}

void ZxBitmapToPlane(std::span<const uint8_t, kZxBitmapSize> bitmap, PixelPlaneBytes& plane) {
    for (int y = 0; y < kPixelRows; ++y) {
        const uint8_t* line = bitmap.data() + ZxScreenOffset(y, 0);
        for (int c = 0; c < kByteColumns; ++c)
            plane[PlaneIndex(c, y)] = line[c];
    }
}

void FillAttrRows(AttrPlaneCells& plane, int column, int firstRow, int height, uint8_t attr) {
    auto first = plane.begin() + PlaneIndex(column, firstRow);
    std::fill(first, first + height, AttrToIndex(attr));
}
