// SPDX-License-Identifier: GPL-3.0-or-later
// The picture view's event handling as steps over the records; each step tests its own
// condition, so one press can, for example, both start a selection and pick colours.
#include "editing/picture_mouse.h"

#include "colour/palette_message.h"
#include "editing/draw_on.h"
#include "editing/undo.h"

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

// A new press starts a new stroke: it has recorded no undo copy yet, and the "same spot as
// last time" rule, meant for repeats within one drag, must not swallow its first paint.
void StartStroke(DrawingState& drawing) {
    drawing.StrokeCopy = 0;
    drawing.ClearLastPaintKey();
}

// One painting step of the current stroke. Until the stroke has changed the picture, each
// step keeps the picture as it was and records it as the undo copy if the step changed
// anything; after that, the stroke's copy stands as long as no other edit or undo came in
// between.
template <class Paint>
PaintResult StrokeStep(EditorState& state, bool& recorded, Paint paint) {
    DrawingState& drawing = state.Drawing;
    if (drawing.StrokeCopy != 0 && drawing.StrokeCopy == state.Undo.Generation)
        return paint();
    const MgsImage before = state.Picture;
    PaintResult result;
    {
        // The other screen is put back before the comparison: a step that would change
        // only that screen changes nothing and must not replace the undo copy.
        const OtherScreenGuard keepOtherScreen(state.Picture, state.Drawing.DrawScreen);
        result = paint();
    }
    if (TakeSnapshot(before, state.Picture, state.Undo)) {
        drawing.StrokeCopy = state.Undo.Generation;
        recorded = true;
    }
    return result;
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
        StartStroke(drawing);
        if (input.shift) {
            result.paint.Append(StrokeStep(state, result.snapshotTaken, [&] {
                return DrawLine(state, drawing.LastPoint, point);
            }));
            drawing.LastPoint = point;
        } else {
            result.paint.Append(
                StrokeStep(state, result.snapshotTaken, [&] { return PaintAt(state, point); }));
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
            if (instrument == InstrumentKind::Rect) {
                result.paint.Append(StrokeStep(state, result.snapshotTaken, [&] {
                    return DrawRect(state, drawing.LastPoint, point);
                }));
            }
            result.refreshView = true;
        } else {
            StartStroke(drawing);
            drawing.LastPoint = point;
            drawing.ShapeActive = true;
        }
    }

    if (instrument == InstrumentKind::Line && input.left) {
        // One undo copy for the whole polyline: the first click starts the stroke.
        if (drawing.ShapeActive) {
            drawing.ClearLastPaintKey();
            result.paint.Append(StrokeStep(state, result.snapshotTaken, [&] {
                return DrawLine(state, drawing.LastPoint, point);
            }));
        } else {
            StartStroke(drawing);
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
        if (!drawing.Stroking)
            drawing.StrokeCopy = 0;
        result.paint = StrokeStep(state, result.snapshotTaken, [&] {
            return drawing.Stroking ? DrawLine(state, drawing.LastPoint, point)
                                    : PaintAt(state, point);
        });
        drawing.Stroking = true;
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
