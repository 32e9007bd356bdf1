#include "colour/palette_message.h"

#include <gtest/gtest.h>

namespace {

TEST(PaletteMessage, FourNibblesPaper0Lowest) {
    const AttrSet attr{1, 14, 0, 7};
    EXPECT_EQ(EncodePaletteMessage(attr), 0x70E1u);
    EXPECT_EQ(DecodePaletteMessage(0x70E1), attr);
    EXPECT_EQ(DecodePaletteMessage(0xEEEE), (AttrSet{14, 14, 14, 14}));
    EXPECT_EQ(DecodePaletteMessage(0), AttrSet{});
}

TEST(PaletteMessage, ValuesNoCopyOfTheEditorSendsAreIgnored) {
    for (int64_t payload : {int64_t{0x000F}, int64_t{0x00F0}, int64_t{0x0F00}, int64_t{0xF000},
                            int64_t{0x10000}, int64_t{0x170E1}, int64_t{-1}, int64_t{1} << 40})
        EXPECT_FALSE(DecodePaletteMessage(payload).has_value()) << payload;

    DrawingState drawing;
    drawing.CurrentAttr = {2, 4, 6, 8};
    drawing.CurrentCharColor = 2;
    drawing.LastPaintKey = {3, 3, 0, 0};
    EXPECT_FALSE(ApplyPaletteMessage(drawing, 0xF0E1));
    EXPECT_EQ(drawing.CurrentAttr, (AttrSet{2, 4, 6, 8}));
    EXPECT_TRUE(ApplyPaletteMessage(drawing, 0x70E1));
    EXPECT_EQ(drawing.CurrentAttr, (AttrSet{1, 14, 0, 7})); // taken as it comes, no matching
    EXPECT_EQ(drawing.CurrentCharColor, 2);
    EXPECT_EQ(drawing.LastPaintKey, (PaintKey{3, 3, 0, 0}));
}

} // namespace
