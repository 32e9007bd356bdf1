// SPDX-License-Identifier: GPL-3.0-or-later
// Images are drawn as they are, without scaling; an image with transparency shows the
// window's background through it.
#include "colour/image_control.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

ImageControl::ImageControl(QWidget* parent, const QString& name, const QImage& image)
    : QWidget(parent), image_(image) {
    setObjectName(name);
    setFixedSize(image_.size());
    if (!image_.hasAlphaChannel())
        setAttribute(Qt::WA_OpaquePaintEvent);
}

void ImageControl::SetImage(const QImage& image) {
    image_ = image;
    update();
}

void ImageControl::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.drawImage(event->rect().topLeft(), image_, event->rect());
}

void ImageControl::mousePressEvent(QMouseEvent* event) {
    emit Pressed(event->position().toPoint());
}

void ImageControl::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::MouseButtonMask)
        emit Moved(event->position().toPoint());
}

void ImageControl::mouseReleaseEvent(QMouseEvent* event) {
    emit Released(event->position().toPoint());
}
