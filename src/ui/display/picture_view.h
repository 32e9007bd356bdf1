// SPDX-License-Identifier: GPL-3.0-or-later
// The picture view Editor_IMG_MGSFull: the zoomed picture with its grids, the marching
// frame of the selection and the rubber band of a shape being drawn. It forwards its mouse
// events to the editor and decides nothing itself.
#pragma once

#include "display/rubber_band.h"
#include "editing/picture_mouse.h"

#include <QRect>
#include <QWidget>

#include <optional>

class Editor;

class PictureView : public QWidget {
    Q_OBJECT
public:
    PictureView(Editor& editor, QWidget* parent);

    // 256 x ZoomFactor by 192 x ZoomFactor.
    QSize ViewSize() const;
    void UpdateSize();
    // Repaints the view pixels of a rectangle given in picture pixels.
    void RepaintPictureRect(const QRect& pictureRect);
    // Repaints the selection frame's edges where it is now and where it was last drawn.
    void UpdateSelectionFrame();

    // Shows `band` over the view in place of the previous one (none: no band). Only the
    // pixels under the old and the new band are repainted.
    void SetRubberBand(const std::optional<RubberBand>& band);
    const std::optional<RubberBand>& ShownRubberBand() const { return rubberBand_; }

signals:
    // A button went down: `left` and `right` say which one.
    void MousePressed(const PictureMouseInput& input);
    // The pointer moved, over the view or, with a button held, anywhere: `left` and `right`
    // say which buttons are held.
    void MouseMoved(const PictureMouseInput& input);
    void MouseReleased();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QRect SelectionFrame() const; // empty without a selection

    Editor& editor_;
    QRect drawnFrame_;
    std::optional<RubberBand> rubberBand_;
};
