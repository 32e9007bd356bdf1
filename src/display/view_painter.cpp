// SPDX-License-Identifier: GPL-3.0-or-later
// The view never holds a scaled copy of the whole picture (48 MiB at 16x): each paint
// scales just the exposed part and copies grid lines from the pattern strips.
#include "display/view_painter.h"

#include "display/frames.h"

#include "picture/colour.h"
#include "picture/mgs_image.h"

#include <QPainter>
#include <QRegion>

#include <algorithm>
#include <cstdlib>

namespace {

constexpr Rgb kGrey = MakeRgb(128, 128, 128);
constexpr Rgb kWhite = MakeRgb(255, 255, 255);
constexpr Rgb kBlack = MakeRgb(0, 0, 0);

QImage MakePattern(int length, bool horizontal, Rgb (*colourAt)(int)) {
    QImage image(horizontal ? length : 1, horizontal ? 1 : length, QImage::Format_RGB32);
    for (int i = 0; i < length; ++i)
        image.setPixel(horizontal ? i : 0, horizontal ? 0 : i, colourAt(i));
    return image;
}

Rgb LightAt(int i) {
    return i % 2 == 0 ? kGrey : kWhite;
}
Rgb DarkAt(int i) {
    return i % 2 == 0 ? kGrey : kBlack;
}
Rgb DashAt(int i) {
    return i % 16 >= 8 && i % 16 <= 14 ? kBlack : kWhite;
}

// A horizontal grid segment on view row y from x0 to x1 inclusive, copied from the
// pattern as if the whole line had been copied from its pixel 1.
void HorizontalSegment(QPainter& painter, const QImage& pattern, int y, int x0, int x1) {
    if (x1 >= x0)
        painter.drawImage(QPoint(x0, y), pattern, QRect(x0 + 1, 0, x1 - x0 + 1, 1));
}
void VerticalSegment(QPainter& painter, const QImage& pattern, int x, int y0, int y1) {
    if (y1 >= y0)
        painter.drawImage(QPoint(x, y0), pattern, QRect(0, y0 + 1, 1, y1 - y0 + 1));
}

// The rectangle spanned by two points, grown by `margin` on every side.
QRect SpanRect(QPoint a, QPoint b, int margin) {
    return QRect(QPoint(std::min(a.x(), b.x()) - margin, std::min(a.y(), b.y()) - margin),
                 QPoint(std::max(a.x(), b.x()) + margin, std::max(a.y(), b.y()) + margin));
}

// Round caps and joins, as a wide pen draws them on the platform the tools come from.
void DrawRubberBand(QPainter& painter, const QRegion& region, const RubberBand& band) {
    painter.save();
    painter.setClipRegion(region, Qt::IntersectClip);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(QColor::fromRgb(band.colour), std::max(1, band.penWidth), Qt::SolidLine,
                        Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    if (band.shape == RubberBandShape::Line)
        painter.drawLine(band.from, band.to);
    else
        painter.drawRect(QRectF(QPointF(band.from), QPointF(band.to)).normalized());
    painter.restore();
}

// First multiple of `step` at or after `from`.
int FirstLineAtOrAfter(int from, int step) {
    return (from + step - 1) / step * step;
}

} // namespace

LinePatterns LinePatterns::Create() {
    LinePatterns p;
    p.GridLightH = MakePattern(kMaxViewWidth + 1, true, LightAt);
    p.GridLightV = MakePattern(kMaxViewHeight + 1, false, LightAt);
    p.GridDarkH = MakePattern(kMaxViewWidth + 1, true, DarkAt);
    p.GridDarkV = MakePattern(kMaxViewHeight + 1, false, DarkAt);
    p.DashH = MakePattern(kMaxViewWidth + 16, true, DashAt);
    p.DashV = MakePattern(kMaxViewHeight + 16, false, DashAt);
    return p;
}

void PaintPictureView(QPainter& painter, const QRect& area, const QImage& mixed, int zoomFactor,
                      int charHeight, ViewGrids grids, const LinePatterns& patterns) {
    const int z = zoomFactor;
    if (!IsValidCharHeight(charHeight))
        charHeight = 8;
    const QRect view = QRect(0, 0, kPictureWidth * z, kPictureHeight * z).intersected(area);
    if (view.isEmpty() || z < 1)
        return;

    // The picture pixels the area touches, scaled by the whole factor.
    const int px0 = view.left() / z, py0 = view.top() / z;
    const int px1 = view.right() / z, py1 = view.bottom() / z;
    const QRect source(px0, py0, px1 - px0 + 1, py1 - py0 + 1);
    painter.save();
    painter.setClipRect(view);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(QRect(px0 * z, py0 * z, source.width() * z, source.height() * z), mixed,
                      source);

    const int left = view.left(), right = view.right();
    const int top = view.top(), bottom = view.bottom();
    if (grids.pixel) {
        for (int y = FirstLineAtOrAfter(top, z); y <= bottom; y += z)
            HorizontalSegment(painter, patterns.GridDarkH, y, left, right);
        for (int x = FirstLineAtOrAfter(left, z); x <= right; x += z)
            VerticalSegment(painter, patterns.GridDarkV, x, top, bottom);
    }
    if (grids.chr) {
        const int cellWidth = 8 * z;
        for (int x = FirstLineAtOrAfter(left, cellWidth); x <= right; x += cellWidth)
            VerticalSegment(painter, patterns.GridLightV, x, top, bottom);
        if (charHeight == 1) {
            // The side columns keep 8-row cells in the 8x1 mode; only the middle sixteen
            // change attribute on every row.
            for (int c = left / cellWidth; c <= right / cellWidth && c < kByteColumns; ++c) {
                const int step = (c < 8 || c >= 24) ? 8 * z : z;
                const int x0 = std::max(left, c * cellWidth);
                const int x1 = std::min(right, c * cellWidth + cellWidth - 1);
                for (int y = FirstLineAtOrAfter(top, step); y <= bottom; y += step)
                    HorizontalSegment(painter, patterns.GridLightH, y, x0, x1);
            }
        } else {
            const int step = z * charHeight;
            for (int y = FirstLineAtOrAfter(top, step); y <= bottom; y += step)
                HorizontalSegment(painter, patterns.GridLightH, y, left, right);
        }
    }
    painter.restore();
}

void PaintView(QPainter& painter, const QRegion& region, const ViewScene& scene,
               const LinePatterns& patterns) {
    if (!scene.mixed)
        return;
    for (const QRect& rect : region)
        PaintPictureView(painter, rect, *scene.mixed, scene.zoomFactor, scene.charHeight,
                         scene.grids, patterns);
    if (!scene.selectionFrame.isEmpty())
        DrawDashFrame(painter, scene.selectionFrame, scene.framePhase, patterns);
    if (scene.rubberBand)
        DrawRubberBand(painter, region, *scene.rubberBand);
}

QRegion RubberBandRegion(const RubberBand& band) {
    // Half the pen on each side of the ideal line, and a pixel more for the rasteriser's
    // rounding and for piece ends that are rounded to whole pixels.
    const int margin = std::max(1, band.penWidth) / 2 + 2;
    const QPoint a = band.from, b = band.to;
    QRegion region;
    if (band.shape == RubberBandShape::Rect) {
        const QPoint topRight(b.x(), a.y()), bottomLeft(a.x(), b.y());
        region += SpanRect(a, topRight, margin);
        region += SpanRect(bottomLeft, b, margin);
        region += SpanRect(a, bottomLeft, margin);
        region += SpanRect(topRight, b, margin);
        return region;
    }
    constexpr int kPiece = 32; // view pixels along the longer axis per covering rectangle
    const QPoint d = b - a;
    const int length = std::max(std::abs(d.x()), std::abs(d.y()));
    const int pieces = std::max(1, (length + kPiece - 1) / kPiece);
    QPoint start = a;
    for (int i = 1; i <= pieces; ++i) {
        const QPoint end = a + QPoint(d.x() * i / pieces, d.y() * i / pieces);
        region += SpanRect(start, end, margin);
        start = end;
    }
    return region;
}
