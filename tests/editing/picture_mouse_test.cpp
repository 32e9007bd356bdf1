#include "colour/palette.h"
#include "editing/picture_mouse.h"
#include "editing/undo.h"
#include "support/test_pictures.h"

#include <gtest/gtest.h>

namespace {

class PictureMouse : public ::testing::Test {
protected:
    void SetUp() override { state.Picture = RandomPicture(8, 7); }

    // View point of the top-left corner of picture pixel (x, y).
    QPoint At(int x, int y) const {
        const int z = state.View.ZoomFactor();
        return {x * z, y * z};
    }
    PictureMouseResult Press(QPoint point, bool shift = false) {
        return PictureMouseDown(state, {point, true, false, shift});
    }
    PictureMouseResult Move(QPoint point, bool left = false, bool shift = false) {
        return PictureMouseMove(state, {point, left, false, shift});
    }
    bool Pixel(int screen, int x, int y) const {
        return (state.Picture.PixelPlane[screen][PlaneIndex(x / 8, y)] & PixelMask(x)) != 0;
    }

    EditorState state;
};

TEST_F(PictureMouse, ShiftClickAfterStartUpDrawsFromTheViewOrigin) {
    state.Drawing.CurrentCharColor = 3;
    state.Drawing.RgbMode = false;
    const MgsImage before = state.Picture;
    const PictureMouseResult result = Press(At(10, 2) + QPoint(1, 1), true);

    EXPECT_TRUE(result.snapshotTaken);
    EXPECT_EQ(state.Undo, static_cast<const PicturePlanes&>(before));
    for (auto [x, y] : {std::pair{0, 0}, {1, 0}, {2, 0}, {3, 1}, {5, 1}, {8, 2}, {10, 2}})
        EXPECT_TRUE(Pixel(0, x, y) && Pixel(1, x, y)) << x << "," << y;
    EXPECT_EQ(state.Drawing.LastPoint, At(10, 2) + QPoint(1, 1));
    // Pixels 0..10 lie in columns 0 and 1 of cell row 0.
    EXPECT_EQ(result.paint.cells, (std::vector<CellRef>{{0, 0, 0}, {1, 0, 0}}));
    ASSERT_TRUE(result.status.has_value());
    EXPECT_EQ(result.status->variant, PointerInfoVariant::Paint);
    EXPECT_EQ(result.status->x, 10);
}

TEST_F(PictureMouse, PencilStrokeIsOneUndoStepAndPaintsOnMoves) {
    const MgsImage before = state.Picture;
    state.Drawing.CurrentCharColor = 1;
    Press(At(40, 40));
    const PictureMouseResult moved = Move(At(41, 40), true);
    EXPECT_FALSE(moved.snapshotTaken);
    EXPECT_EQ(moved.paint.cells, (std::vector<CellRef>{{5, 5, 40}}));
    ASSERT_TRUE(moved.status.has_value());
    EXPECT_EQ(moved.status->variant, PointerInfoVariant::Move); // the move form comes last
    EXPECT_TRUE(moved.cellColours.has_value());
    EXPECT_TRUE(moved.updateZoomPreview);
    EXPECT_TRUE(!Pixel(0, 41, 40) && Pixel(1, 41, 40));

    const MgsImage stroke = state.Picture;
    SwapUndo(state.Picture, state.Undo);
    EXPECT_EQ(state.Picture, before);
    SwapUndo(state.Picture, state.Undo);
    EXPECT_EQ(state.Picture, stroke);
}

TEST_F(PictureMouse, PolylineOfThreeClicksIsUndoneInOneSwap) {
    const MgsImage before = state.Picture;
    state.Drawing.Instrument = InstrumentKind::Line;
    EXPECT_TRUE(Press(At(10, 10)).snapshotTaken);
    EXPECT_EQ(state.Picture, before); // the first click only starts the polyline

    const PictureMouseResult band = Move(At(30, 12));
    ASSERT_TRUE(band.rubberBand.has_value());
    EXPECT_TRUE(band.refreshView);
    EXPECT_EQ(band.rubberBand->shape, RubberBandShape::Line);
    EXPECT_EQ(band.rubberBand->from, At(10, 10));
    EXPECT_EQ(band.rubberBand->to, At(30, 12));
    EXPECT_EQ(band.rubberBand->penWidth, state.View.ZoomFactor());

    EXPECT_FALSE(Press(At(30, 12)).snapshotTaken);
    const PictureMouseResult third = Press(At(30, 60));
    EXPECT_FALSE(third.snapshotTaken);
    EXPECT_FALSE(third.paint.cells.empty());
    EXPECT_NE(state.Picture, before);
    state.Drawing.ShapeActive = false; // Esc

    SwapUndo(state.Picture, state.Undo);
    EXPECT_EQ(state.Picture, before);
}

TEST_F(PictureMouse, EscAfterTheFirstLineClickPaintsNothing) {
    const MgsImage before = state.Picture;
    state.Drawing.Instrument = InstrumentKind::Line;
    Press(At(10, 10));
    state.Drawing.ShapeActive = false; // Esc
    const PictureMouseResult next = Press(At(50, 50));
    EXPECT_TRUE(next.snapshotTaken);
    EXPECT_EQ(state.Picture, before);
}

TEST_F(PictureMouse, RectangleTakesItsSnapshotOnTheFirstClickAndDrawsOnTheSecond) {
    const MgsImage before = state.Picture;
    state.Drawing.Instrument = InstrumentKind::Rect;
    state.Drawing.CurrentAttr = {1, 2, 3, 4};
    state.Drawing.CurrentCharColor = 2;
    EXPECT_TRUE(Press(At(20, 20)).snapshotTaken);
    EXPECT_TRUE(state.Drawing.ShapeActive);

    const PictureMouseResult band = Move(At(40, 30) + QPoint(2, 3));
    ASSERT_TRUE(band.rubberBand.has_value());
    EXPECT_EQ(band.rubberBand->shape, RubberBandShape::Rect);
    EXPECT_EQ(band.rubberBand->to, At(40, 30) + QPoint(2, 3)); // not snapped
    EXPECT_EQ(band.rubberBand->colour, Mix(2, 3));             // swatch I0+P1

    const PictureMouseResult second = Press(At(40, 30));
    EXPECT_FALSE(second.snapshotTaken);
    EXPECT_TRUE(second.refreshView);
    EXPECT_FALSE(state.Drawing.ShapeActive);
    EXPECT_TRUE(Pixel(0, 20, 20) && !Pixel(1, 20, 20));
    EXPECT_TRUE(Pixel(0, 40, 30) && Pixel(0, 30, 30) && Pixel(0, 20, 25));
    SwapUndo(state.Picture, state.Undo);
    EXPECT_EQ(state.Picture, before);

    // The ellipse's second click ends it without drawing.
    state.Drawing.Instrument = InstrumentKind::Ellipse;
    Press(At(20, 20));
    const MgsImage afterFirst = state.Picture;
    EXPECT_TRUE(Press(At(60, 60)).paint.cells.empty());
    EXPECT_EQ(state.Picture, afterFirst);
}

TEST_F(PictureMouse, RightClickPicksAndBroadcastsWithAnyInstrument) {
    state.Picture.AttrPlane[0][PlaneIndex(3, 16)] = {1, 14};
    state.Picture.AttrPlane[1][PlaneIndex(3, 16)] = {0, 7};
    for (InstrumentKind instrument : {InstrumentKind::Paint, InstrumentKind::Select}) {
        state.Drawing.Instrument = instrument;
        state.Drawing.CurrentAttr = {};
        const MgsImage before = state.Picture;
        const PictureMouseResult result = PictureMouseDown(state, {At(27, 20), false, true, false});
        EXPECT_TRUE(result.coloursPicked);
        EXPECT_EQ(state.Drawing.CurrentAttr, (AttrSet{1, 14, 0, 7}));
        EXPECT_EQ(result.paletteBroadcast, std::optional<uint32_t>(0x70E1));
        EXPECT_FALSE(result.snapshotTaken);
        EXPECT_EQ(state.Picture, before);
        EXPECT_EQ(result.selectionPoint.has_value(), instrument == InstrumentKind::Select);
    }
}

TEST_F(PictureMouse, BlockedOrOutsideEventsDoNotEdit) {
    const MgsImage before = state.Picture;
    const int z = state.View.ZoomFactor();
    state.Drawing.MouseBlocked = true;
    EXPECT_FALSE(Press(At(5, 5)).snapshotTaken);
    const PictureMouseResult blockedMove = Move(At(6, 6), true);
    EXPECT_TRUE(blockedMove.updateZoomPreview);
    EXPECT_FALSE(blockedMove.status.has_value());
    EXPECT_EQ(state.Drawing.LastMovePosition, At(6, 6));
    EXPECT_EQ(state.Drawing.PointerPosition, QPoint(0, 0));

    state.Drawing.MouseBlocked = false;
    const QPoint outside(256 * z, 10);
    EXPECT_FALSE(Press(outside).snapshotTaken);
    const PictureMouseResult outsideMove = Move(outside, true, true);
    EXPECT_TRUE(outsideMove.updateZoomPreview);
    EXPECT_FALSE(outsideMove.rubberBand.has_value());
    EXPECT_FALSE(state.Drawing.ShapeActive);
    EXPECT_EQ(state.Drawing.PointerPosition, outside); // Copy still sees where it went
    EXPECT_EQ(state.Picture, before);

    // A move reported twice at one place is dropped at once.
    EXPECT_FALSE(Move(outside).updateZoomPreview);
}

TEST_F(PictureMouse, ShiftMoveShowsThePencilBandUntilShiftIsReleased) {
    state.Drawing.LastPoint = At(3, 3);
    const PictureMouseResult band = Move(At(9, 9), false, true);
    ASSERT_TRUE(band.rubberBand.has_value());
    EXPECT_EQ(band.rubberBand->from, At(3, 3));
    EXPECT_TRUE(state.Drawing.ShapeActive);

    EXPECT_FALSE(PictureKeyRelease(state, true)); // another key, Shift still down
    EXPECT_TRUE(state.Drawing.ShapeActive);
    EXPECT_TRUE(PictureKeyRelease(state, false));
    EXPECT_FALSE(state.Drawing.ShapeActive);
    EXPECT_FALSE(PictureKeyRelease(state, false));

    // Only the pencil's band ends with a key release.
    state.Drawing.Instrument = InstrumentKind::Line;
    state.Drawing.ShapeActive = true;
    EXPECT_FALSE(PictureKeyRelease(state, false));
    EXPECT_TRUE(state.Drawing.ShapeActive);
}

} // namespace
