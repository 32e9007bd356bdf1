// SPDX-License-Identifier: GPL-3.0-or-later
// Every record the editor keeps for the life of the program, in one aggregate that the
// main window owns. Core routines take the parts they need; widgets see it through the
// editor interface.
#pragma once

#include "colour/corrector_range.h"
#include "display/view_state.h"
#include "editing/drawing_state.h"
#include "editing/history.h"
#include "editing/key_table.h"
#include "editing/selection.h"
#include "editing/undo.h"
#include "picture/colour.h"
#include "picture/mgs_image.h"

#include <QString>

struct EditorState {
    MgsImage Picture; // 8x8, all planes zero, border 0 and 0
    ViewState View;
    UndoSnapshot Undo;    // nothing to undo at start
    UndoHistory History;  // every edit that took the undo copy, with the picture after it
    DrawingState Drawing; // instrument, paint size, modes, current colours, rubber band
    SelectionRecord Selection;
    CorrectorRangeRecord CorrectorRange;
    // The displayed colour of the picked border pair; it frames the Preview image.
    Rgb BorderRGB = MakeRgb(0, 0, 0);

    // The 250 ms tick's state: the dash offset of the marching frames, and the gate that
    // lets the mouse wheel change the zoom at most once per tick.
    int FramePhase = 0;
    bool WheelReady = false;

    // The keyboard joystick's step counter.
    KeySteps Keys;

    // The executable's folder with a trailing separator.
    QString ProgramDir;

    // The current file: the .mgs or MG file last loaded, or last saved as .mgs; empty at
    // start. CurrentFileExt is its extension, dot included.
    QString CurrentFileName;
    QString CurrentFileExt;
    // The picture as it was last loaded or saved as .mgs. Closing asks about unsaved
    // changes when the picture differs from it, so no operation has to report that it
    // changed something, and undoing back to the saved state counts as unchanged.
    MgsImage SavedPicture;
};
