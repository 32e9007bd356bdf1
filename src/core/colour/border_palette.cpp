// SPDX-License-Identifier: GPL-3.0-or-later
// The border palette's source picture is built once; every press starts from a fresh
// copy so that only one marker is ever shown.
#include "colour/border_palette.h"

#include "picture/palette_images.h"

#include <algorithm>

namespace {

const QImage& BorderSource() {
    static const QImage source = MakeBorderPaletteImage();
    return source;
}

} // namespace

QImage MarkedBorderPalette(int a, int b) {
    QImage image = BorderSource().copy();
    DrawSwatchMarker(image, kSwatchSize * a, kSwatchSize * b);
    return image;
}

BorderPick PressBorderPalette(MgsImage& picture, Rgb& borderRGB, QPoint point) {
    const int x = std::clamp(point.x(), 0, kBorderPaletteSize - 1);
    const int y = std::clamp(point.y(), 0, kBorderPaletteSize - 1);
    BorderPick pick;
    pick.a = x / kSwatchSize;
    pick.b = y / kSwatchSize;
    pick.colour = BorderSource().pixel(x, y);
    borderRGB = pick.colour;
    picture.BorderPair = {static_cast<uint8_t>(pick.a), static_cast<uint8_t>(pick.b)};
    return pick;
}
