// SPDX-License-Identifier: GPL-3.0-or-later
// Zoom arithmetic. The centre is computed in floating point and truncated toward zero,
// so that zooming in and out again returns to the same place.
#include "display/zoom.h"

#include "picture/mgs_image.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

QPoint ScrollKeepingCentre(QSize box, QPoint scroll, int oldFactor, int newFactor) {
    const double w = box.width(), h = box.height();
    const double zOld = oldFactor, zNew = newFactor;
    const double cx = std::trunc(w / zOld / 2 + scroll.x() / zOld);
    const double cy = std::trunc(h / zOld / 2 + scroll.y() / zOld);
    const int x = static_cast<int>(std::trunc((cx - w / zNew / 2) * zNew));
    const int y = static_cast<int>(std::trunc((cy - h / zNew / 2) * zNew));
    return {std::max(0, x), std::max(0, y)};
}

QPoint ScrollKeepingPoint(QPoint viewPoint, QPoint pointerInBox, QPoint viewOrigin, int oldFactor,
                          int newFactor) {
    const int64_t zOld = std::max(1, oldFactor), zNew = std::max(1, newFactor);
    // The same fraction of a picture pixel stays under the pointer.
    const int64_t x = int64_t{viewPoint.x()} * zNew / zOld + viewOrigin.x() - pointerInBox.x();
    const int64_t y = int64_t{viewPoint.y()} * zNew / zOld + viewOrigin.y() - pointerInBox.y();
    return {static_cast<int>(std::clamp<int64_t>(x, 0, INT32_MAX)),
            static_cast<int>(std::clamp<int64_t>(y, 0, INT32_MAX))};
}

QSize ZoomSelectorFrameSize(QSize box, int selectorFactor) {
    const int s = std::max(1, selectorFactor);
    return {8 * ((16 * (box.width() / 64)) / s), 8 * ((16 * (box.height() / 64)) / s)};
}

QPoint ZoomSelectorCell(QPoint previewPoint, QSize box, int selectorFactor) {
    int col = previewPoint.x() / 16, row = previewPoint.y() / 16;
    const QSize frame = ZoomSelectorFrameSize(box, selectorFactor);
    const int maxCol = 32 - frame.width() / 16;
    const int maxRow = 24 - frame.height() / 16;
    if (QRect(0, 0, 512, 384).contains(16 * col, 16 * row)) {
        col = std::min(col, maxCol);
        row = std::min(row, maxRow);
    }
    return {col, row};
}

QRect ZoomSelectorRect(QPoint cell, QSize box, int selectorFactor) {
    return QRect(QPoint(16 * cell.x(), 16 * cell.y()), ZoomSelectorFrameSize(box, selectorFactor));
}

std::optional<QPoint> PicturePixelAt(int zoomFactor, QPoint viewPoint) {
    if (zoomFactor < 1 || viewPoint.x() < 0 || viewPoint.y() < 0)
        return std::nullopt;
    const QPoint pixel(viewPoint.x() / zoomFactor, viewPoint.y() / zoomFactor);
    if (pixel.x() >= kPictureWidth || pixel.y() >= kPictureHeight)
        return std::nullopt;
    return pixel;
}
