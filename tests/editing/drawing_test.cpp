// SPDX-License-Identifier: GPL-3.0-or-later
// Painting into the planes: the cell fill, the attribute rows a paint writes, points out
// of range, and the cells listed for redrawing.
#include "display/renderer.h"
#include "editing/drawing.h"
#include "support/test_pictures.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace {

using Pixels = std::set<std::pair<int, int>>;

class Drawing : public ::testing::Test {
protected:
    uint8_t Byte(int screen, int column, int row) const {
        return state.Picture.PixelPlane[screen][PlaneIndex(column, row)];
    }
    AttrCell Attr(int screen, int column, int row) const {
        return state.Picture.AttrPlane[screen][PlaneIndex(column, row)];
    }
    Pixels SetPixels() const { // set on screen 0
        Pixels pixels;
        for (int y = 0; y < kPixelRows; ++y)
            for (int x = 0; x < kPictureWidth; ++x)
                if (Byte(0, x / 8, y) & PixelMask(x))
                    pixels.insert({x, y});
        return pixels;
    }
    QPoint At(int x, int y) const { return QPoint(x, y) * state.View.ZoomFactor(); }

    EditorState state;
};

TEST_F(Drawing, FillCharFillsTheCellOfTheSnappedRow) {
    state.Picture.CharHeight = 4;
    state.Drawing.Instrument = InstrumentKind::FillChar;
    state.Drawing.CurrentCharColor = 2; // I0+P1
    state.Drawing.PixMode = false;
    state.Drawing.RgbMode = false;
    state.Picture.PixelPlane[1].fill(0x5A);
    const PaintResult result = PaintAt(state, At(9 * 8 + 3, 6));
    for (int row = 0; row < kPixelRows; ++row) {
        const bool filled = row >= 4 && row <= 7;
        EXPECT_EQ(Byte(0, 9, row), filled ? 0xFF : 0x00) << row;
        EXPECT_EQ(Byte(1, 9, row), filled ? 0x00 : 0x5A) << row;
    }
    EXPECT_EQ(result.cells, (std::vector<CellRef>{{9, 1, 4}}));
}

TEST_F(Drawing, RgbWritesTheWholeCellOfTheEffectiveRow) {
    state.Picture.CharHeight = 1;
    state.Drawing.PixMode = false;
    state.Drawing.PaintSize = 4;
    state.Drawing.CurrentAttr = {1, 14, 0, 7};
    // A side column keeps 8-row cells in 8x1: row 13 belongs to the cell at row 8.
    EXPECT_EQ(PaintAt(state, At(3 * 8, 13)).cells, (std::vector<CellRef>{{3, 13, 8}}));
    EXPECT_EQ(PaintAt(state, At(12 * 8, 13)).cells, (std::vector<CellRef>{{12, 13, 13}}));
    for (auto [column, row] : {std::pair{3, 8}, {12, 13}}) {
        EXPECT_EQ(Attr(0, column, row), (AttrCell{1, 14}));
        EXPECT_EQ(Attr(1, column, row), (AttrCell{0, 7}));
    }
    // Every stored row of the cell takes it; the cell above keeps its own.
    EXPECT_EQ(Attr(0, 3, 15), (AttrCell{1, 14}));
    EXPECT_EQ(Attr(0, 3, 7), AttrCell{});
    EXPECT_EQ(Attr(0, 12, 12), AttrCell{});
    EXPECT_EQ(state.Picture.PixelPlane, MgsImage{}.PixelPlane);
}

TEST_F(Drawing, PointsOutsideTheViewAndOddPaintSizesStayInRange) {
    state.View.ZoomLevel = 3;
    state.Drawing.LastPoint = {7, 7};
    for (QPoint outside : {At(256, 0), At(0, 192), QPoint(-1, 5), QPoint(5, -1)}) {
        EXPECT_TRUE(PaintAt(state, outside).cells.empty());
        EXPECT_FALSE(PickAttr(state, outside));
    }
    EXPECT_EQ(state.Drawing.LastPoint, QPoint(7, 7));
    EXPECT_EQ(state.Picture, MgsImage{});

    // A line from a point left outside by a zoom change paints only the pixels inside.
    state.Drawing.CurrentCharColor = 3;
    state.Drawing.RgbMode = false;
    DrawLine(state, At(260, 0), At(250, 0));
    EXPECT_EQ(SetPixels().size(), 6u);

    state.Picture = MgsImage{};
    state.Drawing.PaintSize = 3; // behaves as 1: one bit, in the last byte
    PaintAt(state, At(255, 191));
    EXPECT_EQ(SetPixels(), (Pixels{{255, 191}}));
}

// Redrawing just the listed cells must bring the mixed image to what a full render gives,
// also where a block taller than a cell reaches into the cells below.
TEST_F(Drawing, ListedCellsCoverEveryChange) {
    RenderImages images = RenderImages::Create();
    RenderImages reference = RenderImages::Create();
    unsigned seed = 1;
    for (int charHeight : {8, 4, 2, 1}) {
        for (InstrumentKind instrument : {InstrumentKind::Paint, InstrumentKind::FillChar}) {
            for (int paintSize : {1, 2, 4}) {
                state.Picture = RandomPicture(charHeight, ++seed);
                state.Drawing.Instrument = instrument;
                state.Drawing.PaintSize = paintSize;
                state.Drawing.CurrentCharColor = static_cast<int>(seed & 3);
                state.Drawing.CurrentAttr = {static_cast<uint8_t>(seed % 15), 14, 7, 0};
                state.View.ZoomLevel = 1 + static_cast<int>(seed % 4);
                RenderPicture(state.Picture, images);
                // Through side and middle columns and many cell rows.
                const PaintResult result = DrawLine(state, At(2, 1), At(250, 190));
                for (const CellRef& cell : result.cells)
                    RedrawCell(state.Picture, images, cell.column, cell.cellRow, cell.attrRow);
                RenderPicture(state.Picture, reference);
                ASSERT_EQ(images.MixedImage.copy(0, 0, 256, 192),
                          reference.MixedImage.copy(0, 0, 256, 192))
                    << charHeight << " " << paintSize;
            }
        }
    }
}

} // namespace
