// SPDX-License-Identifier: GPL-3.0-or-later
// A snapshot is a plain copy: no history list and no compression.
#include "editing/undo.h"

#include <utility>

bool TakeSnapshot(const MgsImage& before, const MgsImage& after, UndoSnapshot& snapshot) {
    if (before == after)
        return false;
    snapshot.Picture = before;
    snapshot.Held = true;
    ++snapshot.Generation;
    return true;
}

bool SwapUndo(MgsImage& picture, UndoSnapshot& snapshot) {
    if (!snapshot.Held)
        return false;
    std::swap(picture, snapshot.Picture);
    ++snapshot.Generation;
    return true;
}

void ClearUndo(UndoSnapshot& snapshot) {
    snapshot.Held = false;
    ++snapshot.Generation;
}
