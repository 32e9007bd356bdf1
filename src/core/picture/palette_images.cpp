// SPDX-License-Identifier: GPL-3.0-or-later
// Palette pictures drawn from the colour tables, so their pixels equal the tables exactly.
#include "picture/palette_images.h"

#include "picture/colour.h"

namespace {

template <typename ColourOf>
QImage MakeSwatchGrid(int columns, int rows, ColourOf colourOf) {
    QImage image(columns * kSwatchSize, rows * kSwatchSize, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<Rgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] = colourOf(x / kSwatchSize, y / kSwatchSize);
    }
    return image;
}

} // namespace

QImage MakeZxPaletteImage() {
    return MakeSwatchGrid(kColourCount, 1, [](int i, int) { return ZxPalette[i]; });
}

QImage MakeFullPaletteImage() {
    return MakeSwatchGrid(kColourCount, kColourCount,
                          [](int s0, int s1) { return MixTable[s0][s1]; });
}

QImage MakeBorderPaletteImage() {
    return MakeSwatchGrid(8, 8, [](int a, int b) { return BorderMix(a, b); });
}

void DrawSwatchMarker(QImage& image, int left, int top) {
    const QRect square(left + 4, top + 4, 8, 8);
    for (int y = square.top(); y <= square.bottom(); ++y) {
        for (int x = square.left(); x <= square.right(); ++x) {
            if (!image.valid(x, y))
                continue;
            const bool edge = x == square.left() || x == square.right() || y == square.top() ||
                              y == square.bottom();
            image.setPixel(x, y, edge ? MakeRgb(0, 0, 0) : MakeRgb(255, 255, 255));
        }
    }
}
