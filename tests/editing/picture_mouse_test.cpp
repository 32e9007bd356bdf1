// SPDX-License-Identifier: GPL-3.0-or-later
// The mouse on the picture: strokes, their undo copies, polylines, and events that must
// not edit.
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

TEST_F(PictureMouse, EveryPressIsANewStrokeAndOneThatPaintsNothingKeepsTheLastUndo) {
    state.Drawing.CurrentCharColor = 3;
    const MgsImage before = state.Picture;
    EXPECT_TRUE(Press(At(5, 5)).snapshotTaken);
    const MgsImage painted = state.Picture;
    // The same pixel again: it paints (no "same spot" skip across presses), but changes
    // nothing, so the first stroke stays undoable.
    const PictureMouseResult again = Press(At(5, 5));
    EXPECT_FALSE(again.snapshotTaken || again.paint.cells.empty());
    Undo();
    EXPECT_EQ(state.Picture, before);
    Undo();
    // Another colour set one bit at a time keeps LastPaintKey; a new press paints all the same.
    state.Drawing.CurrentCharColor = 1;
    EXPECT_TRUE(Press(At(5, 5)).snapshotTaken);
    EXPECT_TRUE(!Pixel(0, 5, 5) && Pixel(1, 5, 5));
    Undo();
    EXPECT_EQ(state.Picture, painted);
    // An undo in the middle of a drag: the drag's next change records a fresh copy.
    Press(At(60, 60));
    Undo();
    EXPECT_TRUE(Move(At(61, 60), true).snapshotTaken);
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
    EXPECT_FALSE(Press(At(10, 10)).snapshotTaken);
    EXPECT_EQ(state.Picture, before); // the first click only starts it

    Move(At(30, 12));
    EXPECT_TRUE(Press(At(30, 12)).snapshotTaken); // the copy comes with the first change
    const PictureMouseResult third = Press(At(30, 60));
    EXPECT_FALSE(third.snapshotTaken || third.paint.cells.empty());
    state.Drawing.ShapeActive = false; // Esc
    Undo();
    EXPECT_EQ(state.Picture, before);
}

TEST_F(PictureMouse, BlockedOrOutsideEventsDoNotEdit) {
    const MgsImage before = state.Picture;
    state.Drawing.MouseBlocked = true;
    EXPECT_FALSE(Press(At(5, 5)).snapshotTaken);
    Move(At(6, 6), true);

    state.Drawing.MouseBlocked = false;
    EXPECT_FALSE(Press(At(256, 10)).snapshotTaken);
    Move(At(256, 10), true, true);
    EXPECT_EQ(state.Picture, before);
}

} // namespace
