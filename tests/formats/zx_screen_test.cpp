// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/zx_screen.h"
#include "picture/colour.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(ZxScreen, OffsetFollowsTheInterleavedThirds) {
    EXPECT_EQ(ZxScreenOffset(1, 0), 256);       // pixel row 1 of character row 0
    EXPECT_EQ(ZxScreenOffset(8, 0), 32);        // pixel row 0 of character row 1
    EXPECT_EQ(ZxScreenOffset(64, 5), 2048 + 5); // the second third
    EXPECT_EQ(ZxScreenOffset(191, 0), 6112);
    // Every offset is used once, and memory line L shows the row the reverse rule gives.
    std::set<int> seen;
    for (int y = 0; y < 192; ++y) {
        for (int c = 0; c < 32; ++c) {
            const int line = ZxScreenOffset(y, c) / 32;
            seen.insert(ZxScreenOffset(y, c));
            EXPECT_EQ((line & 192) + (line & 7) * 8 + (line & 56) / 8, y);
        }
    }
    EXPECT_EQ(seen.size(), 6144u);
}

TEST(ZxScreen, AttributeBytes) {
    // 40: bright black on black is plain black; 87: flash dropped; 4F: bright 1 and 7.
    EXPECT_EQ(AttrToIndex(0x40), (AttrCell{0, 0}));
    EXPECT_EQ(SpectrumAttr(AttrToIndex(0x40)), 0x00);
    EXPECT_EQ(AttrToIndex(0x87), (AttrCell{0, 13}));
    EXPECT_EQ(SpectrumAttr(AttrToIndex(0x87)), 0x07);
    EXPECT_EQ(AttrToIndex(0x4F), (AttrCell{2, 14}));
    EXPECT_EQ(SpectrumAttr(AttrToIndex(0x4F)), 0x4F);
    for (int byte = 0; byte < 256; ++byte) {
        const AttrCell cell = AttrToIndex(static_cast<uint8_t>(byte));
        EXPECT_TRUE(cell.paper <= 14 && cell.ink <= 14) << byte;
        EXPECT_EQ(AttrToIndex(SpectrumAttr(cell)), cell) << byte; // one trip is canonical
    }
    // A cell with one bright and one normal colour, neither black, comes back all bright.
    for (const AttrCell cell : {AttrCell{2, 14}, AttrCell{1, 13}, AttrCell{0, 14}, AttrCell{5, 0}})
        EXPECT_EQ(AttrToIndex(SpectrumAttr(cell)), cell);
    EXPECT_EQ(AttrToIndex(SpectrumAttr(AttrCell{1, 14})), (AttrCell{2, 14}));
    EXPECT_EQ(AttrToIndex(SpectrumAttr(AttrCell{4, 13})), (AttrCell{4, 14}));
}

} // namespace
