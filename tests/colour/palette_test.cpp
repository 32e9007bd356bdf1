// SPDX-License-Identifier: GPL-3.0-or-later
// The colour rules of the palettes: brightness matching and the full palette.
#include "colour/palette.h"

#include <gtest/gtest.h>

namespace {

TEST(Palette, BrightnessFollowsTheColourJustChosenExceptWithBlack) {
    struct Case {
        uint8_t target, reference, expected;
    };
    for (const Case& c : {Case{13, 2, 14}, Case{4, 3, 3}, Case{14, 14, 14}, Case{0, 2, 0},
                          Case{7, 0, 7}, Case{8, 0, 8}}) {
        uint8_t target = c.target;
        MatchBrightness(target, c.reference);
        EXPECT_EQ(target, c.expected) << int(c.target) << " against " << int(c.reference);
    }
}

// Column 6, row 12 for each combined colour: the clicked colours land in that
// combination's members; the partners follow in brightness and keep their hue.
TEST(Palette, FullPaletteClickSetsTheMembersOfTheCurrentCombination) {
    const AttrSet expected[4] = {{6, 6, 12, 10}, {6, 6, 8, 12}, {4, 6, 12, 10}, {4, 6, 8, 12}};
    for (int n = 0; n < 4; ++n) {
        DrawingState drawing;
        drawing.CurrentAttr = {3, 5, 7, 9};
        drawing.CurrentCharColor = n;
        drawing.LastPaintKey = {0, 0, 0, 0};
        EXPECT_TRUE(ClickFullPalette(drawing, 100, 200));
        EXPECT_EQ(drawing.CurrentAttr, expected[n]) << n;
        EXPECT_EQ(drawing.LastPaintKey, PaintKey{});
    }
    DrawingState drawing; // column = screen 0, row = screen 1
    EXPECT_TRUE(ClickFullPalette(drawing, 16 * 1, 16 * 3 + 15));
    EXPECT_EQ(drawing.CurrentAttr, (AttrSet{1, 0, 3, 0}));
    EXPECT_FALSE(ClickFullPalette(drawing, 240, 0));
    EXPECT_FALSE(ClickFullPalette(drawing, 0, -1));
    EXPECT_EQ(drawing.CurrentAttr, (AttrSet{1, 0, 3, 0}));
}

} // namespace
