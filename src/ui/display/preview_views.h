// SPDX-License-Identifier: GPL-3.0-or-later
// The Preview window's image Editor_IMG_Preview (the picture at 2x, which doubles as the
// zoom selector) and the Preview Zoom window's image Editor_IMG_ZoomPreview.
#pragma once

#include <QImage>
#include <QWidget>

struct LinePatterns;

// Shows the visible 512 x 384 image: the renderer's PreviewImage itself, or while the zoom
// selector is drawn, a copy of it with the frame over it. The Preview Zoom window copies
// from what is shown here.
class PreviewView : public QWidget {
    Q_OBJECT
public:
    explicit PreviewView(QWidget* parent);

    const QImage& Shown() const { return preview_ && !selectorShown_ ? *preview_ : shown_; }
    // Shows the whole preview image, which also erases a selector frame. `preview` must
    // outlive the view (it is the renderer's image): it is painted from directly, so that
    // a refresh costs no copy.
    void CopyPreview(const QImage& preview);
    // Copies the 2x blocks of a rectangle of picture pixels after a cell was redrawn.
    void CopyPictureRect(const QImage& preview, const QRect& pictureRect);
    // Draws the dotted selector frame and the icon of its factor at the frame's corner.
    void DrawSelector(const QRect& frame, const QImage& icon, const LinePatterns& patterns);

signals:
    void PointerMoved(QPoint position);
    void Pressed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QImage shown_;
    const QImage* preview_ = nullptr;
    bool selectorShown_ = false;
};

// 176 x 176: 88 x 88 picture pixels round the pointer at twice their size.
class ZoomPreviewView : public QWidget {
    Q_OBJECT
public:
    explicit ZoomPreviewView(QWidget* parent);

    const QImage& Shown() const { return shown_; }
    // Copies the block of the visible preview round the picture pixel `centre`.
    void Follow(const QImage& previewShown, QPoint centre);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage shown_;
};
