// SPDX-License-Identifier: GPL-3.0-or-later
// The view paints only what is exposed, straight from the renderer's mixed image, and
// draws the overlays over it from the state, so that a repaint never loses them.
#include "display/picture_view.h"

#include "display/frames.h"
#include "editing/editor.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

PictureView::PictureView(Editor& editor, QWidget* parent) : QWidget(parent), editor_(editor) {
    setObjectName("Editor_IMG_MGSFull");
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    UpdateSize();
}

QSize PictureView::ViewSize() const {
    const int z = editor_.State().View.ZoomFactor();
    return {kPictureWidth * z, kPictureHeight * z};
}

void PictureView::UpdateSize() {
    setFixedSize(ViewSize());
}

void PictureView::RepaintPictureRect(const QRect& pictureRect) {
    const int z = editor_.State().View.ZoomFactor();
    update(QRect(pictureRect.topLeft() * z, pictureRect.size() * z));
}

QRect PictureView::SelectionFrame() const {
    const EditorState& state = editor_.State();
    const SelectionRecord& s = state.Selection;
    if (!s.exists)
        return {};
    return SelectionFrameRect(s.x, s.y, s.w, s.h, state.View.ZoomFactor(),
                              state.Picture.CharHeight);
}

void PictureView::UpdateSelectionFrame() {
    update(FrameEdges(drawnFrame_) + FrameEdges(SelectionFrame()));
}

void PictureView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const EditorState& state = editor_.State();
    drawnFrame_ = SelectionFrame();
    ViewScene scene;
    scene.mixed = &editor_.ShownImage();
    scene.zoomFactor = state.View.ZoomFactor();
    scene.charHeight = state.Picture.CharHeight;
    scene.grids = {state.View.PixelGrid, state.View.CharGrid};
    scene.selectionFrame = drawnFrame_;
    scene.framePhase = state.FramePhase;
    scene.rubberBand = rubberBand_;
    PaintView(painter, event->region(), scene, editor_.Patterns());
}

void PictureView::SetRubberBand(const std::optional<RubberBand>& band) {
    if (band == rubberBand_)
        return;
    QRegion changed;
    if (rubberBand_)
        changed += RubberBandRegion(*rubberBand_);
    if (band)
        changed += RubberBandRegion(*band);
    rubberBand_ = band;
    update(changed);
}

namespace {

PictureMouseInput InputOf(const QMouseEvent& event, Qt::MouseButtons buttons) {
    return {event.position().toPoint(), (buttons & Qt::LeftButton) != 0,
            (buttons & Qt::RightButton) != 0, (event.modifiers() & Qt::ShiftModifier) != 0};
}

} // namespace

void PictureView::mousePressEvent(QMouseEvent* event) {
    emit MousePressed(InputOf(*event, event->button()));
}

void PictureView::mouseMoveEvent(QMouseEvent* event) {
    emit MouseMoved(InputOf(*event, event->buttons()));
}

void PictureView::mouseReleaseEvent(QMouseEvent*) {
    emit MouseReleased();
}
