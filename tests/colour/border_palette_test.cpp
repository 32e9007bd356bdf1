// SPDX-License-Identifier: GPL-3.0-or-later
#include "colour/border_palette.h"

#include <gtest/gtest.h>

namespace {

TEST(BorderPalette, PointsOffThePaletteStayOnItsEdge) {
    MgsImage picture;
    Rgb borderRGB = 0;
    const BorderPick pick = PressBorderPalette(picture, borderRGB, {-5, 400});
    EXPECT_EQ(QPoint(pick.a, pick.b), QPoint(0, 7));
    EXPECT_EQ(picture.BorderPair, (std::array<uint8_t, 2>{0, 7}));
    EXPECT_EQ(borderRGB, BorderMix(0, 7));
}

TEST(BorderPalette, MarkedPictureHasOneMarkerOnTheChosenCell) {
    const QImage image = MarkedBorderPalette(2, 1);
    EXPECT_EQ(image.pixel(39, 23), MakeRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(44, 28), MakeRgb(0x73, 0x00, 0x73)); // right and bottom exclusive
    // The start-up marker at (0, 0) is gone.
    EXPECT_EQ(image.pixel(6, 6), BorderMix(0, 0));
    EXPECT_EQ(MarkedBorderPalette(0, 0).pixel(6, 6), MakeRgb(255, 255, 255));
}

} // namespace
