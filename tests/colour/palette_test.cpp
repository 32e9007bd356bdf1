// SPDX-License-Identifier: GPL-3.0-or-later
// The colour rules of the palettes: brightness matching, strips, and the full palette.
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

TEST(Palette, StripsChooseOneColourAndMatchTheOtherOfTheSameScreen) {
    DrawingState drawing;
    drawing.CurrentAttr = {3, 13, 5, 11};
    drawing.LastPaintKey = {1, 2, 3, 4};
    // The ink0 strip (IMG_PAP0) at x = 40: bright blue; paper0 turns bright red.
    EXPECT_TRUE(ClickStrip(drawing, PaletteStrip::Ink0, 40));
    EXPECT_EQ(drawing.CurrentAttr, (AttrSet{4, 2, 5, 11}));
    EXPECT_EQ(drawing.LastPaintKey, PaintKey{});
    EXPECT_TRUE(ClickStrip(drawing, PaletteStrip::Paper1, 239));
    EXPECT_TRUE(ClickStrip(drawing, PaletteStrip::Ink1, 16 * 7));
    EXPECT_EQ(drawing.CurrentAttr, (AttrSet{4, 2, 13, 7}));
    // Black paper leaves the ink alone, and then any ink leaves the black paper.
    EXPECT_TRUE(ClickStrip(drawing, PaletteStrip::Paper0, 0));
    EXPECT_TRUE(ClickStrip(drawing, PaletteStrip::Ink0, 16 * 9));
    EXPECT_EQ(drawing.CurrentAttr, (AttrSet{0, 9, 13, 7}));

    drawing.LastPaintKey = {1, 2, 3, 4};
    EXPECT_FALSE(ClickStrip(drawing, PaletteStrip::Paper1, 240));
    EXPECT_FALSE(ClickStrip(drawing, PaletteStrip::Paper1, -1));
    EXPECT_EQ(drawing.CurrentAttr, (AttrSet{0, 9, 13, 7}));
    EXPECT_EQ(drawing.LastPaintKey, (PaintKey{1, 2, 3, 4}));
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
