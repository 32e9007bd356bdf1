// SPDX-License-Identifier: GPL-3.0-or-later
// A control that shows an image 1:1 and reports the pointer on it: the palette pictures,
// the corrector's screen and char views and its colour strips.
#pragma once

#include <QImage>
#include <QWidget>

class ImageControl : public QWidget {
    Q_OBJECT
public:
    // The control takes the size of `image`.
    ImageControl(QWidget* parent, const QString& name, const QImage& image);

    const QImage& Image() const { return image_; }
    // The image to draw on; call Repaint after changing it.
    QImage& MutableImage() { return image_; }
    void SetImage(const QImage& image);
    void Repaint() { update(); }
    void Repaint(const QRegion& region) { update(region); }

signals:
    // Any mouse button; positions are in the control's own pixels.
    void Pressed(QPoint position);
    // Only while a button is held (the pointer stays with the control until the release).
    void Moved(QPoint position);
    void Released(QPoint position);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QImage image_;
};
