// SPDX-License-Identifier: GPL-3.0-or-later
#include "editing/undo.h"
#include "support/test_pictures.h"

#include <gtest/gtest.h>

namespace {

TEST(Undo, SwapExchangesOnlyThePlanesWithTheLastSnapshot) {
    // Before any snapshot the swap blanks the picture; a second one restores it.
    MgsImage picture = RandomPicture(4, 3);
    picture.BorderPair = {2, 5};
    const MgsImage loaded = picture;
    UndoSnapshot snapshot;
    SwapUndo(picture, snapshot);
    EXPECT_EQ(Planes(picture), PicturePlanes{});
    EXPECT_EQ(picture.CharHeight, 4);
    EXPECT_EQ(picture.BorderPair, loaded.BorderPair);
    SwapUndo(picture, snapshot);
    EXPECT_EQ(picture, loaded);

    // After two snapshots only the later one comes back; a conversion stays.
    TakeSnapshot(RandomPicture(8, 1), snapshot);
    TakeSnapshot(loaded, snapshot);
    picture.PixelPlane[0][0] ^= 0xFF;
    picture.CharHeight = 2;
    SwapUndo(picture, snapshot);
    EXPECT_EQ(Planes(picture), Planes(loaded));
    EXPECT_EQ(picture.CharHeight, 2);
}

} // namespace
