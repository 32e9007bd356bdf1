// SPDX-License-Identifier: GPL-3.0-or-later
#include "picture/colour.h"
#include "picture/palette_images.h"

#include <gtest/gtest.h>

namespace {

TEST(ColourTables, MixTableFollowsTheMixingRule) {
    EXPECT_EQ(MixTable[1][0], MakeRgb(0, 0, 115));
    EXPECT_EQ(MixTable[4][13], MakeRgb(230, 115, 115));
    EXPECT_EQ(MixTable[0][14], MakeRgb(157, 157, 157));
    EXPECT_EQ(MixTable[13][14], MakeRgb(230, 230, 230));
    EXPECT_EQ(MixTable[9][3], MakeRgb(115, 115, 115));
    for (int a = 0; a < kColourCount; ++a) {
        EXPECT_EQ(MixTable[a][a], ZxPalette[a]) << a;
        for (int b = 0; b < kColourCount; ++b)
            EXPECT_EQ(MixTable[a][b], MixTable[b][a]) << a << "," << b;
    }
}

TEST(ColourTables, PaletteIndicesAndBrightness) {
    EXPECT_EQ(ZxPalette[1], MakeRgb(0, 0, 202));
    EXPECT_EQ(ZxPalette[4], MakeRgb(254, 0, 0));
    EXPECT_EQ(ZxPalette[11], MakeRgb(202, 202, 0));
    EXPECT_EQ(ZxPalette[14], MakeRgb(254, 254, 254));
    for (int i = 1; i < kColourCount; ++i) {
        EXPECT_EQ(ToNormal[i] % 2, 1) << i;
        EXPECT_EQ(ToBright[i] % 2, 0) << i;
        EXPECT_EQ(ToNormal[ToBright[i]], ToNormal[i]) << i;
    }
}

TEST(ColourTables, OutOfRangeIndicesLandOnTheNoColourSlot) {
    // Damaged values never index outside a table; they show as black.
    EXPECT_EQ(ZxColour(15), MakeRgb(0, 0, 0));
    EXPECT_EQ(ZxColour(200), MakeRgb(0, 0, 0));
    EXPECT_EQ(Mix(255, 14), Mix(15, 14));
    EXPECT_EQ(SpectrumAttr({255, 7}), InkBits[7]);
    EXPECT_EQ(SpectrumAttr({13, 1}), 0x39);
    EXPECT_EQ(SpectrumAttr({4, 0}), 0x50); // bright from the paper alone
}

TEST(PaletteImages, PixelsEqualTheTables) {
    const QImage zx = MakeZxPaletteImage();
    ASSERT_EQ(zx.size(), QSize(240, 16));
    for (int i = 0; i < kColourCount; ++i)
        EXPECT_EQ(zx.pixel(16 * i + 1, 1), ZxPalette[i]);

    const QImage full = MakeFullPaletteImage();
    ASSERT_EQ(full.size(), QSize(240, 240));
    for (int s0 = 0; s0 < kColourCount; ++s0)
        for (int s1 = 0; s1 < kColourCount; ++s1)
            EXPECT_EQ(full.pixel(16 * s0 + 15, 16 * s1 + 7), MixTable[s0][s1]);

    const QImage border = MakeBorderPaletteImage();
    ASSERT_EQ(border.size(), QSize(128, 128));
    EXPECT_EQ(border.pixel(40, 20), MakeRgb(0x73, 0x00, 0x73)); // red with blue
    EXPECT_EQ(border.pixel(127, 127), MakeRgb(0xCA, 0xCA, 0xCA));
    EXPECT_EQ(border.pixel(0, 0), MakeRgb(0, 0, 0));
}

TEST(PaletteImages, SwatchMarkerIsABlackOutlinedWhiteSquare) {
    QImage image = MakeZxPaletteImage();
    DrawSwatchMarker(image, 32, 0);
    EXPECT_EQ(image.pixel(36, 4), MakeRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(43, 11), MakeRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(37, 5), MakeRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(44, 12), ZxPalette[2]); // right and bottom edges exclusive
    EXPECT_EQ(image.pixel(35, 3), ZxPalette[2]);
}

} // namespace
