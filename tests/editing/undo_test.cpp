// SPDX-License-Identifier: GPL-3.0-or-later
#include "editing/undo.h"
#include "support/test_pictures.h"

#include <gtest/gtest.h>

namespace {

TEST(Undo, TheCopyIsTheWholePictureAndANoOpRecordsNothing) {
    UndoSnapshot snapshot;
    MgsImage picture = RandomPicture(4, 3);
    const MgsImage loaded = picture;
    EXPECT_FALSE(SwapUndo(picture, snapshot)); // nothing to undo at start
    EXPECT_EQ(picture, loaded);

    // A conversion and a border press are undone with the planes.
    picture.PixelPlane[0][0] ^= 0xFF;
    picture.CharHeight = 1;
    picture.BorderPair = {6, 2};
    EXPECT_TRUE(TakeSnapshot(loaded, picture, snapshot));
    const MgsImage edited = picture;
    EXPECT_FALSE(TakeSnapshot(edited, picture, snapshot)); // a no-op keeps the copy
    EXPECT_TRUE(SwapUndo(picture, snapshot));
    EXPECT_EQ(picture, loaded);
    EXPECT_TRUE(SwapUndo(picture, snapshot)); // redo
    EXPECT_EQ(picture, edited);

    ClearUndo(snapshot); // New or a load
    EXPECT_FALSE(SwapUndo(picture, snapshot));
    EXPECT_EQ(picture, edited);
}

} // namespace
