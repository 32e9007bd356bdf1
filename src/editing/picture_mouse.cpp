// SPDX-License-Identifier: GPL-3.0-or-later
// The picture view's event handling as steps over the records; each step tests its own
// condition, so one press can, for example, both start a selection and pick colours.
#include "editing/picture_mouse.h"

#include "colour/palette_message.h"
#include "editing/draw_on.h"

namespace {

bool PaintsOnPress(InstrumentKind instrument) {
    return instrument == InstrumentKind::Paint || instrument == InstrumentKind::FillChar;
}

RubberBand MakeBand(const EditorState& state, RubberBandShape shape, QPoint to) {
    const DrawingState& drawing = state.Drawing;
    return {shape, drawing.LastPoint, to,
            CurrentCharColours(drawing.CurrentAttr)[drawing.CurrentCharColor & 3],
            state.View.ZoomFactor()};
}

} // namespace

PictureMouseResult PictureMouseDown(EditorState& state, const PictureMouseInput& input) {
    PictureMouseResult result;
    const OtherScreenGuard keepOtherScreen(state.Picture, state.Drawing.DrawScreen);
    DrawingState& drawing = state.Drawing;
    const QPoint point = input.point;
    if (drawing.MouseBlocked || !PicturePixelAt(state, point))
        return result;
    const InstrumentKind instrument = drawing.Instrument;

    if (instrument == InstrumentKind::Select)
        result.selectionPoint = point;

    if (PaintsOnPress(instrument) && input.left) {
        TakeSnapshot(state.Picture, state.Undo);
        result.snapshotTaken = true;
        if (input.shift) {
            result.paint.Append(DrawLine(state, drawing.LastPoint, point));
            drawing.LastPoint = point;
        } else {
            result.paint.Append(PaintAt(state, point));
        }
        drawing.Stroking = true;
    }

    if (input.right) {
        PickAttr(state, point);
        result.coloursPicked = true;
        result.paletteBroadcast = EncodePaletteMessage(drawing.CurrentAttr);
    }

    if ((instrument == InstrumentKind::Rect || instrument == InstrumentKind::Ellipse) &&
        input.left) {
        if (drawing.ShapeActive) {
            drawing.ShapeActive = false;
            // The ellipse is never drawn into the picture; its second click only ends it.
            if (instrument == InstrumentKind::Rect)
                result.paint.Append(DrawRect(state, drawing.LastPoint, point));
            result.refreshView = true;
        } else {
            TakeSnapshot(state.Picture, state.Undo);
            result.snapshotTaken = true;
            drawing.LastPoint = point;
            drawing.ShapeActive = true;
        }
    }

    if (instrument == InstrumentKind::Line && input.left) {
        // One snapshot for the whole polyline: only its first click takes one.
        if (drawing.ShapeActive) {
            result.paint.Append(DrawLine(state, drawing.LastPoint, point));
        } else {
            TakeSnapshot(state.Picture, state.Undo);
            result.snapshotTaken = true;
        }
        drawing.LastPoint = point;
        drawing.ShapeActive = true;
    }

    result.paint.RemoveRepeatedCells();
    result.status = result.paint.pointer;
    return result;
}

PictureMouseResult PictureMouseMove(EditorState& state, const PictureMouseInput& input) {
    PictureMouseResult result;
    const OtherScreenGuard keepOtherScreen(state.Picture, state.Drawing.DrawScreen);
    DrawingState& drawing = state.Drawing;
    const QPoint point = input.point;
    if (point == drawing.LastMovePosition)
        return result;
    drawing.LastMovePosition = point;
    result.updateZoomPreview = true;
    if (drawing.MouseBlocked)
        return result;
    drawing.PointerPosition = point;
    if (!PicturePixelAt(state, point))
        return result;
    drawing.LastPicturePoint = point;
    const InstrumentKind instrument = drawing.Instrument;

    if ((instrument == InstrumentKind::Line && drawing.ShapeActive) || input.shift) {
        drawing.ShapeActive = true;
        result.refreshView = true;
        result.rubberBand = MakeBand(state, RubberBandShape::Line, point);
    }
    if (instrument == InstrumentKind::Rect && drawing.ShapeActive) {
        // Replaces a Shift line drawn just before: the refresh would have wiped it.
        result.refreshView = true;
        result.rubberBand = MakeBand(state, RubberBandShape::Rect, point);
    }
    if (instrument == InstrumentKind::Select)
        result.selectionPoint = point;
    if (PaintsOnPress(instrument) && input.left) {
        // Pointer moves arrive far apart in a fast stroke: each one is joined to the last
        // painted point by a line, so the stroke has no gaps. A drag whose press painted
        // nothing (it came while the mouse was blocked) starts its stroke here.
        if (drawing.Stroking) {
            result.paint = DrawLine(state, drawing.LastPoint, point);
        } else {
            result.paint = PaintAt(state, point);
            drawing.Stroking = true;
        }
    }

    result.status = TakePointerInfo(state.Picture, state.View.ZoomFactor(), drawing.PaintSize,
                                    point, PointerInfoVariant::Move);
    result.cellColours = CellColoursAt(state.Picture, state.View.ZoomFactor(), point);
    return result;
}

bool PictureKeyRelease(EditorState& state, bool shiftHeld) {
    DrawingState& drawing = state.Drawing;
    if (drawing.ShapeActive && drawing.Instrument == InstrumentKind::Paint && !shiftHeld) {
        drawing.ShapeActive = false;
        return true;
    }
    return false;
}
