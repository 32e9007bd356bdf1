// SPDX-License-Identifier: GPL-3.0-or-later
// The one-level undo: a full copy of the four planes, exchanged with the picture so that
// a second undo redoes.
#pragma once

#include "picture/mgs_image.h"

// CharHeight, the border colours and every editor setting stay out of it: those are never
// undone. All zero at start, and never cleared afterwards.
using UndoSnapshot = PicturePlanes;

// Copies the four planes into the snapshot; editing operations call it just before they
// change anything. No redraw.
void TakeSnapshot(const MgsImage& picture, UndoSnapshot& snapshot);

// Exchanges the picture's planes with the snapshot. The caller re-renders the view
// (RefreshView(true)) and updates the zoom preview.
void SwapUndo(MgsImage& picture, UndoSnapshot& snapshot);
