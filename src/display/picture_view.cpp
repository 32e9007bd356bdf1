// The view paints only what is exposed, straight from the renderer's mixed image.
#include "display/picture_view.h"

#include "shell/editor.h"

#include <QPaintEvent>
#include <QPainter>

PictureView::PictureView(Editor& editor, QWidget* parent) : QWidget(parent), editor_(editor) {
    setObjectName("Editor_IMG_MGSFull");
    setAttribute(Qt::WA_OpaquePaintEvent);
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

void PictureView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const EditorState& state = editor_.State();
    const ViewGrids grids{state.View.PixelGrid, state.View.CharGrid};
    for (const QRect& rect : event->region())
        PaintPictureView(painter, rect, editor_.Images().MixedImage, state.View.ZoomFactor(),
                         state.Picture.CharHeight, grids, editor_.Patterns());
}
