// Every record the editor keeps for the life of the program, in one aggregate that the
// main window owns. Core routines take the parts they need; widgets see it through the
// editor interface.
#pragma once

#include "display/view_state.h"
#include "editing/drawing_state.h"
#include "editing/undo.h"
#include "picture/mgs_image.h"

#include <QString>

struct EditorState {
    MgsImage Picture; // 8x8, all planes zero, border 0 and 0
    ViewState View;
    UndoSnapshot Undo;    // all zero at start
    DrawingState Drawing; // instrument, paint size, modes, current colours, rubber band

    // The executable's folder with a trailing separator.
    QString ProgramDir;

    // The selection record, the corrector range and the current file join this aggregate with the
    // features that own them.
};
