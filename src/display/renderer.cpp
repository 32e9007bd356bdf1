// SPDX-License-Identifier: GPL-3.0-or-later
// The renderer's hot loops write straight into scanlines: a full render is 49152 pixels
// into four images, and it runs after every whole-picture operation.
#include "display/renderer.h"

#include "picture/colour.h"

#include <algorithm>
#include <cstring>

namespace {

struct RowColours {
    CharColours mixed;
    std::array<Rgb, 2> single0; // screen 0: paper, ink
    std::array<Rgb, 2> single1; // screen 1: paper, ink
};

RowColours ColoursAt(const MgsImage& picture, int column, int attrRow) {
    const int i = PlaneIndex(column, attrRow);
    const int paper0 = ColourSlot(picture.AttrPlane[0][i].paper);
    const int ink0 = ColourSlot(picture.AttrPlane[0][i].ink);
    const int paper1 = ColourSlot(picture.AttrPlane[1][i].paper);
    const int ink1 = ColourSlot(picture.AttrPlane[1][i].ink);
    return {{MixTable[paper0][paper1], MixTable[paper0][ink1], MixTable[ink0][paper1],
             MixTable[ink0][ink1]},
            {ZxPalette[paper0], ZxPalette[ink0]},
            {ZxPalette[paper1], ZxPalette[ink1]}};
}

Rgb* Line(QImage& image, int y) {
    return reinterpret_cast<Rgb*>(image.scanLine(y));
}

// One byte of both screens into eight mixed pixels and sixteen preview pixels of one row.
inline void MixByte(uint8_t b0, uint8_t b1, const CharColours& mixed, Rgb* mixedOut,
                    Rgb* previewOut) {
    for (int k = 0; k < 8; ++k) {
        const int shift = 7 - k;
        const Rgb colour = mixed[((b0 >> shift) & 1) * 2 + ((b1 >> shift) & 1)];
        mixedOut[k] = colour;
        previewOut[2 * k] = colour;
        previewOut[2 * k + 1] = colour;
    }
}

} // namespace

RenderImages RenderImages::Create() {
    RenderImages images;
    images.MixedImage = QImage(512, 384, QImage::Format_RGB32);
    images.PreviewImage = QImage(512, 384, QImage::Format_RGB32);
    for (auto& screen : images.ScreenImage)
        screen = QImage(kPictureWidth, kPictureHeight, QImage::Format_RGB32);
    images.MixedImage.fill(Qt::white);
    images.PreviewImage.fill(Qt::white);
    for (auto& screen : images.ScreenImage)
        screen.fill(Qt::white);
    return images;
}

void RenderPicture(const MgsImage& picture, RenderImages& images) {
    const int charHeight = SafeCharHeight(picture);
    // Colours change only where a new attribute row takes effect, so they are looked up
    // per column and cell, not per pixel row.
    std::array<RowColours, kByteColumns> colours;
    std::array<int, kByteColumns> coloursRow;
    coloursRow.fill(-1);
    for (int y = 0; y < kPixelRows; ++y) {
        Rgb* mixed = Line(images.MixedImage, y);
        Rgb* preview0 = Line(images.PreviewImage, 2 * y);
        Rgb* preview1 = Line(images.PreviewImage, 2 * y + 1);
        Rgb* screen0 = Line(images.ScreenImage[0], y);
        Rgb* screen1 = Line(images.ScreenImage[1], y);
        for (int c = 0; c < kByteColumns; ++c) {
            const int attrRow = EffectiveAttrRow(charHeight, y, c);
            if (coloursRow[c] != attrRow) {
                colours[c] = ColoursAt(picture, c, attrRow);
                coloursRow[c] = attrRow;
            }
            // A local copy: the stores below could alias the table (both are uint32_t),
            // which would make the compiler reload it for every pixel.
            const RowColours cell = colours[c];
            const unsigned b0 = picture.PixelPlane[0][PlaneIndex(c, y)];
            const unsigned b1 = picture.PixelPlane[1][PlaneIndex(c, y)];
#pragma GCC unroll 8
            for (int k = 0; k < 8; ++k) {
                const unsigned bit0 = (b0 >> (7 - k)) & 1u;
                const unsigned bit1 = (b1 >> (7 - k)) & 1u;
                const Rgb colour = cell.mixed[bit0 * 2 + bit1];
                const uint64_t pair = (static_cast<uint64_t>(colour) << 32) | colour;
                mixed[8 * c + k] = colour;
                std::memcpy(preview0 + 16 * c + 2 * k, &pair, sizeof pair);
                std::memcpy(preview1 + 16 * c + 2 * k, &pair, sizeof pair);
                screen0[8 * c + k] = cell.single0[bit0];
                screen1[8 * c + k] = cell.single1[bit1];
            }
        }
    }
}

QRect CellPixelRect(int charHeight, int column, int cellRow) {
    if (charHeight == 1 && (column < 8 || column >= 24))
        return QRect(8 * column, (cellRow / 8) * 8, 8, 8);
    return QRect(8 * column, cellRow * charHeight, 8, charHeight);
}

QRect RedrawCell(const MgsImage& picture, RenderImages& images, int column, int cellRow,
                 int attrRow) {
    const int charHeight = SafeCharHeight(picture);
    if (column < 0 || column >= kByteColumns || cellRow < 0 ||
        cellRow >= CellRowCount(charHeight) || attrRow < 0 || attrRow >= kPixelRows)
        return {};
    const QRect rows = CellPixelRect(charHeight, column, cellRow);
    const CharColours mixed = ColoursAt(picture, column, attrRow).mixed;
    for (int y = rows.top(); y <= rows.bottom(); ++y) {
        Rgb* preview = Line(images.PreviewImage, 2 * y) + 16 * column;
        MixByte(picture.PixelPlane[0][PlaneIndex(column, y)],
                picture.PixelPlane[1][PlaneIndex(column, y)], mixed,
                Line(images.MixedImage, y) + 8 * column, preview);
        std::memcpy(Line(images.PreviewImage, 2 * y + 1) + 16 * column, preview, 16 * sizeof(Rgb));
    }
    return rows;
}
