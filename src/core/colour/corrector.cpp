// SPDX-License-Identifier: GPL-3.0-or-later
// Every corrector routine cuts the range to the picture itself, so a stale range (after a
// load changed CharHeight) can never reach outside the planes.
#include "colour/corrector.h"

#include "display/frames.h"
#include "display/view_painter.h"
#include "picture/cell_layout.h"
#include "picture/colour.h"
#include "picture/palette_images.h"

#include <QPainter>

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

int FloorDiv(int a, int b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

// The clamping of a move and a release: never left of or above the pressed cell, never
// past column 31 or the last cell row.
void SetFarCorner(CorrectorRangeRecord& range, QPoint cell, int charHeight) {
    int c = std::max(cell.x(), range.c0);
    int r = std::max(cell.y(), range.r0);
    c = std::min(c, kByteColumns - 1);
    r = std::min(r, CellRowCount(charHeight) - 1);
    range.c1 = c;
    range.r1 = r;
}

struct OperationEffect {
    std::array<bool, 2> invertPixels{};
    std::array<bool, 2> swapPaperInk{};
    int copyFrom = -1; // the source screen of a copy, -1 for none
    bool copyPixels = false;
    bool copyAttrs = false;
    bool exchange = false;
};

constexpr OperationEffect EffectOf(CorrectorOperation operation) {
    using Op = CorrectorOperation;
    OperationEffect e;
    switch (operation) {
    case Op::InvertAll0:
        e.invertPixels[0] = e.swapPaperInk[0] = true;
        break;
    case Op::InvertRgb0:
        e.swapPaperInk[0] = true;
        break;
    case Op::InvertPix0:
        e.invertPixels[0] = true;
        break;
    case Op::InvertAll1:
        e.invertPixels[1] = e.swapPaperInk[1] = true;
        break;
    case Op::InvertRgb1:
        e.swapPaperInk[1] = true;
        break;
    case Op::InvertPix1:
        e.invertPixels[1] = true;
        break;
    case Op::InvertAllBoth:
        e.invertPixels = e.swapPaperInk = {true, true};
        break;
    case Op::InvertRgbBoth:
        e.swapPaperInk = {true, true};
        break;
    case Op::InvertPixBoth:
        e.invertPixels = {true, true};
        break;
    case Op::CopyRAll:
        e.copyFrom = 0, e.copyPixels = e.copyAttrs = true;
        break;
    case Op::CopyRRgb:
        e.copyFrom = 0, e.copyAttrs = true;
        break;
    case Op::CopyRPix:
        e.copyFrom = 0, e.copyPixels = true;
        break;
    case Op::CopyLAll:
        e.copyFrom = 1, e.copyPixels = e.copyAttrs = true;
        break;
    case Op::CopyLRgb:
        e.copyFrom = 1, e.copyAttrs = true;
        break;
    case Op::CopyLPix:
        e.copyFrom = 1, e.copyPixels = true;
        break;
    case Op::Exchange:
        e.exchange = true;
        break;
    }
    return e;
}

// `count` pixels of a row scaled by `factor`, starting `skip` pixels into the scaled row.
// The factors the views use are constants to the compiler, so each block is a few stores.
template <int Factor>
void ScaleRowBy(const QRgb* in, int skip, int count, QRgb* out) {
    int i = 0;
    for (; i < count && (skip + i) % Factor != 0; ++i)
        out[i] = in[(skip + i) / Factor];
    if constexpr (Factor == 2) {
        // Blocks of two are too narrow for the compiler's wide stores of one colour: four
        // pixels are spread across eight with one unpack each way instead.
        typedef uint32_t Pixels4 __attribute__((vector_size(16)));
        for (const QRgb* from = in + (skip + i) / 2; i + 8 <= count; i += 8, from += 4) {
            Pixels4 pixels;
            std::memcpy(&pixels, from, sizeof pixels);
            const Pixels4 left = __builtin_shufflevector(pixels, pixels, 0, 0, 1, 1);
            const Pixels4 right = __builtin_shufflevector(pixels, pixels, 2, 2, 3, 3);
            std::memcpy(out + i, &left, sizeof left);
            std::memcpy(out + i + 4, &right, sizeof right);
        }
    }
    for (const QRgb* from = in + (skip + i) / Factor; i + Factor <= count; i += Factor, ++from)
        for (int k = 0; k < Factor; ++k)
            out[i + k] = *from;
    for (; i < count; ++i)
        out[i] = in[(skip + i) / Factor];
}

void ScaleRow(const QRgb* in, int skip, int count, int factor, QRgb* out) {
    switch (factor) {
    case 2:
        return ScaleRowBy<2>(in, skip, count, out);
    case 4:
        return ScaleRowBy<4>(in, skip, count, out);
    default:
        for (int i = 0; i < count; ++i)
            out[i] = in[(skip + i) / factor];
    }
}

// Copies the part `from` of `source` into `target` at `to`, every source pixel as a
// factor x factor block. Integer scaling by hand keeps the pixels exact; each scaled row is
// built once and copied for the other rows of its blocks.
void ScaleBlock(QImage& target, QPoint to, const QImage& source, const QRect& from, int factor) {
    const QRect area = from.intersected(source.rect());
    const QRect scaled(to + (area.topLeft() - from.topLeft()) * factor, area.size() * factor);
    const QRect clipped = scaled.intersected(target.rect());
    if (clipped.isEmpty())
        return;
    const size_t rowBytes = sizeof(QRgb) * size_t(clipped.width());
    for (int ty = clipped.top(); ty <= clipped.bottom(); ++ty) {
        auto* out = reinterpret_cast<QRgb*>(target.scanLine(ty)) + clipped.left();
        const int dy = ty - scaled.top();
        if (dy % factor != 0 && ty != clipped.top()) {
            std::memcpy(out, target.constScanLine(ty - 1) + sizeof(QRgb) * clipped.left(),
                        rowBytes);
            continue;
        }
        const auto* in =
            reinterpret_cast<const QRgb*>(source.constScanLine(area.top() + dy / factor));
        ScaleRow(in + area.left(), clipped.left() - scaled.left(), clipped.width(), factor, out);
    }
}

const QImage& ZxStripSource() {
    static const QImage source = MakeZxPaletteImage();
    return source;
}

} // namespace

QPoint CorrectorCellAt(QPoint viewPoint, int charHeight) {
    return QPoint(FloorDiv(viewPoint.x(), 16),
                  FloorDiv(viewPoint.y(), 2 * SafeCharHeight(charHeight)));
}

void ClampCorrectorRange(CorrectorRangeRecord& range, int charHeight) {
    const int lastColumn = kByteColumns - 1;
    const int lastRow = CellRowCount(SafeCharHeight(charHeight)) - 1;
    range.c0 = std::clamp(range.c0, 0, lastColumn);
    range.r0 = std::clamp(range.r0, 0, lastRow);
    range.c1 = std::clamp(range.c1, range.c0, lastColumn);
    range.r1 = std::clamp(range.r1, range.r0, lastRow);
}

void CorrectorPress(CorrectorRangeRecord& range, QPoint viewPoint, int charHeight) {
    charHeight = SafeCharHeight(charHeight);
    const QPoint cell = CorrectorCellAt(viewPoint, charHeight);
    range.c0 = range.c1 = cell.x();
    range.r0 = range.r1 = cell.y();
    range.dragging = true;
    // A press always lies on the view, so this changes nothing there; it keeps a press
    // from anywhere else off the planes.
    ClampCorrectorRange(range, charHeight);
}

bool CorrectorMove(CorrectorRangeRecord& range, QPoint viewPoint, int charHeight) {
    if (!range.dragging)
        return false;
    charHeight = SafeCharHeight(charHeight);
    const QPoint cell = CorrectorCellAt(viewPoint, charHeight);
    if (cell == QPoint(range.c1, range.r1))
        return false;
    SetFarCorner(range, cell, charHeight);
    return true;
}

void CorrectorRelease(CorrectorRangeRecord& range, QPoint viewPoint, int charHeight) {
    charHeight = SafeCharHeight(charHeight);
    SetFarCorner(range, CorrectorCellAt(viewPoint, charHeight), charHeight);
    range.dragging = false;
}

CorrectorRows CorrectorRangeRows(const CorrectorRangeRecord& range, int charHeight) {
    charHeight = SafeCharHeight(charHeight);
    CorrectorRows rows;
    rows.first = std::max(charHeight * range.r0, 0);
    rows.last = std::min(charHeight * (range.r1 + 1) - 1, kPixelRows - 1);
    return rows;
}

void ApplyCorrectorOperation(MgsImage& picture, const CorrectorRangeRecord& range,
                             CorrectorOperation operation) {
    const OperationEffect e = EffectOf(operation);
    const CorrectorRows rows = CorrectorRangeRows(range, picture.CharHeight);
    if (rows.first > rows.last)
        return;
    const int firstColumn = std::max(range.c0, 0);
    const int lastColumn = std::min(range.c1, kByteColumns - 1);
    auto& pix = picture.PixelPlane;
    auto& attr = picture.AttrPlane;
    for (int c = firstColumn; c <= lastColumn; ++c) {
        // A range of single rows in an 8x1 side column still works on whole 8-row cells:
        // a cell has one attribute, so inverting part of it could not keep its look.
        const int first = CellRowsAt(picture.CharHeight, rows.first, c).first;
        const CellRows lastCell = CellRowsAt(picture.CharHeight, rows.last, c);
        const int last = lastCell.first + lastCell.count - 1;
        for (int y = first; y <= last; ++y) {
            const int i = PlaneIndex(c, y);
            for (int s = 0; s < 2; ++s) {
                if (e.invertPixels[s])
                    pix[s][i] ^= 0xFF;
                if (e.swapPaperInk[s])
                    std::swap(attr[s][i].paper, attr[s][i].ink);
            }
            if (e.copyFrom >= 0) {
                const int to = 1 - e.copyFrom;
                if (e.copyPixels)
                    pix[to][i] = pix[e.copyFrom][i];
                if (e.copyAttrs)
                    attr[to][i] = attr[e.copyFrom][i];
            }
            if (e.exchange) {
                std::swap(pix[0][i], pix[1][i]);
                std::swap(attr[0][i], attr[1][i]);
            }
        }
        SpreadCellAttributes(picture, c, first, last);
    }
}

std::array<int, 4> CorrectorStripIndices(const MgsImage& picture,
                                         const CorrectorRangeRecord& range) {
    const int charHeight = SafeCharHeight(picture.CharHeight);
    const int column = std::clamp(range.c0, 0, kByteColumns - 1);
    const int row = std::clamp(charHeight * range.r0, 0, kPixelRows - 1);
    const AttrCell s0 = picture.AttrPlane[0][PlaneIndex(column, row)];
    const AttrCell s1 = picture.AttrPlane[1][PlaneIndex(column, row)];
    return {s0.paper, s0.ink, s1.paper, s1.ink};
}

QImage MarkedZxStrip(int index) {
    QImage strip = ZxStripSource().copy();
    DrawSwatchMarker(strip, kSwatchSize * index, 0);
    return strip;
}

void DrawCorrectorScreenView(QImage& view, const QImage& screen) {
    if (view.size() != QSize(kCorrectorViewWidth, kCorrectorViewHeight) ||
        view.format() != QImage::Format_RGB32)
        view = QImage(kCorrectorViewWidth, kCorrectorViewHeight, QImage::Format_RGB32);
    if (screen.width() < kPictureWidth || screen.height() < kPictureHeight)
        view.fill(Qt::white);
    ScaleBlock(view, QPoint(0, 0), screen, QRect(0, 0, kPictureWidth, kPictureHeight), 2);
}

QImage CorrectorScreenView(const QImage& screen) {
    QImage view;
    DrawCorrectorScreenView(view, screen);
    return view;
}

QImage CorrectorCharView(const QImage& screen, const CorrectorRangeRecord& range, int charHeight,
                         const LinePatterns& patterns) {
    charHeight = SafeCharHeight(charHeight);
    // The hatched background is the same every time; the platform's pattern fill is slow
    // (it hands the spans to worker threads), so it is drawn once.
    static const QImage hatched = [] {
        QImage image(kCorrectorCharSize, kCorrectorCharSize, QImage::Format_RGB32);
        image.fill(Qt::black);
        QPainter painter(&image);
        painter.setPen(Qt::black);
        painter.setBrush(QBrush(Qt::white, Qt::DiagCrossPattern));
        painter.drawRect(0, 0, kCorrectorCharSize - 1, kCorrectorCharSize - 1);
        return image;
    }();
    QImage view = hatched.copy();
    const int rows = CellRowCount(charHeight);
    const int cellGap = 4 * charHeight + 1;
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            const int c = range.c0 + dx, r = range.r0 + dy;
            if (c < 0 || c >= kByteColumns || r < 0 || r >= rows)
                continue;
            ScaleBlock(view, QPoint(33 * (dx + 1), cellGap * (dy + 1)), screen,
                       QRect(8 * c, charHeight * r, 8, charHeight), 4);
        }
    }
    QPainter painter(&view);
    const int lineLength = 12 * charHeight + 2;
    for (int y : {4 * charHeight, 8 * charHeight + 1})
        painter.drawImage(QPoint(0, y), patterns.GridLightH, QRect(0, 0, kCorrectorCharSize, 1));
    for (int x : {32, 65})
        painter.drawImage(QPoint(x, 0), patterns.GridLightV, QRect(0, 0, 1, lineLength));
    return view;
}

QRect DrawCorrectorFrame(QImage& view, const CorrectorRangeRecord& range, int charHeight, int phase,
                         const LinePatterns& patterns) {
    CorrectorRangeRecord inside = range;
    ClampCorrectorRange(inside, charHeight);
    const QRect frame =
        CorrectorFrameRect(inside.c0, inside.r0, inside.c1, inside.r1, SafeCharHeight(charHeight));
    QPainter painter(&view);
    DrawDashFrame(painter, frame, phase, patterns);
    return frame;
}
