// SPDX-License-Identifier: GPL-3.0-or-later
#include "editing/transforms.h"
#include "support/test_pictures.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

constexpr Transform kAll[] = {
    Transform::FlipHorizontal, Transform::FlipVertical, Transform::Rotate90, Transform::RollLeft,
    Transform::RollRight,      Transform::RollUp,       Transform::RollDown};

SelectionRecord Rect(int x, int y, int w, int h) {
    SelectionRecord sel;
    sel.exists = true;
    sel.x = x, sel.y = y, sel.w = w, sel.h = h;
    return sel;
}

bool Pixel(const MgsImage& p, int s, int x, int y) {
    return p.PixelPlane[s][PlaneIndex(x / 8, y)] & PixelMask(x);
}

// Everything outside the pixel rectangle (x0, y0, w, h) is as in `before`, bits and
// attribute entries.
void ExpectOutsideUnchanged(const MgsImage& after, const MgsImage& before, int x0, int y0, int w,
                            int h, const char* what) {
    for (int s = 0; s < 2; ++s)
        for (int y = 0; y < kPixelRows; ++y)
            for (int x = 0; x < kPictureWidth; ++x) {
                if (x < x0 || x >= x0 + w || y < y0 || y >= y0 + h) {
                    ASSERT_EQ(Pixel(after, s, x, y), Pixel(before, s, x, y))
                        << what << " pixel " << x << "," << y;
                }
            }
}

TEST(Rolls, OneColumnRollLeftMovesTheLeftmostBitRoundAndEightRestore) {
    const MgsImage before = RandomPicture(8, 1);
    MgsImage picture = before;
    picture.PixelPlane[0][PlaneIndex(6, 40)] = 0xC1;
    picture.PixelPlane[1][PlaneIndex(6, 40)] = 0x80;
    const MgsImage start = picture;
    const SelectionRecord sel = Rect(6, 5, 1, 1);
    EXPECT_EQ(ApplyTransform(picture, sel, Transform::RollLeft), ViewUpdate::Rerender);
    EXPECT_EQ(picture.PixelPlane[0][PlaneIndex(6, 40)], 0x83);
    EXPECT_EQ(picture.PixelPlane[1][PlaneIndex(6, 40)], 0x01);
    for (int i = 1; i < 8; ++i)
        ApplyTransform(picture, sel, Transform::RollLeft);
    EXPECT_EQ(picture, start);

    // Across byte columns: the rightmost pixel of the second column wraps to the first's
    // leftmost, and every row of the block moves.
    picture = before;
    const SelectionRecord wide = Rect(10, 2, 2, 1);
    picture.PixelPlane[0][PlaneIndex(10, 16)] = 0x01;
    picture.PixelPlane[0][PlaneIndex(11, 16)] = 0x01;
    ApplyTransform(picture, wide, Transform::RollRight);
    EXPECT_EQ(picture.PixelPlane[0][PlaneIndex(10, 16)], 0x80);
    EXPECT_EQ(picture.PixelPlane[0][PlaneIndex(11, 16)], 0x80);
    EXPECT_EQ(picture.AttrPlane, before.AttrPlane); // rolls leave the attributes
    ExpectOutsideUnchanged(picture, before, 80, 16, 16, 8, "roll right");
}

TEST(Rolls, UpAndDownWrapRowsAndASingleRowStaysPut) {
    MgsImage picture = RandomPicture(8, 2);
    const MgsImage before = picture;
    const SelectionRecord sel = Rect(3, 4, 2, 1); // rows 32..39
    ApplyTransform(picture, sel, Transform::RollUp);
    for (int s = 0; s < 2; ++s)
        for (int x = 24; x < 40; ++x) {
            EXPECT_EQ(Pixel(picture, s, x, 32), Pixel(before, s, x, 33));
            EXPECT_EQ(Pixel(picture, s, x, 39), Pixel(before, s, x, 32));
        }
    ExpectOutsideUnchanged(picture, before, 24, 32, 16, 8, "roll up");
    ApplyTransform(picture, sel, Transform::RollDown);
    EXPECT_EQ(picture, before);

    // 8x1, one cell row: H = 1, nothing to roll.
    MgsImage thin = RandomPicture(1, 3);
    const MgsImage thinBefore = thin;
    ApplyTransform(thin, Rect(0, 77, 32, 1), Transform::RollUp);
    ApplyTransform(thin, Rect(0, 77, 32, 1), Transform::RollDown);
    EXPECT_EQ(thin, thinBefore);
}

TEST(Flips, HorizontalMirrorsBitsAndSwapsCellAttributes) {
    MgsImage picture = CellPicture(8, 4);
    picture.PixelPlane[0][PlaneIndex(2, 8)] = 0x01;
    picture.PixelPlane[1][PlaneIndex(2, 8)] = 0xF0;
    picture.PixelPlane[0][PlaneIndex(2, 15)] = 0x12;
    const MgsImage before = picture;
    ApplyTransform(picture, Rect(2, 1, 1, 1), Transform::FlipHorizontal);
    EXPECT_EQ(picture.PixelPlane[0][PlaneIndex(2, 8)], 0x80);
    EXPECT_EQ(picture.PixelPlane[1][PlaneIndex(2, 8)], 0x0F);
    EXPECT_EQ(picture.PixelPlane[0][PlaneIndex(2, 15)], 0x48);
    EXPECT_EQ(picture.AttrPlane, before.AttrPlane);
    ExpectOutsideUnchanged(picture, before, 16, 8, 8, 8, "flip one cell");

    // Two cells: the right cell's pixels are the left cell's mirrored, and the cells'
    // attributes change places in all their rows.
    picture = before;
    ApplyTransform(picture, Rect(4, 2, 2, 1), Transform::FlipHorizontal);
    for (int s = 0; s < 2; ++s) {
        for (int y = 16; y < 24; ++y)
            for (int i = 0; i < 16; ++i)
                EXPECT_EQ(Pixel(picture, s, 32 + i, y), Pixel(before, s, 47 - i, y));
        EXPECT_EQ(picture.AttrPlane[s][PlaneIndex(4, 16)], before.AttrPlane[s][PlaneIndex(5, 16)]);
        EXPECT_EQ(picture.AttrPlane[s][PlaneIndex(5, 16)], before.AttrPlane[s][PlaneIndex(4, 16)]);
        EXPECT_EQ(picture.AttrPlane[s][PlaneIndex(4, 23)], before.AttrPlane[s][PlaneIndex(5, 16)]);
    }
}

TEST(Flips, VerticalAt8x2OverThreeCellRows) {
    MgsImage picture = CellPicture(2, 5);
    const MgsImage before = picture;
    // Cell rows 10..12: pixel rows 20..25; attribute rows 20, 22 and 24 are the cells' own.
    ApplyTransform(picture, Rect(7, 10, 1, 3), Transform::FlipVertical);
    for (int s = 0; s < 2; ++s) {
        for (int r = 0; r < 6; ++r)
            EXPECT_EQ(picture.PixelPlane[s][PlaneIndex(7, 20 + r)],
                      before.PixelPlane[s][PlaneIndex(7, 25 - r)]);
        EXPECT_EQ(picture.AttrPlane[s][PlaneIndex(7, 20)], before.AttrPlane[s][PlaneIndex(7, 24)]);
        EXPECT_EQ(picture.AttrPlane[s][PlaneIndex(7, 24)], before.AttrPlane[s][PlaneIndex(7, 20)]);
        EXPECT_EQ(picture.AttrPlane[s][PlaneIndex(7, 22)], before.AttrPlane[s][PlaneIndex(7, 22)]);
        for (int row : {21, 23, 25}) // a cell's second row follows its first
            EXPECT_EQ(picture.AttrPlane[s][PlaneIndex(7, row)],
                      picture.AttrPlane[s][PlaneIndex(7, row - 1)]);
    }
    ExpectOutsideUnchanged(picture, before, 56, 20, 8, 6, "flip vertical");
    ApplyTransform(picture, Rect(7, 10, 1, 3), Transform::FlipVertical);
    EXPECT_EQ(picture, before);
}

TEST(Rotate, TwoByTwoCellsAt8x8TurnClockwise) {
    MgsImage picture = CellPicture(8, 6);
    const MgsImage before = picture;
    const int x0 = 8 * 3, y0 = 8 * 4; // cells (3..4, 4..5)
    ApplyTransform(picture, Rect(3, 4, 2, 2), Transform::Rotate90);
    for (int s = 0; s < 2; ++s) {
        for (int r = 0; r < 16; ++r)
            for (int i = 0; i < 16; ++i)
                ASSERT_EQ(Pixel(picture, s, x0 + 15 - r, y0 + i), Pixel(before, s, x0 + i, y0 + r));
        // The top-left cell's attribute goes top right, top right to bottom right, and so on.
        auto attr = [](const MgsImage& p, int s, int c, int cellRow) {
            return p.AttrPlane[s][PlaneIndex(c, cellRow * 8)];
        };
        EXPECT_EQ(attr(picture, s, 4, 4), attr(before, s, 3, 4));
        EXPECT_EQ(attr(picture, s, 4, 5), attr(before, s, 4, 4));
        EXPECT_EQ(attr(picture, s, 3, 5), attr(before, s, 4, 5));
        EXPECT_EQ(attr(picture, s, 3, 4), attr(before, s, 3, 5));
    }
    ExpectOutsideUnchanged(picture, before, x0, y0, 16, 16, "rotate");
    for (int i = 1; i < 4; ++i)
        ApplyTransform(picture, Rect(3, 4, 2, 2), Transform::Rotate90);
    EXPECT_EQ(picture, before);
}

TEST(Rotate, ATurnedBlockPastTheEdgeWritesOnlyTheInsidePart) {
    // Eight columns wide and two cell rows high at the bottom: the turned block is 16 pixels
    // wide and 64 high from row 176, so only its top 16 rows fit.
    MgsImage picture = RandomPicture(8, 7);
    const MgsImage before = picture;
    ApplyTransform(picture, Rect(0, 22, 8, 2), Transform::Rotate90);
    for (int s = 0; s < 2; ++s)
        for (int y = 176; y < 192; ++y)
            for (int x = 0; x < 64; ++x) {
                const bool turned = x < 16;
                // Pixel (15 - r, i) of the turned block came from (i, r).
                EXPECT_EQ(Pixel(picture, s, x, y), turned ? Pixel(before, s, y - 176, 176 + 15 - x)
                                                          : Pixel(before, s, x, y));
            }
    ExpectOutsideUnchanged(picture, before, 0, 176, 16, 16, "rotate at the bottom");

    // A tall one at the right edge: 24 rows high turn into 24 columns, of which 8 fit.
    picture = before;
    ApplyTransform(picture, Rect(31, 0, 1, 3), Transform::Rotate90);
    ExpectOutsideUnchanged(picture, before, 248, 0, 8, 8, "rotate at the right");
    EXPECT_EQ(picture.AttrPlane[0][PlaneIndex(31, 0)], before.AttrPlane[0][PlaneIndex(31, 16)]);
}

TEST(Transforms, AnyRectangleValuesStayInsideThePicture) {
    // Values a pasted record or a CharHeight change can leave behind: each command works on
    // the part inside the picture, exactly as on that part alone.
    const MgsImage before = RandomPicture(8, 8);
    const SelectionRecord wild[] = {Rect(-3, -2, 6, 5), Rect(29, 20, 100, 100),
                                    Rect(INT_MIN, INT_MIN, INT_MAX, INT_MAX),
                                    Rect(0, 0, INT_MAX, INT_MAX), Rect(0, 100, 32, 92)};
    const SelectionRecord tame[] = {Rect(0, 0, 3, 3), Rect(29, 20, 3, 4), Rect(0, 0, 0, 0),
                                    Rect(0, 0, 32, 24), Rect(0, 0, 0, 0)};
    for (std::size_t n = 0; n < std::size(wild); ++n)
        for (Transform t : kAll) {
            MgsImage a = before, b = before;
            ApplyTransform(a, wild[n], t);
            ApplyTransform(b, tame[n], t);
            EXPECT_EQ(a, b) << n << " " << static_cast<int>(t);
        }
}

TEST(Transforms, WorkOnTheLastRectangleEvenWithoutASelection) {
    MgsImage picture = RandomPicture(4, 9);
    const MgsImage before = picture;
    SelectionRecord sel = Rect(5, 5, 3, 3);
    sel.exists = false;
    ApplyTransform(picture, sel, Transform::FlipVertical);
    EXPECT_NE(picture, before);
    EXPECT_EQ(sel.w, 3); // the record is not changed

    // Nothing selected yet: only the re-render.
    picture = before;
    EXPECT_EQ(ApplyTransform(picture, SelectionRecord{}, Transform::Rotate90),
              ViewUpdate::Rerender);
    EXPECT_EQ(picture, before);
}

} // namespace
