// SPDX-License-Identifier: GPL-3.0-or-later
// The attribute row each pixel row shows, and the values a picture may hold.
#include "picture/mgs_image.h"
#include "support/test_pictures.h"

#include <gtest/gtest.h>

#include <array>

namespace {

TEST(PictureLayout, EffectiveAttrRowInEveryMode) {
    // 8x1: the side columns keep 8-row cells, the middle sixteen change every row; 8x2 has
    // no side columns. {CharHeight, row, column, effective row}:
    const std::array<int, 4> cases[] = {{1, 5, 0, 0},      {1, 13, 3, 8},    {1, 13, 7, 8},
                                        {1, 13, 24, 8},    {1, 13, 31, 8},   {1, 5, 8, 5},
                                        {1, 13, 23, 13},   {2, 191, 0, 190}, {4, 191, 12, 188},
                                        {8, 191, 31, 184}, {2, 191, 12, 190}};
    for (auto [height, row, column, effective] : cases)
        EXPECT_EQ(EffectiveAttrRow(height, row, column), effective) << height << " " << column;
}

MgsImage PictureWithContent() {
    MgsImage picture;
    picture.CharHeight = 4;
    picture.BorderPair = {3, 6};
    picture.PixelPlane[0][17] = 0x5A;
    picture.PixelPlane[1][6000] = 0xFF;
    picture.AttrPlane[0][100] = {3, 13};
    picture.AttrPlane[1][6143] = {14, 2};
    return picture;
}

TEST(PictureOperations, ValidityCoversEveryValueTheModelCannotHold) {
    MgsImage picture = PictureWithContent();
    EXPECT_TRUE(IsPictureValid(picture));
    picture.CharHeight = 3;
    EXPECT_FALSE(IsPictureValid(picture));
    picture.CharHeight = 8;
    picture.BorderPair[1] = 8;
    EXPECT_FALSE(IsPictureValid(picture));
    picture.BorderPair[1] = 7;
    picture.AttrPlane[1][6143].ink = 15;
    EXPECT_FALSE(IsPictureValid(picture));
    picture.AttrPlane[1][6143].ink = 14;
    EXPECT_TRUE(IsPictureValid(picture));

    NewPicture(picture, 1); // clears the planes, keeps the border
    EXPECT_EQ(picture.CharHeight, 1);
    EXPECT_EQ(Planes(picture), PicturePlanes{});
    EXPECT_EQ(picture.BorderPair, (std::array<uint8_t, 2>{3, 7}));
}

} // namespace
