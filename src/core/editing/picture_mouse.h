// SPDX-License-Identifier: GPL-3.0-or-later
// What a mouse press, a mouse move and a key release on the picture view do to the
// editor's records, and what the view must then show. The view widget forwards its events
// here and carries out the returned result; it decides nothing itself.
#pragma once

#include "display/rubber_band.h"
#include "display/status_text.h"
#include "editing/drawing.h"
#include "editing/editor_state.h"

#include <QPoint>

#include <cstdint>
#include <optional>

struct PictureMouseInput {
    QPoint point;       // view coordinates
    bool left = false;  // press: the pressed button is the left one; move: left held
    bool right = false; // the same for the right button
    bool shift = false; // Shift held
};

// The view carries these out in this order: the selection step, RedrawCell for every
// painted cell, RefreshView(false) when asked (dropping the rubber band) and then drawing
// `rubberBand` if any, the palette redraw and broadcast, the status bar, the zoom preview.
struct PictureMouseResult {
    bool snapshotTaken = false;           // this event recorded the stroke's undo copy
    PaintResult paint;                    // cells to redraw with RedrawCell
    bool refreshView = false;             // RefreshView(false): drop the rubber band, repaint
    std::optional<RubberBand> rubberBand; // the rubber band to show after that refresh
    // Select instrument: on a press, start a selection at the cell of this point; on a
    // move, continue the drag here if one is in progress.
    std::optional<QPoint> selectionPoint;
    bool coloursPicked = false; // CurrentAttr changed: RedrawPalettes, ShowCharColorSelection
    std::optional<uint32_t> paletteBroadcast; // payload to send to every running copy
    std::optional<PointerInfo> status;        // what ShowPointerInfo shows last
    std::optional<CharColours> cellColours;   // ShowCellColours
    bool updateZoomPreview = false;
};

// Mouse down on the view. Ignored while MouseBlocked and outside the view.
PictureMouseResult PictureMouseDown(EditorState& state, const PictureMouseInput& input);

// Mouse move over the view. A move to the position of the previous move does nothing.
PictureMouseResult PictureMouseMove(EditorState& state, const PictureMouseInput& input);

// Any key released: letting Shift go with the pencil ends its rubber band. Returns true
// when the view must RefreshView(false).
bool PictureKeyRelease(EditorState& state, bool shiftHeld);
