// SPDX-License-Identifier: GPL-3.0-or-later
// The renderer's hot loops write straight into scanlines: a full render is 49152 pixels
// into four images, and it runs after every whole-picture operation.
#include "display/renderer.h"

#include "picture/colour.h"

#include <algorithm>
#include <cstring>

namespace {

// The eight pixels of one byte column as one value of the compiler's vector type (two SSE2
// registers on plain x86-64, one with AVX2). A pixel's colour is chosen from its bits with
// masks, so a byte of both screens becomes its pixels without a branch per pixel.
// The helpers never take or return it by value, and are always inlined: passed by value it
// would go by a calling convention that differs between the plain and the AVX2 build of
// the loop, which some compilers refuse.
typedef uint32_t Pixels8 __attribute__((vector_size(32)));

// kBitLanes[b]: all ones in the lanes of the pixels whose bit is set in byte b, bit 7 the
// leftmost pixel.
struct alignas(32) BitLanes {
    std::array<uint32_t, 8> lanes;
};
constexpr std::array<BitLanes, 256> MakeBitLanes() {
    std::array<BitLanes, 256> table{};
    for (int b = 0; b < 256; ++b)
        for (int k = 0; k < 8; ++k)
            table[b].lanes[k] = (b >> (7 - k)) & 1 ? 0xFFFFFFFFu : 0u;
    return table;
}
constexpr std::array<BitLanes, 256> kBitLanes = MakeBitLanes();

[[gnu::always_inline]] inline void LoadLanes(Pixels8& lanes, unsigned byte) {
    std::memcpy(&lanes, kBitLanes[byte & 0xFF].lanes.data(), sizeof lanes);
}

// A colour in every lane.
constexpr Pixels8 kNoPixels = {};
#define TILESMITH_SPLAT(c) (kNoPixels + (c))

[[gnu::always_inline]] inline void Store(Rgb* out, const Pixels8& pixels) {
    std::memcpy(out, &pixels, sizeof pixels);
}

// One cell's colours in the form the selection below needs: a colour and the differences
// (XOR) that the bits switch on. For the mixed colour with masks m0, m1 of the two screens:
// P0+P1 ^ (m0 & d0) ^ (m1 & d1) ^ (m0 & m1 & d01) is the CharPalette entry bit0 * 2 + bit1.
// Kept as single values and spread across the lanes where used: in the 8x1 mode half the
// columns change colours on every row.
struct CellColours {
    Rgb mixed, d0, d1, d01;
    Rgb paper0, inkXor0, paper1, inkXor1; // single screens: paper ^ (m & (paper ^ ink))
};

// Written field by field into place: a copy of the whole record would be read back wider
// than it was written, which the processor cannot forward from its stores. The render
// runs it in a loop of its own ahead of the pixels, where inlining costs the pixel loop
// no registers.
[[gnu::always_inline]] inline void FillColours(CellColours& out, const MgsImage& picture,
                                               int column, int attrRow) {
    const int i = PlaneIndex(column, attrRow);
    const int paper0 = ColourSlot(picture.AttrPlane[0][i].paper);
    const int ink0 = ColourSlot(picture.AttrPlane[0][i].ink);
    const int paper1 = ColourSlot(picture.AttrPlane[1][i].paper);
    const int ink1 = ColourSlot(picture.AttrPlane[1][i].ink);
    const Rgb pp = MixTable[paper0][paper1], pi = MixTable[paper0][ink1];
    const Rgb ip = MixTable[ink0][paper1], ii = MixTable[ink0][ink1];
    out.mixed = pp;
    out.d0 = ip ^ pp;
    out.d1 = pi ^ pp;
    out.d01 = ii ^ ip ^ pi ^ pp;
    out.paper0 = ZxPalette[paper0];
    out.inkXor0 = ZxPalette[paper0] ^ ZxPalette[ink0];
    out.paper1 = ZxPalette[paper1];
    out.inkXor1 = ZxPalette[paper1] ^ ZxPalette[ink1];
}

Rgb* Line(QImage& image, int y) {
    return reinterpret_cast<Rgb*>(image.scanLine(y));
}

[[gnu::always_inline]] inline void MixedPixels(Pixels8& out, const CellColours& cell,
                                               const Pixels8& m0, const Pixels8& m1) {
    out = TILESMITH_SPLAT(cell.mixed) ^ (m0 & TILESMITH_SPLAT(cell.d0)) ^
          (m1 & TILESMITH_SPLAT(cell.d1)) ^ (m0 & m1 & TILESMITH_SPLAT(cell.d01));
}

// The eight mixed pixels of a byte, and each of them twice along the two preview rows.
[[gnu::always_inline]] inline void StoreMixed(const Pixels8& pixels, Rgb* mixedOut,
                                              Rgb* previewOut0, Rgb* previewOut1) {
    const Pixels8 left = __builtin_shufflevector(pixels, pixels, 0, 0, 1, 1, 2, 2, 3, 3);
    const Pixels8 right = __builtin_shufflevector(pixels, pixels, 4, 4, 5, 5, 6, 6, 7, 7);
    Store(mixedOut, pixels);
    for (Rgb* preview : {previewOut0, previewOut1}) {
        Store(preview, left);
        Store(preview + 8, right);
    }
}

// The body of RenderPicture, built for plain x86-64 and again for AVX2, which the loader
// picks when the processor has it: twice the pixels per instruction.
#if defined(__x86_64__) && defined(__has_attribute)
#if __has_attribute(target_clones)
#define TILESMITH_WIDE_VECTORS __attribute__((target_clones("avx2", "default")))
#endif
#endif
#ifndef TILESMITH_WIDE_VECTORS
#define TILESMITH_WIDE_VECTORS
#endif

// One byte column of one pixel row into the four images.
[[gnu::always_inline]] inline void RenderByte(const CellColours& cell, uint8_t bits0, uint8_t bits1,
                                              Rgb* mixed, Rgb* preview, qsizetype previewStride,
                                              Rgb* screen0, Rgb* screen1) {
    Pixels8 m0, m1, pixels;
    LoadLanes(m0, bits0);
    LoadLanes(m1, bits1);
    MixedPixels(pixels, cell, m0, m1);
    StoreMixed(pixels, mixed, preview, preview + previewStride);
    pixels = TILESMITH_SPLAT(cell.paper0) ^ (m0 & TILESMITH_SPLAT(cell.inkXor0));
    Store(screen0, pixels);
    pixels = TILESMITH_SPLAT(cell.paper1) ^ (m1 & TILESMITH_SPLAT(cell.inkXor1));
    Store(screen1, pixels);
}

// Columns first..last-1 of pixel row y, their colours from `colours`, which is brought up
// to date where a new attribute row takes effect.
[[gnu::always_inline]] inline void RenderSpan(const MgsImage& picture, int charHeight, int y,
                                              int first, int last,
                                              std::array<CellColours, kByteColumns>& colours,
                                              Rgb* mixed, Rgb* preview, qsizetype previewStride,
                                              Rgb* screen0, Rgb* screen1) {
    for (int c = first; c < last; ++c)
        if (EffectiveAttrRow(charHeight, y, c) == y)
            FillColours(colours[c], picture, c, y);
    for (int c = first; c < last; ++c)
        RenderByte(colours[c], picture.PixelPlane[0][PlaneIndex(c, y)],
                   picture.PixelPlane[1][PlaneIndex(c, y)], mixed + 8 * c, preview + 16 * c,
                   previewStride, screen0 + 8 * c, screen1 + 8 * c);
}

TILESMITH_WIDE_VECTORS
void RenderRows(const MgsImage& picture, int charHeight, Rgb* mixed, Rgb* preview, Rgb* screen0,
                Rgb* screen1, qsizetype mixedStride, qsizetype previewStride,
                qsizetype screenStride) {
    // Colours change only where a new attribute row takes effect (a cell's first row), so
    // they are looked up per column and cell, not per pixel row, and apart from the pixels.
    // The 8x1 middle columns are the exception: every row is a new cell there, and going
    // through the table would only add a store and a load to each lookup.
    std::array<CellColours, kByteColumns> colours;
    for (int y = 0; y < kPixelRows; ++y) {
        if (charHeight != 1) {
            RenderSpan(picture, charHeight, y, 0, kByteColumns, colours, mixed, preview,
                       previewStride, screen0, screen1);
        } else {
            RenderSpan(picture, charHeight, y, 0, 8, colours, mixed, preview, previewStride,
                       screen0, screen1);
            for (int c = 8; c < 24; ++c) {
                CellColours cell;
                FillColours(cell, picture, c, y);
                RenderByte(cell, picture.PixelPlane[0][PlaneIndex(c, y)],
                           picture.PixelPlane[1][PlaneIndex(c, y)], mixed + 8 * c, preview + 16 * c,
                           previewStride, screen0 + 8 * c, screen1 + 8 * c);
            }
            RenderSpan(picture, charHeight, y, 24, kByteColumns, colours, mixed, preview,
                       previewStride, screen0, screen1);
        }
        mixed += mixedStride;
        preview += 2 * previewStride;
        screen0 += screenStride;
        screen1 += screenStride;
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
    auto stride = [](const QImage& image) { return image.bytesPerLine() / qsizetype(sizeof(Rgb)); };
    RenderRows(picture, SafeCharHeight(picture), Line(images.MixedImage, 0),
               Line(images.PreviewImage, 0), Line(images.ScreenImage[0], 0),
               Line(images.ScreenImage[1], 0), stride(images.MixedImage),
               stride(images.PreviewImage), stride(images.ScreenImage[0]));
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
    CellColours cell;
    FillColours(cell, picture, column, attrRow);
    for (int y = rows.top(); y <= rows.bottom(); ++y) {
        Pixels8 m0, m1, pixels;
        LoadLanes(m0, picture.PixelPlane[0][PlaneIndex(column, y)]);
        LoadLanes(m1, picture.PixelPlane[1][PlaneIndex(column, y)]);
        MixedPixels(pixels, cell, m0, m1);
        StoreMixed(pixels, Line(images.MixedImage, y) + 8 * column,
                   Line(images.PreviewImage, 2 * y) + 16 * column,
                   Line(images.PreviewImage, 2 * y + 1) + 16 * column);
    }
    return rows;
}
