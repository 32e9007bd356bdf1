// SPDX-License-Identifier: GPL-3.0-or-later
#include "editing/picture_mouse.h"
#include "editing/undo.h"
#include "support/test_pictures.h"

#include <gtest/gtest.h>

namespace {

class PictureMouse : public ::testing::Test {
protected:
    void SetUp() override { state.Picture = RandomPicture(8, 7); }

    QPoint At(int x, int y) const { return QPoint(x, y) * state.View.ZoomFactor(); }
    PictureMouseResult Press(QPoint point, bool shift = false) {
        return PictureMouseDown(state, {point, true, false, shift});
    }
    PictureMouseResult Move(QPoint point, bool left = false, bool shift = false) {
        return PictureMouseMove(state, {point, left, false, shift});
    }
    bool Pixel(int screen, int x, int y) const {
        return (state.Picture.PixelPlane[screen][PlaneIndex(x / 8, y)] & PixelMask(x)) != 0;
    }
    void Undo() { SwapUndo(state.Picture, state.Undo); }

    EditorState state;
};

TEST_F(PictureMouse, ShiftClickAfterStartUpDrawsFromTheViewOrigin) {
    state.Drawing.CurrentCharColor = 3;
    const MgsImage before = state.Picture;
    const PictureMouseResult result = Press(At(10, 2) + QPoint(1, 1), true);
    EXPECT_TRUE(result.snapshotTaken);
    for (auto [x, y] : {std::pair{0, 0}, {2, 0}, {3, 1}, {7, 1}, {8, 2}, {10, 2}})
        EXPECT_TRUE(Pixel(0, x, y) && Pixel(1, x, y)) << x << "," << y;
    EXPECT_EQ(state.Drawing.LastPoint, At(10, 2) + QPoint(1, 1));
    EXPECT_EQ(result.paint.cells, (std::vector<CellRef>{{0, 0, 0}, {1, 0, 0}}));
    ASSERT_TRUE(result.status.has_value());
    EXPECT_EQ(result.status->variant, PointerInfoVariant::Paint);
    Undo();
    EXPECT_EQ(state.Picture, before);
}

TEST_F(PictureMouse, MovesWithTheButtonHeldPaintWithoutANewSnapshot) {
    state.Drawing.CurrentCharColor = 1;
    Press(At(40, 40));
    const PictureMouseResult moved = Move(At(41, 40), true);
    EXPECT_FALSE(moved.snapshotTaken);
    EXPECT_EQ(moved.paint.cells, (std::vector<CellRef>{{5, 5, 40}}));
    EXPECT_TRUE(!Pixel(0, 41, 40) && Pixel(1, 41, 40));
    ASSERT_TRUE(moved.status.has_value());
    EXPECT_EQ(moved.status->variant, PointerInfoVariant::Move); // the move form comes last
    EXPECT_TRUE(moved.cellColours.has_value() && moved.updateZoomPreview);
}

TEST_F(PictureMouse, ADragIsOneStrokeWithoutGapsAndOneUndoStep) {
    state.Drawing.CurrentCharColor = 3;
    const MgsImage before = state.Picture;
    Press(At(10, 10));
    Move(At(30, 10), true); // a fast move: twenty pixels at once
    Move(At(30, 14), true);
    for (int x = 10; x <= 30; ++x)
        EXPECT_TRUE(Pixel(0, x, 10) && Pixel(1, x, 10)) << x;
    for (int y = 11; y <= 14; ++y)
        EXPECT_TRUE(Pixel(0, 30, y)) << y;
    Undo();
    EXPECT_EQ(state.Picture, before);

    // A drag whose press was ignored (blocked) starts its stroke where it first paints,
    // not with a line from wherever the last point was.
    state.Drawing.Stroking = false; // the release ended the stroke
    state.Drawing.LastPaintKey = {};
    const MgsImage prior = state.Picture;
    Move(At(120, 100), true);
    int changed = 0;
    for (int i = 0; i < kPlaneSize; ++i)
        changed += prior.PixelPlane[0][i] != state.Picture.PixelPlane[0][i];
    EXPECT_LE(changed, 1);
    EXPECT_TRUE(Pixel(0, 120, 100));
}

TEST_F(PictureMouse, PolylineOfThreeClicksIsUndoneInOneSwap) {
    const MgsImage before = state.Picture;
    state.Drawing.Instrument = InstrumentKind::Line;
    EXPECT_TRUE(Press(At(10, 10)).snapshotTaken);
    EXPECT_EQ(state.Picture, before); // the first click only starts it

    const PictureMouseResult band = Move(At(30, 12));
    EXPECT_TRUE(band.refreshView);
    EXPECT_EQ(band.rubberBand,
              (RubberBand{RubberBandShape::Line, At(10, 10), At(30, 12), Mix(0, 0), 4}));
    EXPECT_FALSE(Press(At(30, 12)).snapshotTaken);
    EXPECT_FALSE(Press(At(30, 60)).paint.cells.empty());
    state.Drawing.ShapeActive = false; // Esc
    Undo();
    EXPECT_EQ(state.Picture, before);

    // Esc right after the first click: the next click starts afresh and paints nothing.
    Press(At(10, 10));
    state.Drawing.ShapeActive = false;
    EXPECT_TRUE(Press(At(50, 50)).snapshotTaken);
    EXPECT_EQ(state.Picture, before);
}

TEST_F(PictureMouse, RectangleIsDrawnOnTheSecondClickEllipseNever) {
    const MgsImage before = state.Picture;
    state.Drawing.Instrument = InstrumentKind::Rect;
    state.Drawing.CurrentAttr = {1, 2, 3, 4};
    state.Drawing.CurrentCharColor = 2;
    EXPECT_TRUE(Press(At(20, 20)).snapshotTaken);
    const PictureMouseResult band = Move(At(40, 30) + QPoint(2, 3));
    EXPECT_EQ(band.rubberBand, (RubberBand{RubberBandShape::Rect, At(20, 20),
                                           At(40, 30) + QPoint(2, 3), Mix(2, 3), 4}));

    const PictureMouseResult second = Press(At(40, 30));
    EXPECT_FALSE(second.snapshotTaken);
    EXPECT_TRUE(second.refreshView);
    EXPECT_FALSE(state.Drawing.ShapeActive);
    EXPECT_TRUE(Pixel(0, 20, 20) && !Pixel(1, 20, 20));
    EXPECT_TRUE(Pixel(0, 40, 30) && Pixel(0, 30, 30) && Pixel(0, 20, 25));
    Undo();
    EXPECT_EQ(state.Picture, before);

    state.Drawing.Instrument = InstrumentKind::Ellipse;
    Press(At(20, 20));
    EXPECT_TRUE(Press(At(60, 60)).refreshView);
    EXPECT_EQ(state.Picture, before);
}

TEST_F(PictureMouse, RightClickPicksAndBroadcastsWithAnyInstrument) {
    state.Picture.CharHeight = 2;
    state.Picture.AttrPlane[0][PlaneIndex(3, 20)] = {1, 14};
    state.Picture.AttrPlane[1][PlaneIndex(3, 20)] = {0, 7};
    state.Drawing.CurrentCharColor = 2;
    const MgsImage before = state.Picture;
    for (InstrumentKind instrument : {InstrumentKind::Paint, InstrumentKind::Select}) {
        state.Drawing.Instrument = instrument;
        state.Drawing.CurrentAttr = {};
        const auto result = PictureMouseDown(state, {At(27, 21), false, true, false});
        EXPECT_TRUE(result.coloursPicked);
        EXPECT_EQ(state.Drawing.CurrentAttr, (AttrSet{1, 14, 0, 7}));
        EXPECT_EQ(result.paletteBroadcast, std::optional<uint32_t>(0x70E1));
        EXPECT_EQ(result.selectionPoint.has_value(), instrument == InstrumentKind::Select);
        EXPECT_EQ(state.Picture, before);
    }
    EXPECT_EQ(state.Drawing.CurrentCharColor, 2);
}

TEST_F(PictureMouse, BlockedOrOutsideEventsDoNotEdit) {
    const MgsImage before = state.Picture;
    state.Drawing.MouseBlocked = true;
    EXPECT_FALSE(Press(At(5, 5)).snapshotTaken);
    const PictureMouseResult blocked = Move(At(6, 6), true);
    EXPECT_TRUE(blocked.updateZoomPreview && !blocked.status);
    EXPECT_EQ(state.Drawing.LastMovePosition, At(6, 6));
    EXPECT_EQ(state.Drawing.PointerPosition, QPoint(0, 0));

    state.Drawing.MouseBlocked = false;
    EXPECT_FALSE(Press(At(256, 10)).snapshotTaken);
    const PictureMouseResult outside = Move(At(256, 10), true, true);
    EXPECT_TRUE(outside.updateZoomPreview && !outside.rubberBand);
    EXPECT_FALSE(state.Drawing.ShapeActive);
    EXPECT_EQ(state.Drawing.PointerPosition, At(256, 10)); // Copy still sees where it went
    EXPECT_EQ(state.Picture, before);
    EXPECT_FALSE(Move(At(256, 10)).updateZoomPreview); // a repeated position is dropped
}

TEST_F(PictureMouse, ShiftBandOfThePencilEndsWhenShiftIsReleased) {
    state.Drawing.LastPoint = At(3, 3);
    const PictureMouseResult band = Move(At(9, 9), false, true);
    ASSERT_TRUE(band.rubberBand.has_value());
    EXPECT_EQ(band.rubberBand->from, At(3, 3));
    EXPECT_TRUE(state.Drawing.ShapeActive);
    EXPECT_FALSE(PictureKeyRelease(state, true)); // another key, Shift still down
    EXPECT_TRUE(PictureKeyRelease(state, false));
    EXPECT_FALSE(state.Drawing.ShapeActive);

    state.Drawing.Instrument = InstrumentKind::Line; // only the pencil's band ends so
    state.Drawing.ShapeActive = true;
    EXPECT_FALSE(PictureKeyRelease(state, false));
    EXPECT_TRUE(state.Drawing.ShapeActive);
}

} // namespace
