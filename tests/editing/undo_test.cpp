#include "editing/editor_state.h"
#include "editing/undo.h"
#include "support/test_pictures.h"

#include <gtest/gtest.h>

namespace {

TEST(Undo, SwapBeforeAnySnapshotBlanksThePictureAndASecondSwapRestoresIt) {
    EditorState state;
    state.Picture = RandomPicture(4, 3);
    state.Picture.BorderPair = {2, 5};
    const MgsImage loaded = state.Picture;

    SwapUndo(state.Picture, state.Undo);
    EXPECT_EQ(static_cast<const PicturePlanes&>(state.Picture), PicturePlanes{});
    // Only the planes are exchanged.
    EXPECT_EQ(state.Picture.CharHeight, 4);
    EXPECT_EQ(state.Picture.BorderPair, loaded.BorderPair);

    SwapUndo(state.Picture, state.Undo);
    EXPECT_EQ(state.Picture, loaded);
}

TEST(Undo, OnlyTheLastSnapshotIsKept) {
    EditorState state;
    const MgsImage first = RandomPicture(8, 1);
    const MgsImage second = RandomPicture(8, 2);
    state.Picture = first;
    TakeSnapshot(state.Picture, state.Undo);
    state.Picture = second;
    TakeSnapshot(state.Picture, state.Undo);
    state.Picture.PixelPlane[0][0] ^= 0xFF;
    state.Picture.CharHeight = 2; // a conversion after the snapshot is not undone

    SwapUndo(state.Picture, state.Undo);
    EXPECT_EQ(static_cast<const PicturePlanes&>(state.Picture),
              static_cast<const PicturePlanes&>(second));
    EXPECT_EQ(state.Picture.CharHeight, 2);
}

} // namespace
