// The picture view Editor_IMG_MGSFull: the zoomed picture with its grids.
#pragma once

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

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Editor& editor_;
};
