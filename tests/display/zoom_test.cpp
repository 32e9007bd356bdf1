// SPDX-License-Identifier: GPL-3.0-or-later
#include "display/zoom.h"

#include <gtest/gtest.h>

namespace {

TEST(Zoom, ChangingTheLevelKeepsTheCentre) {
    // Level 1 -> 4 in an 800 x 600 box at (0, 0): centre (100, 75) in picture pixels.
    EXPECT_EQ(ScrollKeepingCentre({800, 600}, {0, 0}, 4, 16), QPoint(1200, 900));
    // And back: the same centre, at level 1 scrolled to 0, 0 again.
    EXPECT_EQ(ScrollKeepingCentre({800, 600}, {1200, 900}, 16, 4), QPoint(0, 0));
    // Level 4 -> 1 near the top-left corner: the computed positions are negative.
    EXPECT_EQ(ScrollKeepingCentre({800, 600}, {16, 16}, 16, 4), QPoint(0, 0));
    // Level 2 -> 3 from the middle of the picture keeps the middle.
    const QPoint at3 = ScrollKeepingCentre({800, 600}, {1024 - 400, 768 - 300}, 8, 12);
    EXPECT_EQ(at3, QPoint(1536 - 400, 1152 - 300));
}

TEST(Zoom, SelectorFrameAndItsClamping) {
    EXPECT_EQ(ZoomSelectorFrameSize({800, 600}, 8), QSize(192, 144));
    EXPECT_EQ(ZoomSelectorFrameSize({800, 600}, 16), QSize(96, 72));
    // The pointer near the bottom-right corner: the frame stops at the picture's edge.
    EXPECT_EQ(ZoomSelectorCell({500, 380}, {800, 600}, 8), QPoint(20, 15));
    EXPECT_EQ(ZoomSelectorCell({100, 50}, {800, 600}, 8), QPoint(6, 3));
    EXPECT_EQ(ZoomSelectorRect({20, 15}, {800, 600}, 8), QRect(320, 240, 192, 144));
    // Outside the image the cell is taken as it is.
    EXPECT_EQ(ZoomSelectorCell({600, 10}, {800, 600}, 8), QPoint(37, 0));
}

} // namespace
