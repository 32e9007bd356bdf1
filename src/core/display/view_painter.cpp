// SPDX-License-Identifier: GPL-3.0-or-later
// The view never holds a scaled copy of the whole picture (48 MiB at 16x): each paint
// scales just the exposed part and copies grid lines from the pattern strips.
#include "display/view_painter.h"

#include "display/frames.h"

#include "picture/colour.h"
#include "picture/mgs_image.h"

#include <QPaintEngine>
#include <QPainter>
#include <QRegion>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

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

// The image the painter draws into, when the view may be written into it directly: a raster
// image (a widget's backing store, or an image) in a 32-bit format at one device pixel per
// view pixel, moved by whole pixels only, with nothing but the system clip. `offset` is
// where view (0, 0) lies in it.
QImage* DirectTarget(QPainter& painter, QPoint& offset) {
    QPaintEngine* engine = painter.paintEngine();
    if (!engine || engine->type() != QPaintEngine::Raster || painter.hasClipping() ||
        painter.opacity() != 1.0 ||
        (painter.compositionMode() != QPainter::CompositionMode_SourceOver &&
         painter.compositionMode() != QPainter::CompositionMode_Source))
        return nullptr;
    QPaintDevice* device = engine->paintDevice();
    if (!device || device->devType() != QInternal::Image)
        return nullptr;
    auto* image = static_cast<QImage*>(device);
    if ((image->format() != QImage::Format_RGB32 &&
         image->format() != QImage::Format_ARGB32_Premultiplied) ||
        image->devicePixelRatio() != 1.0)
        return nullptr;
    const QTransform transform = painter.deviceTransform();
    if (transform.type() > QTransform::TxTranslate ||
        transform.dx() != std::floor(transform.dx()) ||
        transform.dy() != std::floor(transform.dy()))
        return nullptr;
    offset = QPoint(int(transform.dx()), int(transform.dy()));
    return image;
}

// Rows a paint copies out at a time: small enough to stay in the cache between being built
// and being copied to the target.
constexpr int kBandRows = 32;

// Every view row is one of a few kinds: a picture row (with the vertical grid lines of its
// parity, as the vertical patterns alternate), a pixel-grid row, or a char-grid row. Each
// kind is built once per paint, or once per picture row, and then only copied; the zoom
// factor's repeated rows cost a copy each.
// A picture row scaled by Z, whole blocks from picture pixel `first` on. A constant factor
// lets the compiler write each block with a few wide stores.
template <int Z>
void ScaleRow(const Rgb* picture, int first, int count, Rgb* out) {
    for (int i = 0; i < count; ++i) {
        const Rgb colour = picture[first + i];
        for (int k = 0; k < Z; ++k)
            out[Z * i + k] = colour;
    }
}

void ScaleRow(const Rgb* picture, int first, int count, int z, Rgb* out) {
    switch (z) {
    case 4:
        return ScaleRow<4>(picture, first, count, out);
    case 8:
        return ScaleRow<8>(picture, first, count, out);
    case 12:
        return ScaleRow<12>(picture, first, count, out);
    case 16:
        return ScaleRow<16>(picture, first, count, out);
    default:
        for (int i = 0; i < count; ++i)
            std::fill_n(out + z * i, z, picture[first + i]);
    }
}

class ViewRows {
public:
    void Prepare(const QRect& view, int z, int charHeight, ViewGrids grids,
                 const LinePatterns& patterns) {
        // Rows are built over whole picture pixels, from the block holding the view's left
        // edge to the block holding its right edge.
        z_ = z;
        first_ = view.left() / z;
        count_ = view.right() / z - first_ + 1;
        blockLeft_ = first_ * z;
        offset_ = view.left() - blockLeft_;
        width_ = count_ * z;
        charHeight_ = charHeight;
        grids_ = grids;
        lines_ = grids.pixel || grids.chr;
        builtRow_ = -1;
        // The patterns repeat every two pixels, so a vertical line's colour on a view row
        // depends only on the row's parity.
        for (int parity = 0; parity < 2; ++parity) {
            darkV_[parity] = patterns.GridDarkV.pixel(0, parity + 1);
            lightV_[parity] = patterns.GridLightV.pixel(0, parity + 1);
        }
        lightH_ = PatternFrom(patterns.GridLightH);
        for (auto* rows : {&pictureRow_, &gridRow_})
            for (auto& row : *rows)
                row.resize(width_);
        charRow_.resize(width_);
        if (grids_.pixel) {
            for (int parity = 0; parity < 2; ++parity) {
                std::copy_n(PatternFrom(patterns.GridDarkH), width_, gridRow_[parity].data());
                AddVerticalLines(gridRow_[parity].data(), parity);
            }
        }
    }

    // View row y, from the view's left edge.
    const Rgb* Row(const QImage& source, int y) {
        if (grids_.chr && y % (z_ * (charHeight_ == 1 ? 8 : charHeight_)) == 0)
            return lightH_ + offset_;
        const int parity = lines_ ? y & 1 : 0;
        const Rgb* row;
        if (grids_.pixel && y % z_ == 0) {
            row = gridRow_[parity].data();
        } else {
            if (y / z_ != builtRow_)
                BuildPictureRows(source, y / z_);
            row = pictureRow_[parity].data();
        }
        if (grids_.chr && charHeight_ == 1 && y % z_ == 0) {
            // The middle sixteen columns of the 8x1 mode have a cell on every row.
            const int x0 = std::max(blockLeft_, 8 * 8 * z_) - blockLeft_;
            const int x1 = std::min(blockLeft_ + width_, 24 * 8 * z_) - blockLeft_;
            if (x0 < x1) {
                std::copy_n(row, width_, charRow_.data());
                std::copy(lightH_ + x0, lightH_ + x1, charRow_.data() + x0);
                return charRow_.data() + offset_;
            }
        }
        return row + offset_;
    }

private:
    // A horizontal pattern as the grids copy it: view pixel x from pattern pixel x + 1.
    const Rgb* PatternFrom(const QImage& pattern) const {
        return reinterpret_cast<const Rgb*>(pattern.constScanLine(0)) + blockLeft_ + 1;
    }

    void AddVerticalLines(Rgb* row, int parity) const {
        // Locals: the stores through `row` could alias the members (all 32-bit integers),
        // which would make the compiler reload them for every line.
        const int z = z_, width = width_;
        if (grids_.pixel) {
            const Rgb colour = darkV_[parity];
            for (int x = 0; x < width; x += z)
                row[x] = colour;
        }
        if (grids_.chr) {
            const Rgb colour = lightV_[parity];
            for (int x = FirstLineAtOrAfter(blockLeft_, 8 * z) - blockLeft_; x < width; x += 8 * z)
                row[x] = colour;
        }
    }

    void BuildPictureRows(const QImage& source, int py) {
        Rgb* row = pictureRow_[0].data();
        ScaleRow(reinterpret_cast<const Rgb*>(source.constScanLine(py)), first_, count_, z_, row);
        if (lines_) {
            std::copy_n(row, width_, pictureRow_[1].data());
            AddVerticalLines(row, 0);
            AddVerticalLines(pictureRow_[1].data(), 1);
        }
        builtRow_ = py;
    }

    int z_ = 1, first_ = 0, count_ = 0, blockLeft_ = 0, offset_ = 0, width_ = 0;
    int charHeight_ = 8;
    ViewGrids grids_;
    bool lines_ = false;
    int builtRow_ = -1;
    std::array<Rgb, 2> darkV_{}, lightV_{};
    const Rgb* lightH_ = nullptr;
    std::array<std::vector<Rgb>, 2> pictureRow_, gridRow_;
    std::vector<Rgb> charRow_;
};

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
    if (z < 1 || z > kMaxZoomFactor)
        return;
    if (!IsValidCharHeight(charHeight))
        charHeight = 8;
    const QRect view = QRect(0, 0, kPictureWidth * z, kPictureHeight * z).intersected(area);
    if (view.isEmpty() || mixed.width() < kPictureWidth || mixed.height() < kPictureHeight)
        return;
    const QImage source = mixed.format() == QImage::Format_RGB32
                              ? mixed
                              : mixed.convertToFormat(QImage::Format_RGB32);

    thread_local ViewRows rows;
    const int width = view.width();
    QPoint offset;
    if (QImage* device = DirectTarget(painter, offset)) {
        // Straight into the painter's image: one write per view pixel, as a plain fill
        // of the same bytes would be. Only where the painter may draw.
        QRegion allowed = QRegion(view.translated(offset)) & device->rect();
        if (const QRegion system = painter.paintEngine()->systemClip(); !system.isEmpty())
            allowed &= system;
        for (const QRect& rect : allowed) {
            const QRect part = rect.translated(-offset);
            rows.Prepare(part, z, charHeight, grids, patterns);
            for (int y = part.top(); y <= part.bottom(); ++y)
                std::memcpy(reinterpret_cast<Rgb*>(device->scanLine(y + offset.y())) + rect.left(),
                            rows.Row(source, y), part.width() * sizeof(Rgb));
        }
        return;
    }
    // Otherwise a band of rows at a time is built in a buffer that stays in the cache and
    // copied out 1:1, which the painter does as plain row copies.
    rows.Prepare(view, z, charHeight, grids, patterns);
    thread_local QImage band(kMaxViewWidth, kBandRows, QImage::Format_RGB32);
    for (int top = view.top(); top <= view.bottom(); top += kBandRows) {
        const int height = std::min(kBandRows, view.bottom() + 1 - top);
        for (int i = 0; i < height; ++i)
            std::memcpy(band.scanLine(i), rows.Row(source, top + i), width * sizeof(Rgb));
        painter.drawImage(QPoint(view.left(), top), band, QRect(0, 0, width, height));
    }
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
