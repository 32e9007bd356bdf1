#include "display/renderer.h"
#include "editing/drawing.h"
#include "support/test_pictures.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace {

class Drawing : public ::testing::Test {
protected:
    uint8_t Byte(int screen, int column, int row) const {
        return state.Picture.PixelPlane[screen][PlaneIndex(column, row)];
    }
    AttrCell Attr(int screen, int column, int row) const {
        return state.Picture.AttrPlane[screen][PlaneIndex(column, row)];
    }
    // The picture pixels whose bit is set on screen 0.
    std::set<std::pair<int, int>> SetPixels() const {
        std::set<std::pair<int, int>> pixels;
        for (int y = 0; y < kPixelRows; ++y)
            for (int x = 0; x < kPictureWidth; ++x)
                if (Byte(0, x / 8, y) & PixelMask(x))
                    pixels.insert({x, y});
        return pixels;
    }

    EditorState state;
};

TEST_F(Drawing, PaintSize4BlockAtZoomLevel2) {
    state.View.ZoomLevel = 2;
    state.Drawing.PaintSize = 4;
    state.Drawing.CurrentCharColor = 1; // P0+I1: clears screen 0, sets screen 1
    state.Picture.PixelPlane[0].fill(0xFF);
    const PaintResult result = PaintAt(state, {104, 40});

    for (int row = 0; row < kPixelRows; ++row) {
        const bool inBlock = row >= 4 && row <= 7;
        EXPECT_EQ(Byte(0, 1, row), inBlock ? 0xF0 : 0xFF) << row;
        EXPECT_EQ(Byte(1, 1, row), inBlock ? 0x0F : 0x00) << row;
    }
    EXPECT_EQ(Byte(0, 0, 5), 0xFF);
    EXPECT_EQ(Byte(1, 2, 5), 0x00);
    ASSERT_EQ(result.cells.size(), 1u);
    EXPECT_EQ(result.cells[0], (CellRef{1, 0, 0}));
    EXPECT_EQ(state.Drawing.LastPaintKey, (PaintKey{1, 0, 4, 4}));
    EXPECT_EQ(state.Drawing.LastPoint, QPoint(104, 40));
}

TEST_F(Drawing, BresenhamLinePaintsBothEndsAndStepsTheMinorAxisOnErrorSign) {
    state.Drawing.RgbMode = false;
    state.Drawing.CurrentCharColor = 3;
    const int z = state.View.ZoomFactor();
    DrawLine(state, {0, 0}, {5 * z + 3, 2 * z + 1});
    const std::set<std::pair<int, int>> expected = {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}, {5, 2}};
    EXPECT_EQ(SetPixels(), expected);
    // Every plotted pixel moved LastPoint to its own view point.
    EXPECT_EQ(state.Drawing.LastPoint, QPoint(5 * z, 2 * z));

    // Steep, leftward and upward: the same shape turned.
    state.Picture = MgsImage{};
    DrawLine(state, {12 * z, 20 * z}, {10 * z, 15 * z});
    const std::set<std::pair<int, int>> steep = {{12, 20}, {12, 19}, {11, 18},
                                                 {11, 17}, {10, 16}, {10, 15}};
    EXPECT_EQ(SetPixels(), steep);

    state.Picture = MgsImage{};
    state.Drawing.ClearLastPaintKey();
    DrawLine(state, {7 * z, 7 * z}, {7 * z + 1, 7 * z + 2});
    EXPECT_EQ(SetPixels(), (std::set<std::pair<int, int>>{{7, 7}}));
}

TEST_F(Drawing, RectangleIsFourLinesEndingAtTheLastCorner) {
    state.Drawing.RgbMode = false;
    state.Drawing.CurrentCharColor = 2;
    const int z = state.View.ZoomFactor();
    const PaintResult result = DrawRect(state, {20 * z, 10 * z}, {23 * z, 12 * z});
    std::set<std::pair<int, int>> expected;
    for (int x = 20; x <= 23; ++x)
        expected.insert({x, 10}), expected.insert({x, 12});
    expected.insert({20, 11});
    expected.insert({23, 11});
    EXPECT_EQ(SetPixels(), expected);
    EXPECT_EQ(state.Drawing.LastPoint, QPoint(23 * z, 12 * z));
    // Columns 2 and 2 of cell row 1: one cell, listed once.
    ASSERT_EQ(result.cells.size(), 1u);
    EXPECT_EQ(result.cells[0], (CellRef{2, 1, 8}));
}

TEST_F(Drawing, FillCharFillsTheCellOfTheSnappedRowWhateverPixMode) {
    state.Picture.CharHeight = 4;
    state.Drawing.Instrument = InstrumentKind::FillChar;
    state.Drawing.CurrentCharColor = 2; // I0+P1
    state.Drawing.PixMode = false;
    state.Drawing.RgbMode = false;
    state.Drawing.CurrentAttr = {5, 6, 7, 8};
    state.Picture.PixelPlane[1].fill(0x5A);
    const int z = state.View.ZoomFactor();
    const PaintResult result = PaintAt(state, {9 * 8 * z + 3, 6 * z});
    for (int row = 0; row < kPixelRows; ++row) {
        const bool filled = row >= 4 && row <= 7;
        EXPECT_EQ(Byte(0, 9, row), filled ? 0xFF : 0x00) << row;
        EXPECT_EQ(Byte(1, 9, row), filled ? 0x00 : 0x5A) << row;
    }
    EXPECT_EQ(Attr(0, 9, 4), (AttrCell{0, 0})); // RGB off: attributes untouched
    EXPECT_EQ(result.cells, (std::vector<CellRef>{{9, 1, 4}}));
}

TEST_F(Drawing, RgbWritesOneEntryPerScreenAtTheEffectiveRow) {
    state.Picture.CharHeight = 1;
    state.Drawing.PixMode = false;
    state.Drawing.PaintSize = 4;
    state.Drawing.CurrentAttr = {1, 14, 0, 7};
    const int z = state.View.ZoomFactor();
    // A side column keeps 8-row cells in 8x1: row 13 belongs to the cell at row 8.
    const PaintResult side = PaintAt(state, {3 * 8 * z, 13 * z});
    EXPECT_EQ(Attr(0, 3, 8), (AttrCell{1, 14}));
    EXPECT_EQ(Attr(1, 3, 8), (AttrCell{0, 7}));
    EXPECT_EQ(Attr(0, 3, 13), (AttrCell{0, 0}));
    EXPECT_EQ(side.cells, (std::vector<CellRef>{{3, 13, 8}}));

    const PaintResult middle = PaintAt(state, {12 * 8 * z, 13 * z});
    EXPECT_EQ(Attr(0, 12, 13), (AttrCell{1, 14}));
    EXPECT_EQ(Attr(1, 12, 13), (AttrCell{0, 7}));
    EXPECT_EQ(Attr(0, 12, 12), (AttrCell{0, 0}));
    EXPECT_EQ(Attr(0, 12, 14), (AttrCell{0, 0}));
    EXPECT_EQ(middle.cells, (std::vector<CellRef>{{12, 13, 13}}));

    // No pixels were written in either call.
    EXPECT_EQ(state.Picture.PixelPlane, MgsImage{}.PixelPlane);
}

TEST_F(Drawing, BothModesOffThePencilWritesNothing) {
    state.Drawing.PixMode = false;
    state.Drawing.RgbMode = false;
    state.Drawing.CurrentCharColor = 3;
    state.Drawing.CurrentAttr = {1, 2, 3, 4};
    PaintAt(state, {100, 100});
    EXPECT_EQ(state.Picture, MgsImage{});
}

// The repeated-position rule, and which colour choices reset it.
TEST_F(Drawing, LastPaintKeySkipsTheSamePlaceUntilAColourIsChosenWhole) {
    state.Drawing.CurrentCharColor = 3;
    const QPoint point(50, 50);
    const QPoint sameBlock(51, 51); // same pixel at zoom factor 4
    EXPECT_FALSE(PaintAt(state, point).cells.empty());
    state.Picture = MgsImage{}; // as if undone

    const PaintResult again = PaintAt(state, sameBlock);
    EXPECT_TRUE(again.cells.empty());
    ASSERT_TRUE(again.pointer.has_value()); // the status bar is still updated
    EXPECT_EQ(again.pointer->variant, PointerInfoVariant::Paint);
    EXPECT_EQ(state.Picture, MgsImage{});
    EXPECT_EQ(state.Drawing.LastPoint, sameBlock);

    // Neither a pick nor a mode switch clears it.
    PickAttr(state, {0, 0});
    state.Drawing.PixMode = true;
    EXPECT_TRUE(PaintAt(state, point).cells.empty());

    state.Drawing.ClearLastPaintKey();
    EXPECT_FALSE(PaintAt(state, point).cells.empty());
    EXPECT_NE(state.Picture, MgsImage{});
}

TEST_F(Drawing, PointsOutsideTheViewAndOddPaintSizesStayInRange) {
    state.View.ZoomLevel = 3;
    const int z = state.View.ZoomFactor();
    state.Drawing.LastPoint = {7, 7};
    for (QPoint outside : {QPoint(256 * z, 0), QPoint(0, 192 * z), QPoint(-1, 5), QPoint(5, -1)}) {
        const PaintResult result = PaintAt(state, outside);
        EXPECT_TRUE(result.cells.empty());
        EXPECT_FALSE(result.pointer.has_value());
        EXPECT_FALSE(PickAttr(state, outside));
    }
    EXPECT_EQ(state.Drawing.LastPoint, QPoint(7, 7));
    EXPECT_EQ(state.Picture, MgsImage{});

    // A line whose start lies outside (a zoom change since it was set) paints only the
    // pixels inside.
    state.Drawing.CurrentCharColor = 3;
    state.Drawing.RgbMode = false;
    DrawLine(state, {260 * z, 0}, {250 * z, 0});
    EXPECT_EQ(SetPixels().size(), 6u);

    // A paint size that does not divide 8 behaves as 1: one bit, in the right byte.
    state.Picture = MgsImage{};
    state.Drawing.PaintSize = 3;
    PaintAt(state, {255 * z, 191 * z});
    EXPECT_EQ(Byte(0, 31, 191), 0x01);
    EXPECT_EQ(SetPixels().size(), 1u);
}

TEST_F(Drawing, PickAttrReadsTheEffectiveRowAndKeepsTheCharColour) {
    state.Picture.CharHeight = 2;
    state.Picture.AttrPlane[0][PlaneIndex(5, 4)] = {3, 13};
    state.Picture.AttrPlane[1][PlaneIndex(5, 4)] = {2, 9};
    state.Picture.AttrPlane[0][PlaneIndex(5, 5)] = {1, 1}; // not in effect
    state.Drawing.CurrentCharColor = 2;
    const int z = state.View.ZoomFactor();
    EXPECT_TRUE(PickAttr(state, {(5 * 8 + 6) * z, 5 * z + 2}));
    EXPECT_EQ(state.Drawing.CurrentAttr, (AttrSet{3, 13, 2, 9}));
    EXPECT_EQ(state.Drawing.CurrentCharColor, 2);
}

// Redrawing just the listed cells must bring the mixed image to what a full render gives,
// also where a block taller than a cell reaches into the cells below.
TEST_F(Drawing, ListedCellsCoverEveryChange) {
    RenderImages images = RenderImages::Create();
    RenderImages reference = RenderImages::Create();
    int seed = 1;
    for (int charHeight : {8, 4, 2, 1}) {
        for (InstrumentKind instrument : {InstrumentKind::Paint, InstrumentKind::FillChar}) {
            for (int paintSize : {1, 2, 4}) {
                state.Picture = RandomPicture(charHeight, static_cast<unsigned>(seed++));
                state.Drawing.Instrument = instrument;
                state.Drawing.PaintSize = paintSize;
                state.Drawing.CurrentCharColor = seed & 3;
                state.Drawing.CurrentAttr = {static_cast<uint8_t>(seed % 15), 14, 7, 0};
                state.View.ZoomLevel = 1 + seed % 4;
                RenderPicture(state.Picture, images);
                const int z = state.View.ZoomFactor();
                // A line through side and middle columns and many cell rows.
                const PaintResult result = DrawLine(state, {2 * z, 1 * z}, {250 * z, 190 * z});
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
