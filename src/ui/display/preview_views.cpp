// SPDX-License-Identifier: GPL-3.0-or-later
// The two preview images keep what they show, as other views copy from them.
#include "display/preview_views.h"

#include "display/view_painter.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

PreviewView::PreviewView(QWidget* parent)
    : QWidget(parent), shown_(512, 384, QImage::Format_RGB32) {
    setObjectName("Editor_IMG_Preview");
    setFixedSize(512, 384);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    shown_.fill(Qt::white);
}

void PreviewView::CopyPreview(const QImage& preview) {
    preview_ = &preview;
    selectorShown_ = false;
    update();
}

void PreviewView::CopyPictureRect(const QImage& preview, const QRect& pictureRect) {
    const QRect target(pictureRect.topLeft() * 2, pictureRect.size() * 2);
    if (preview_ != &preview || selectorShown_) {
        QPainter painter(&shown_);
        painter.drawImage(target.topLeft(), preview, target);
    }
    update(target);
}

void PreviewView::DrawSelector(const QRect& frame, const QImage& icon,
                               const LinePatterns& patterns) {
    QPainter painter(&shown_);
    if (preview_ && !selectorShown_)
        painter.drawImage(0, 0, *preview_, 0, 0, 512, 384);
    selectorShown_ = true;
    const int w = std::min(frame.width(), patterns.GridLightH.width());
    const int h = std::min(frame.height(), patterns.GridLightV.height());
    painter.drawImage(frame.topLeft(), patterns.GridLightV, QRect(0, 0, 1, h));
    painter.drawImage(QPoint(frame.left() + frame.width() - 1, frame.top()), patterns.GridLightV,
                      QRect(0, 0, 1, h));
    painter.drawImage(frame.topLeft(), patterns.GridLightH, QRect(0, 0, w, 1));
    painter.drawImage(QPoint(frame.left(), frame.top() + frame.height() - 1), patterns.GridLightH,
                      QRect(0, 0, w, 1));
    // Copied, not blended: on its own white square the icon stays readable on a dark
    // picture.
    QImage square(icon.size(), QImage::Format_RGB32);
    square.fill(Qt::white);
    QPainter(&square).drawImage(0, 0, icon);
    painter.drawImage(frame.topLeft(), square);
    update();
}

void PreviewView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.drawImage(event->rect().topLeft(), Shown(), event->rect());
}

void PreviewView::mouseMoveEvent(QMouseEvent* event) {
    emit PointerMoved(event->position().toPoint());
}

void PreviewView::mousePressEvent(QMouseEvent*) {
    emit Pressed();
}

ZoomPreviewView::ZoomPreviewView(QWidget* parent)
    : QWidget(parent), shown_(176, 176, QImage::Format_RGB32) {
    setObjectName("Editor_IMG_ZoomPreview");
    setFixedSize(176, 176);
    setAttribute(Qt::WA_OpaquePaintEvent);
    shown_.fill(Qt::white);
}

void ZoomPreviewView::Follow(const QImage& previewShown, QPoint centre) {
    // The position may lie outside the picture when the pointer left the view with a
    // button held; the block always stays inside the preview.
    const int px = std::clamp(centre.x() - 44, 0, 167);
    const int py = std::clamp(centre.y() - 44, 0, 104);
    QPainter painter(&shown_);
    painter.drawImage(0, 0, previewShown, 2 * px, 2 * py, 176, 176);
    painter.end();
    update();
}

void ZoomPreviewView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.drawImage(event->rect().topLeft(), shown_, event->rect());
}
