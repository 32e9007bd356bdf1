// SPDX-License-Identifier: GPL-3.0-or-later
// The status bar's numbers and texts, computed from the picture without any widget.
#include "display/status_text.h"

#include "display/zoom.h"
#include "editing/drawing_state.h"
#include "formats/zx_screen.h"

namespace {

QString Hex(int value, int width) {
    return QStringLiteral("%1").arg(value, width, 16, QLatin1Char('0')).toUpper();
}

} // namespace

std::optional<PointerInfo> TakePointerInfo(const MgsImage& picture, int zoomFactor, int paintSize,
                                           QPoint viewPoint, PointerInfoVariant variant) {
    const std::optional<QPoint> pixel = PicturePixelAt(zoomFactor, viewPoint);
    if (!pixel)
        return std::nullopt;
    const int charHeight = SafeCharHeight(picture);
    const int px = pixel->x(), py = pixel->y();
    PointerInfo info;
    info.variant = variant;
    info.column = px / 8;
    info.cellRow = py / charHeight;
    if (variant == PointerInfoVariant::Paint) {
        const int size = SafePaintSize(paintSize);
        info.x = 8 * info.column + (px % 8) / size * size;
    } else {
        info.x = px;
    }
    info.y = py;
    info.scrOffset = ZxScreenOffset(py, info.column);
    info.attrOffset = 32 * (py / 8) + info.column;
    const int pixelIndex = PlaneIndex(info.column, py);
    info.byte0 = picture.PixelPlane[0][pixelIndex];
    info.byte1 = picture.PixelPlane[1][pixelIndex];
    const int attrIndex = PlaneIndex(
        info.column, EffectiveAttrRow(charHeight, charHeight * info.cellRow, info.column));
    info.attr0 = SpectrumAttr(picture.AttrPlane[0][attrIndex]);
    info.attr1 = SpectrumAttr(picture.AttrPlane[1][attrIndex]);
    return info;
}

PointerInfoTexts PointerInfoText(const PointerInfo& info) {
    const QString colon =
        info.variant == PointerInfoVariant::Paint ? QStringLiteral(": ") : QStringLiteral(":");
    PointerInfoTexts texts;
    texts.Ax = QStringLiteral("X") + colon + QString::number(info.x);
    texts.Ay = QStringLiteral("Y") + colon + QString::number(info.y);
    texts.Bx = QStringLiteral("Ax") + colon + QString::number(info.column);
    texts.By = QStringLiteral("Ay") + colon + QString::number(info.cellRow);
    texts.Byte = QStringLiteral("Adr: [#") + Hex(16384 + info.scrOffset, 4) + QStringLiteral(",#") +
                 Hex(22528 + info.attrOffset, 4) + QStringLiteral("], Byte:#") +
                 Hex(info.byte0, 2) + QStringLiteral("/#") + Hex(info.byte1, 2) +
                 QStringLiteral(", Attr:#") + Hex(info.attr0, 2) + QStringLiteral("/#") +
                 Hex(info.attr1, 2) + QStringLiteral(", AdrAdd:") +
                 QString::number(info.scrOffset) + QStringLiteral(",") +
                 QString::number(info.attrOffset);
    return texts;
}

std::optional<CharColours> CellColoursAt(const MgsImage& picture, int zoomFactor,
                                         QPoint viewPoint) {
    const std::optional<QPoint> pixel = PicturePixelAt(zoomFactor, viewPoint);
    if (!pixel)
        return std::nullopt;
    const int column = pixel->x() / 8;
    const int cellRow = pixel->y() / SafeCharHeight(picture);
    const int row =
        EffectiveAttrRow(SafeCharHeight(picture), cellRow * SafeCharHeight(picture), column);
    const int i = PlaneIndex(column, row);
    return CharPalette(picture.AttrPlane[0][i], picture.AttrPlane[1][i]);
}
