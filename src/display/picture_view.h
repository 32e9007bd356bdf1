// The picture view Editor_IMG_MGSFull: the zoomed picture with its grids and the marching
// frame of the selection.
#pragma once

#include <QRect>
#include <QWidget>

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

signals:
    void PointerMoved(QPoint viewPoint);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QRect SelectionFrame() const; // empty without a selection

    Editor& editor_;
    QRect drawnFrame_;
};
