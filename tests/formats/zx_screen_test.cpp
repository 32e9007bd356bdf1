#include "formats/zx_screen.h"
#include "picture/colour.h"
#include "support/test_pictures.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(ZxScreen, OffsetFollowsTheInterleavedThirds) {
    EXPECT_EQ(ZxScreenOffset(0, 0), 0);
    EXPECT_EQ(ZxScreenOffset(1, 0), 256);       // pixel row 1 of character row 0
    EXPECT_EQ(ZxScreenOffset(8, 0), 32);        // pixel row 0 of character row 1
    EXPECT_EQ(ZxScreenOffset(64, 5), 2048 + 5); // the second third
    EXPECT_EQ(ZxScreenOffset(191, 0), 6112);
    EXPECT_EQ(ZxScreenOffset(191, 31), 6143);
    // Every offset is used exactly once, and memory line L shows the pixel row the
    // reverse rule gives.
    std::set<int> seen;
    for (int y = 0; y < 192; ++y) {
        for (int c = 0; c < 32; ++c) {
            const int offset = ZxScreenOffset(y, c);
            seen.insert(offset);
            const int line = offset / 32;
            EXPECT_EQ((line & 192) + (line & 7) * 8 + (line & 56) / 8, y);
        }
    }
    EXPECT_EQ(seen.size(), 6144u);
}

TEST(ZxScreen, BitmapRoundTripAndRow191) {
    const MgsImage picture = RandomPicture(8);
    std::array<uint8_t, kZxBitmapSize> bitmap{};
    PlaneToZxBitmap(picture.PixelPlane[0], bitmap);
    EXPECT_EQ(bitmap[6112 + 3], picture.PixelPlane[0][PlaneIndex(3, 191)]);
    PixelPlaneBytes back{};
    ZxBitmapToPlane(bitmap, back);
    EXPECT_EQ(back, picture.PixelPlane[0]);
}

TEST(ZxScreen, AttributeBytesTheRulesNameExplicitly) {
    // 40: bright black on black is plain black and exports without the bright bit.
    EXPECT_EQ(AttrToIndex(0x40), (AttrCell{0, 0}));
    EXPECT_EQ(SpectrumAttr(AttrToIndex(0x40)), 0x00);
    // 87: flash, white ink on black paper; the flash bit is dropped.
    EXPECT_EQ(AttrToIndex(0x87), (AttrCell{0, 13}));
    EXPECT_EQ(SpectrumAttr(AttrToIndex(0x87)), 0x07);
    // 4F: bright, paper 1, ink 7.
    EXPECT_EQ(AttrToIndex(0x4F), (AttrCell{2, 14}));
    EXPECT_EQ(SpectrumAttr(AttrToIndex(0x4F)), 0x4F);
}

TEST(ZxScreen, EveryAttributeByteGivesAValidCellThatSurvivesExport) {
    for (int byte = 0; byte < 256; ++byte) {
        const AttrCell cell = AttrToIndex(static_cast<uint8_t>(byte));
        EXPECT_LE(cell.paper, 14);
        EXPECT_LE(cell.ink, 14);
        // Importing what was exported changes nothing more: one trip is canonical.
        EXPECT_EQ(AttrToIndex(SpectrumAttr(cell)), cell) << byte;
        // Without flash and apart from an all-black bright cell, the byte itself returns.
        const uint8_t plain = static_cast<uint8_t>(byte & 0x7F);
        if ((plain & 0x3F) != 0) {
            EXPECT_EQ(SpectrumAttr(AttrToIndex(plain)), plain) << byte;
        }
    }
}

TEST(ZxScreen, BrightnessOfACellIsSharedOnExport) {
    // Both bright, both normal, or one black: the cell returns as it was. One bright and
    // one normal colour (neither black): both come back bright.
    const AttrCell same[] = {{2, 14}, {1, 13}, {0, 14}, {0, 13}, {5, 0}, {6, 0}};
    for (const AttrCell cell : same)
        EXPECT_EQ(AttrToIndex(SpectrumAttr(cell)), cell);
    EXPECT_EQ(AttrToIndex(SpectrumAttr(AttrCell{1, 14})), (AttrCell{2, 14}));
    EXPECT_EQ(AttrToIndex(SpectrumAttr(AttrCell{4, 13})), (AttrCell{4, 14}));
}

} // namespace
