// SPDX-License-Identifier: GPL-3.0-or-later
// The colour tables: mixes, brightness, and out-of-range indices.
#include "picture/colour.h"

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

TEST(ColourTables, OutOfRangeIndicesLandOnTheNoColourSlot) {
    // Damaged values never index outside a table; they show as black.
    EXPECT_EQ(ZxColour(15), MakeRgb(0, 0, 0));
    EXPECT_EQ(ZxColour(200), MakeRgb(0, 0, 0));
    EXPECT_EQ(Mix(255, 14), Mix(15, 14));
    EXPECT_EQ(SpectrumAttr({255, 7}), InkBits[7]);
    EXPECT_EQ(SpectrumAttr({13, 1}), 0x39);
    EXPECT_EQ(SpectrumAttr({4, 0}), 0x50); // bright from the paper alone
}

} // namespace
