// SPDX-License-Identifier: GPL-3.0-or-later
// Frames are copied from the dash pattern strips like the grids, one strip per edge.
#include "display/frames.h"

#include "display/view_painter.h"

#include <QPainter>

#include <algorithm>

void DrawDashFrame(QPainter& painter, const QRect& rect, int phase, const LinePatterns& patterns) {
    if (rect.width() <= 0 || rect.height() <= 0)
        return;
    phase &= 15;
    const int reverse = 15 - phase;
    const int w = std::min(rect.width(), patterns.DashH.width() - 15);
    const int h = std::min(rect.height(), patterns.DashV.height() - 15);
    // Top, bottom, left, right: later edges cover the corners of earlier ones.
    painter.drawImage(QPoint(rect.left(), rect.top()), patterns.DashH, QRect(reverse, 0, w, 1));
    painter.drawImage(QPoint(rect.left(), rect.top() + rect.height() - 1), patterns.DashH,
                      QRect(phase, 0, w, 1));
    painter.drawImage(QPoint(rect.left(), rect.top()), patterns.DashV, QRect(0, phase, 1, h));
    painter.drawImage(QPoint(rect.left() + rect.width() - 1, rect.top()), patterns.DashV,
                      QRect(0, reverse, 1, h));
}

QRegion FrameEdges(const QRect& r) {
    if (r.isEmpty())
        return {};
    QRegion edges(r.left(), r.top(), r.width(), 1);
    edges += QRect(r.left(), r.bottom(), r.width(), 1);
    edges += QRect(r.left(), r.top(), 1, r.height());
    edges += QRect(r.right(), r.top(), 1, r.height());
    return edges;
}

QRect SelectionFrameRect(int x, int y, int w, int h, int zoomFactor, int charHeight) {
    // A record pasted from elsewhere may hold anything; keep the arithmetic in range.
    auto limit = [](int v) { return std::clamp(v, 0, 256); };
    x = limit(x), y = limit(y), w = limit(w), h = limit(h);
    const int cellWidth = 8 * zoomFactor, cellHeight = zoomFactor * charHeight;
    return QRect(cellWidth * x, cellHeight * y, cellWidth * w, cellHeight * h);
}

QRect CorrectorFrameRect(int x1, int y1, int x2, int y2, int charHeight) {
    const int d = 2 * charHeight;
    return QRect(16 * x1, d * y1, 16 * (x2 - x1 + 1), d * (y2 - y1 + 1));
}
