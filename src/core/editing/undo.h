// SPDX-License-Identifier: GPL-3.0-or-later
// The one-level undo: a copy of the whole picture as it was before the last edit,
// exchanged with the picture so that a second undo redoes.
#pragma once

#include "picture/mgs_image.h"

#include <cstdint>

struct UndoSnapshot {
    // Planes, CharHeight and BorderPair: an edit may change any of them, and an undo that
    // brought back only some would show a picture that never existed.
    MgsImage Picture;
    bool Held = false; // false at start and after New or a load: nothing to undo
    // Counts every recorded copy and every exchange, so that a stroke can tell whether the
    // copy in hand is still its own (see DrawingState::StrokeCopy).
    uint64_t Generation = 0;
};

// The one place an edit records its undo copy: `before` is the picture as it was just
// before the edit, `after` as it is now. A command that changed nothing records nothing, so
// a no-op never makes the previous edit impossible to undo. Returns true when recorded.
bool TakeSnapshot(const MgsImage& before, const MgsImage& after, UndoSnapshot& snapshot);

// Exchanges the picture with the snapshot. Does nothing and returns false while there is
// nothing to undo. The caller re-renders every view.
bool SwapUndo(MgsImage& picture, UndoSnapshot& snapshot);

// A fresh history: New and every load replace the picture with an unrelated one.
void ClearUndo(UndoSnapshot& snapshot);
