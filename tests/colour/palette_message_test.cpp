// SPDX-License-Identifier: GPL-3.0-or-later
#include "colour/palette_message.h"

#include <gtest/gtest.h>

namespace {

TEST(PaletteMessage, FourNibblesPaper0LowestAndNothingElse) {
    EXPECT_EQ(EncodePaletteMessage({1, 14, 0, 7}), 0x70E1u);
    EXPECT_EQ(DecodePaletteMessage(0x70E1), (AttrSet{1, 14, 0, 7}));
    EXPECT_EQ(DecodePaletteMessage(0xEEEE), (AttrSet{14, 14, 14, 14}));
    for (int64_t bad : {0x000FLL, 0x00F0LL, 0x0F00LL, 0xF000LL, 0x170E1LL, -1LL, 1LL << 40})
        EXPECT_FALSE(DecodePaletteMessage(bad).has_value()) << bad;

    DrawingState drawing;
    drawing.CurrentAttr = {2, 4, 6, 8};
    drawing.CurrentCharColor = 2;
    drawing.LastPaintKey = {3, 3, 0, 0};
    EXPECT_FALSE(ApplyPaletteMessage(drawing, 0xF0E1));
    EXPECT_EQ(drawing.CurrentAttr, (AttrSet{2, 4, 6, 8}));
    EXPECT_TRUE(ApplyPaletteMessage(drawing, 0x70E1));
    EXPECT_EQ(drawing.CurrentAttr, (AttrSet{1, 14, 0, 7})); // as they come, no matching
    EXPECT_EQ(drawing.CurrentCharColor, 2);
    EXPECT_EQ(drawing.LastPaintKey, (PaintKey{3, 3, 0, 0}));
}

} // namespace
