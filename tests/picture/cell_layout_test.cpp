// SPDX-License-Identifier: GPL-3.0-or-later
#include "colour/corrector.h"
#include "editing/drawing.h"
#include "editing/selection.h"
#include "editing/transforms.h"
#include "picture/cell_layout.h"
#include "support/test_pictures.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

SelectionRecord Rect(int x, int y, int w, int h) {
    SelectionRecord sel;
    sel.exists = true;
    sel.x = x, sel.y = y, sel.w = w, sel.h = h;
    return sel;
}

// Rows `first`..`first + count - 1` of `column` hold one attribute on each screen.
bool OneAttribute(const MgsImage& p, int column, int first, int count) {
    for (int s = 0; s < 2; ++s)
        for (int row = first; row < first + count; ++row)
            if (p.AttrPlane[s][PlaneIndex(column, row)] !=
                p.AttrPlane[s][PlaneIndex(column, first)])
                return false;
    return true;
}

// Every edit that writes a cell's attribute writes all the rows it covers, also over a
// picture whose hidden rows differ (as after a load or a Convert), so that converting
// afterwards never brings older colours back.
TEST(CellAttributes, EveryEditWritesAllRowsOfTheCellsItWrites) {
    struct Case {
        const char* name;
        int charHeight;
        std::function<void(MgsImage&)> edit;
        int column, first, count; // the cell the edit writes
    };
    const Case cases[] = {
        {"paint", 8,
         [](MgsImage& p) {
             EditorState state;
             state.Picture = p;
             state.Drawing.CurrentAttr = {1, 2, 3, 4};
             PaintAt(state, QPoint(3 * 8, 17) * state.View.ZoomFactor());
             p = state.Picture;
         },
         3, 16, 8},
        {"paste", 8,
         [](MgsImage& p) {
             SelectionRecord sel = Rect(0, 0, 1, 1);
             CopySelection(sel, RandomPicture(8, 9), false, {}, 4, 0);
             Paste(sel, p, {}, true, QPoint(3 * 8, 2 * 8) * 4, 4);
         },
         3, 16, 8},
        {"delete", 8,
         [](MgsImage& p) {
             DeleteSelection(p, Rect(3, 2, 1, 1), {5, 6}, {7, 8}, 0);
         },
         3, 16, 8},
        {"flip", 8,
         [](MgsImage& p) { ApplyTransform(p, Rect(3, 2, 2, 1), Transform::FlipHorizontal); }, 3, 16,
         8},
        {"corrector", 8,
         [](MgsImage& p) {
             CorrectorRangeRecord range;
             range.c0 = range.c1 = 3, range.r0 = range.r1 = 2;
             ApplyCorrectorOperation(p, range, CorrectorOperation::InvertRgb0);
         },
         3, 16, 8},
        // 8x1 side columns keep 8-row cells: an edit of one pixel row writes all eight.
        {"delete 8x1 side", 1,
         [](MgsImage& p) {
             DeleteSelection(p, Rect(2, 11, 1, 1), {5, 6}, {7, 8}, 0);
         },
         2, 8, 8},
        {"flip 8x1 side", 1,
         [](MgsImage& p) { ApplyTransform(p, Rect(7, 11, 2, 1), Transform::FlipHorizontal); }, 7, 8,
         8},
    };
    for (const Case& test : cases) {
        MgsImage picture = RandomPicture(test.charHeight, 3);
        const MgsImage before = picture;
        test.edit(picture);
        EXPECT_NE(picture.AttrPlane, before.AttrPlane) << test.name;
        EXPECT_TRUE(OneAttribute(picture, test.column, test.first, test.count)) << test.name;
    }

    // The side cell takes the attribute shown at the centre row that lands on it, and the
    // centre row the side cell's shown one, not a hidden row.
    MgsImage picture = RandomPicture(1, 4);
    const MgsImage before = picture;
    ApplyTransform(picture, Rect(7, 11, 2, 1), Transform::FlipHorizontal);
    EXPECT_EQ(picture.AttrPlane[0][PlaneIndex(7, 8)], before.AttrPlane[0][PlaneIndex(8, 11)]);
    EXPECT_EQ(picture.AttrPlane[0][PlaneIndex(8, 11)], before.AttrPlane[0][PlaneIndex(7, 8)]);
}

TEST(CellAttributes, ConversionsCountOnlyCellsThatLookDifferent) {
    struct Case {
        MgsImage picture;
        int to;
        int changed; // -1: some
    };
    // One centre cell row of an 8x1 picture in another paper: only its 8x2 cell changes,
    // and not at all where every pixel shows ink.
    MgsImage oneRow;
    oneRow.CharHeight = 1;
    oneRow.PixelPlane[0].fill(0x0F);
    oneRow.AttrPlane[0][PlaneIndex(10, 5)].paper = 3;
    MgsImage allInk = oneRow;
    allInk.PixelPlane[0].fill(0xFF);
    const Case cases[] = {
        {CellPicture(8, 1), 1, 0},
        {CellPicture(2, 2), 1, -1},
        {CellPicture(1, 4), 2, -1},
        {CellPicture(4, 5), 8, -1},
        {oneRow, 2, 1},
        {allInk, 8, 0},
    };
    for (const Case& test : cases) {
        const int changed = ChangedCells(test.picture, test.to);
        const MgsImage converted = AtCharHeight(test.picture, test.to);
        EXPECT_EQ(converted.CharHeight, test.to);
        EXPECT_EQ(converted.PixelPlane, test.picture.PixelPlane);
        if (test.changed < 0)
            EXPECT_GT(changed, 0) << int(test.picture.CharHeight) << " to " << test.to;
        else
            EXPECT_EQ(changed, test.changed) << int(test.picture.CharHeight) << " to " << test.to;
        // Converting back loses nothing more: the converted picture is what a file holds.
        EXPECT_EQ(ChangedCells(converted, test.to), 0);
    }
}

} // namespace
