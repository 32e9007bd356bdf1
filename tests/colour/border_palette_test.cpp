#include "colour/border_palette.h"

#include <gtest/gtest.h>

namespace {

TEST(BorderPalette, PressPicksTheCellUnderThePointer) {
    MgsImage picture;
    Rgb borderRGB = MakeRgb(0, 0, 0);
    BorderPick pick = PressBorderPalette(picture, borderRGB, {40, 20});
    EXPECT_EQ(picture.BorderPair, (std::array<uint8_t, 2>{2, 1}));
    EXPECT_EQ(borderRGB, MakeRgb(0x73, 0x00, 0x73));
    EXPECT_EQ(pick.colour, borderRGB);

    pick = PressBorderPalette(picture, borderRGB, {127, 127});
    EXPECT_EQ(QPoint(pick.a, pick.b), QPoint(7, 7));
    EXPECT_EQ(picture.BorderPair, (std::array<uint8_t, 2>{7, 7}));
    EXPECT_EQ(borderRGB, MakeRgb(0xCA, 0xCA, 0xCA));

    // Only the border changes.
    MgsImage expected;
    expected.BorderPair = {7, 7};
    EXPECT_EQ(picture, expected);
}

TEST(BorderPalette, PointsOffThePaletteStayOnItsEdge) {
    MgsImage picture;
    Rgb borderRGB = 0;
    const BorderPick pick = PressBorderPalette(picture, borderRGB, {-5, 400});
    EXPECT_EQ(QPoint(pick.a, pick.b), QPoint(0, 7));
    EXPECT_EQ(borderRGB, BorderMix(0, 7));
}

TEST(BorderPalette, MarkedPictureHasOneMarkerOnTheChosenCell) {
    const QImage image = MarkedBorderPalette(2, 1);
    ASSERT_EQ(image.size(), QSize(128, 128));
    EXPECT_EQ(image.pixel(36, 20), MakeRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(39, 23), MakeRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(44, 28), MakeRgb(0x73, 0x00, 0x73)); // right and bottom exclusive
    EXPECT_EQ(image.pixel(34, 18), MakeRgb(0x73, 0x00, 0x73));
    // Every other cell is plain: the start-up marker at (0, 0) is gone.
    EXPECT_EQ(image.pixel(6, 6), BorderMix(0, 0));
    EXPECT_EQ(MarkedBorderPalette(0, 0).pixel(6, 6), MakeRgb(255, 255, 255));
}

} // namespace
