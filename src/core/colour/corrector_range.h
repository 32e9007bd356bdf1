// SPDX-License-Identifier: GPL-3.0-or-later
// The colour corrector's marked range of cells, inclusive, in cells of the current
// CharHeight; it only grows right and down from the first pressed cell.
#pragma once

struct CorrectorRangeRecord {
    int c0 = 0, r0 = 0; // the cell first pressed
    int c1 = 0, r1 = 0; // the far corner: c1 >= c0, r1 >= r0
    bool dragging = false;
};
