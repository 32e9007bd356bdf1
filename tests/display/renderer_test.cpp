// SPDX-License-Identifier: GPL-3.0-or-later
#include "display/renderer.h"
#include "picture/colour.h"
#include "support/test_pictures.h"

#include <gtest/gtest.h>

namespace {

QImage Used(const QImage& mixed) {
    return mixed.copy(0, 0, kPictureWidth, kPictureHeight);
}

// Every pixel of all four images as the rule reads, pixel by pixel, on random pictures.
TEST(Renderer, EveryPixelOfEveryImageFollowsItsBitsAndCellColours) {
    for (int charHeight : {8, 4, 2, 1}) {
        const MgsImage picture = RandomPicture(charHeight, 11 + charHeight);
        RenderImages images = RenderImages::Create();
        RenderPicture(picture, images);
        for (int y = 0; y < 192; ++y) {
            for (int x = 0; x < 256; ++x) {
                const int c = x / 8, i = PlaneIndex(c, EffectiveAttrRow(picture, y, c));
                const AttrCell a0 = picture.AttrPlane[0][i], a1 = picture.AttrPlane[1][i];
                const bool bit0 = picture.PixelPlane[0][PlaneIndex(c, y)] & PixelMask(x);
                const bool bit1 = picture.PixelPlane[1][PlaneIndex(c, y)] & PixelMask(x);
                const Rgb mixed = MixTable[bit0 ? a0.ink : a0.paper][bit1 ? a1.ink : a1.paper];
                ASSERT_EQ(images.MixedImage.pixel(x, y), mixed)
                    << charHeight << " " << x << "," << y;
                ASSERT_EQ(images.ScreenImage[0].pixel(x, y), ZxPalette[bit0 ? a0.ink : a0.paper]);
                ASSERT_EQ(images.ScreenImage[1].pixel(x, y), ZxPalette[bit1 ? a1.ink : a1.paper]);
                for (int d : {0, 1, 2, 3})
                    ASSERT_EQ(images.PreviewImage.pixel(2 * x + d % 2, 2 * y + d / 2), mixed);
            }
        }
    }
}

TEST(Renderer, SideColumnsOf8x1UseTheFirstRowOfTheirBlock) {
    MgsImage picture;
    picture.CharHeight = 1;
    RenderImages images = RenderImages::Create();
    RenderPicture(picture, images);
    const QImage before = Used(images.MixedImage);

    picture.AttrPlane[0][PlaneIndex(2, 3)] = {14, 14};
    RenderPicture(picture, images);
    EXPECT_EQ(Used(images.MixedImage), before);

    picture.AttrPlane[0][PlaneIndex(10, 3)] = {14, 14};
    RenderPicture(picture, images);
    EXPECT_EQ(images.MixedImage.pixel(80, 3), MixTable[14][0]);
    EXPECT_EQ(images.MixedImage.pixel(80, 2), MixTable[0][0]);
    EXPECT_EQ(images.MixedImage.pixel(80, 4), MixTable[0][0]);
}

// After a change inside one cell, RedrawCell must leave the mixed and preview images
// exactly as a full render would.
TEST(Renderer, RedrawCellEqualsAFullRenderOfTheChangedCell) {
    struct Case {
        int charHeight, column, row;
    };
    for (Case k : {Case{8, 5, 17}, Case{4, 31, 191}, Case{2, 0, 0}, Case{1, 12, 77}, Case{1, 3, 77},
                   Case{1, 27, 190}}) {
        MgsImage picture = RandomPicture(k.charHeight, 7);
        RenderImages incremental = RenderImages::Create();
        RenderPicture(picture, incremental);

        const int attrRow = EffectiveAttrRow(picture, k.row, k.column);
        picture.PixelPlane[0][PlaneIndex(k.column, k.row)] ^= 0xA5;
        picture.PixelPlane[1][PlaneIndex(k.column, k.row)] ^= 0x3C;
        picture.AttrPlane[0][PlaneIndex(k.column, attrRow)] = {6, 9};
        picture.AttrPlane[1][PlaneIndex(k.column, attrRow)] = {1, 12};
        const QRect rect =
            RedrawCell(picture, incremental, k.column, k.row / k.charHeight, attrRow);
        EXPECT_TRUE(rect.contains(8 * k.column, k.row));

        RenderImages full = RenderImages::Create();
        RenderPicture(picture, full);
        EXPECT_EQ(Used(incremental.MixedImage), Used(full.MixedImage))
            << "height " << k.charHeight << " column " << k.column;
        EXPECT_EQ(incremental.PreviewImage, full.PreviewImage);
    }
}

TEST(Renderer, RedrawCellIgnoresCellsOutsideThePicture) {
    MgsImage picture;
    RenderImages images = RenderImages::Create();
    EXPECT_TRUE(RedrawCell(picture, images, 32, 0, 0).isEmpty());
    EXPECT_TRUE(RedrawCell(picture, images, 0, 24, 0).isEmpty());
    EXPECT_TRUE(RedrawCell(picture, images, -1, 0, 0).isEmpty());
    EXPECT_TRUE(RedrawCell(picture, images, 0, 0, 192).isEmpty());
}

TEST(Renderer, CellRectOfASideColumnIn8x1IsTheWholeBlock) {
    EXPECT_EQ(CellPixelRect(1, 2, 13), QRect(16, 8, 8, 8));
    EXPECT_EQ(CellPixelRect(1, 12, 13), QRect(96, 13, 8, 1));
    EXPECT_EQ(CellPixelRect(4, 1, 2), QRect(8, 8, 8, 4));
}

} // namespace
