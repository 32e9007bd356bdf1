// SPDX-License-Identifier: GPL-3.0-or-later
// Flips, the quarter turn and the one-pixel rolls of the selected rectangle. Pixels of both
// screens move together, so every pixel keeps its combined colour; flips and the turn also
// move the attribute cells.
#pragma once

#include "editing/selection.h"
#include "picture/mgs_image.h"

enum class Transform {
    FlipHorizontal,
    FlipVertical,
    Rotate90, // clockwise, keeping the rectangle's top-left corner
    RollLeft, // one pixel, with wrap-around; attributes stay and pixels move under them
    RollRight,
    RollUp,
    RollDown,
};

// Applies `transform` to the record's last rectangle, whether or not a selection is shown,
// after the caller's TakeSnapshot. Reads a work copy of the planes and writes the picture,
// so the moves may overlap. The rectangle is first cut to the picture at its current
// CharHeight; a turned block that reaches past the right or bottom edge writes only the part
// inside. The record is not changed. Returns Rerender.
ViewUpdate ApplyTransform(MgsImage& picture, const SelectionRecord& sel, Transform transform);
