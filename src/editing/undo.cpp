// SPDX-License-Identifier: GPL-3.0-or-later
// A snapshot is a plain copy: no history, no compression, no dirty tracking.
#include "editing/undo.h"

void TakeSnapshot(const MgsImage& picture, UndoSnapshot& snapshot) {
    snapshot = static_cast<const PicturePlanes&>(picture);
}

void SwapUndo(MgsImage& picture, UndoSnapshot& snapshot) {
    // Element-wise exchange of the fixed-size planes; the base-class slice leaves
    // CharHeight and BorderPair where they are.
    picture.PixelPlane.swap(snapshot.PixelPlane);
    picture.AttrPlane.swap(snapshot.AttrPlane);
}
