// SPDX-License-Identifier: GPL-3.0-or-later
// Selection, clipboard block and delete: the record's byte layout and the operations that
// make, copy, paste and clear the selected cells.
#include "editing/selection.h"

#include "picture/cell_layout.h"
#include "picture/colour.h"

#include <algorithm>

namespace {

// ---- Bytes -----------------------------------------------------------------------------

void PutInt32(std::vector<uint8_t>& out, std::size_t offset, int32_t value) {
    const auto u = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        out[offset + i] = static_cast<uint8_t>(u >> (8 * i));
}

int32_t GetInt32(std::span<const uint8_t> in, std::size_t offset) {
    uint32_t u = 0;
    for (int i = 0; i < 4; ++i)
        u |= static_cast<uint32_t>(in[offset + i]) << (8 * i);
    return static_cast<int32_t>(u);
}

void PutPixels(std::vector<uint8_t>& out, std::size_t offset, const PixelPlaneBytes& plane) {
    std::copy(plane.begin(), plane.end(), out.begin() + static_cast<std::ptrdiff_t>(offset));
}

void PutAttrs(std::vector<uint8_t>& out, std::size_t offset, const AttrPlaneCells& plane) {
    for (const AttrCell& cell : plane) {
        out[offset++] = cell.paper;
        out[offset++] = cell.ink;
    }
}

bool AttrBytesValid(std::span<const uint8_t> in, std::size_t offset) {
    const auto bytes = in.subspan(offset, 2 * kPlaneSize);
    return std::all_of(bytes.begin(), bytes.end(), [](uint8_t b) { return b < kColourCount; });
}

void GetPixels(std::span<const uint8_t> in, std::size_t offset, PixelPlaneBytes& plane) {
    const auto bytes = in.subspan(offset, kPlaneSize);
    std::copy(bytes.begin(), bytes.end(), plane.begin());
}

void GetAttrs(std::span<const uint8_t> in, std::size_t offset, AttrPlaneCells& plane) {
    for (AttrCell& cell : plane) {
        cell.paper = in[offset++];
        cell.ink = in[offset++];
    }
}

// One axis of a rectangle from elsewhere, cut to 0..limit - 1. An empty result keeps its
// start, held inside, with length 0.
void ClipForeignSpan(int32_t& start, int32_t& length, int32_t limit) {
    const int64_t from = std::max<int64_t>(start, 0);
    const int64_t to = std::min<int64_t>(int64_t{start} + length, limit);
    if (to <= from) {
        start = std::clamp(start, 0, limit - 1);
        length = 0;
        return;
    }
    start = static_cast<int32_t>(from);
    length = static_cast<int32_t>(to - from);
}

// A rectangle from elsewhere, cut to the cells any CharHeight can address.
void ClipForeignRect(int32_t& x, int32_t& y, int32_t& w, int32_t& h) {
    ClipForeignSpan(x, w, kByteColumns);
    ClipForeignSpan(y, h, kPixelRows);
}

// ---- Cells -----------------------------------------------------------------------------

int64_t FloorDiv(int64_t a, int64_t b) {
    const int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// The cell under a view point, held to the picture.
QPoint ClampedCell(QPoint viewPoint, int zoomFactor, int charHeight) {
    const QPoint cell = CellAtViewPoint(viewPoint, zoomFactor, charHeight);
    return {std::clamp(cell.x(), 0, kByteColumns - 1),
            std::clamp(cell.y(), 0, CellRowCount(charHeight) - 1)};
}

void SelectOneCell(SelectionRecord& sel, QPoint cell) {
    sel.exists = true;
    sel.dragging = true;
    sel.x = sel.anchorX = cell.x();
    sel.y = sel.anchorY = cell.y();
    sel.w = sel.h = 1;
}

void AppendHexByte(QString& text, uint8_t b) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    text += QLatin1Char('#');
    text += QLatin1Char(kDigits[b >> 4]);
    text += QLatin1Char(kDigits[b & 15]);
}

void AppendScreenText(QString& text, const PixelPlaneBytes& plane, const CellRect& r,
                      int charHeight) {
    const int firstRow = r.y * charHeight, endRow = (r.y + r.h) * charHeight;
    const QString db = QStringLiteral("\tDB\t");
    if (r.w == 1) {
        // One column: a single line of all its bytes, top to bottom, with no line end.
        text += db;
        for (int row = firstRow; row < endRow; ++row) {
            if (row != firstRow)
                text += QLatin1Char(',');
            AppendHexByte(text, plane[PlaneIndex(r.x, row)]);
        }
        return;
    }
    for (int row = firstRow; row < endRow; ++row) {
        text += db;
        for (int c = r.x; c < r.x + r.w; ++c) {
            if (c != r.x)
                text += QLatin1Char(',');
            AppendHexByte(text, plane[PlaneIndex(c, row)]);
        }
        text += QStringLiteral("\r\n");
    }
}

} // namespace

std::vector<uint8_t> SelectionRecordBytes(const SelectionRecord& record) {
    namespace O = SelectionOffset;
    std::vector<uint8_t> out(kSelectionRecordSize, 0);
    out[O::Dragging] = record.dragging ? 1 : 0;
    out[O::Exists] = record.exists ? 1 : 0;
    PutInt32(out, O::X, record.x);
    PutInt32(out, O::Y, record.y);
    PutInt32(out, O::AnchorX, record.anchorX);
    PutInt32(out, O::AnchorY, record.anchorY);
    PutInt32(out, O::W, record.w);
    PutInt32(out, O::H, record.h);
    PutInt32(out, O::CopyX, record.copyX);
    PutInt32(out, O::CopyY, record.copyY);
    PutInt32(out, O::CopyW, record.copyW);
    PutInt32(out, O::CopyH, record.copyH);
    out[O::FramePhase] = record.framePhase;
    PutPixels(out, O::CopyPixel0, record.copy.PixelPlane[0]);
    PutPixels(out, O::CopyPixel1, record.copy.PixelPlane[1]);
    PutAttrs(out, O::CopyAttr0, record.copy.AttrPlane[0]);
    PutAttrs(out, O::CopyAttr1, record.copy.AttrPlane[1]);
    return out;
}

std::vector<uint8_t> ClipboardBlock(const SelectionRecord& record) {
    std::vector<uint8_t> block = SelectionRecordBytes(record);
    block.push_back(0);
    return block;
}

QString ReadClipboardBlock(std::span<const uint8_t> block, SelectionRecord& record) {
    namespace O = SelectionOffset;
    if (block.size() != kClipboardBlockSize)
        return QStringLiteral("The clipboard block has %1 bytes instead of %2.")
            .arg(block.size())
            .arg(kClipboardBlockSize);
    if (!AttrBytesValid(block, O::CopyAttr0) || !AttrBytesValid(block, O::CopyAttr1))
        return QStringLiteral("The clipboard block holds a colour index above 14.");

    record.dragging = block[O::Dragging] != 0;
    record.exists = block[O::Exists] != 0;
    record.x = GetInt32(block, O::X);
    record.y = GetInt32(block, O::Y);
    record.w = GetInt32(block, O::W);
    record.h = GetInt32(block, O::H);
    ClipForeignRect(record.x, record.y, record.w, record.h);
    record.anchorX = std::clamp(GetInt32(block, O::AnchorX), 0, kByteColumns - 1);
    record.anchorY = std::clamp(GetInt32(block, O::AnchorY), 0, kPixelRows - 1);
    record.copyX = GetInt32(block, O::CopyX);
    record.copyY = GetInt32(block, O::CopyY);
    record.copyW = GetInt32(block, O::CopyW);
    record.copyH = GetInt32(block, O::CopyH);
    ClipForeignRect(record.copyX, record.copyY, record.copyW, record.copyH);
    record.framePhase = block[O::FramePhase] & 12;
    GetPixels(block, O::CopyPixel0, record.copy.PixelPlane[0]);
    GetPixels(block, O::CopyPixel1, record.copy.PixelPlane[1]);
    GetAttrs(block, O::CopyAttr0, record.copy.AttrPlane[0]);
    GetAttrs(block, O::CopyAttr1, record.copy.AttrPlane[1]);
    return {};
}

CellRect ClipToPicture(int64_t x, int64_t y, int64_t w, int64_t h, int charHeight) {
    // Wider than int32 so that x + w cannot overflow whatever a record holds.
    const int64_t left = std::max<int64_t>(x, 0);
    const int64_t top = std::max<int64_t>(y, 0);
    const int64_t right = std::min<int64_t>(x + w, kByteColumns);
    const int64_t bottom = std::min<int64_t>(y + h, CellRowCount(charHeight));
    if (right <= left || bottom <= top)
        return {};
    return {static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
            static_cast<int>(bottom - top)};
}

CellRect SelectionRect(const SelectionRecord& record, int charHeight) {
    return ClipToPicture(record.x, record.y, record.w, record.h, charHeight);
}

CellRect CopyRect(const SelectionRecord& record, int charHeight) {
    return ClipToPicture(record.copyX, record.copyY, record.copyW, record.copyH, charHeight);
}

QPoint CellAtViewPoint(QPoint viewPoint, int zoomFactor, int charHeight) {
    return {static_cast<int>(FloorDiv(viewPoint.x(), 8 * zoomFactor)),
            static_cast<int>(FloorDiv(viewPoint.y(), int64_t{charHeight} * zoomFactor))};
}

ViewUpdate SelectionMousePress(SelectionRecord& sel, QPoint viewPoint, int zoomFactor,
                               int charHeight) {
    SelectOneCell(sel, ClampedCell(viewPoint, zoomFactor, charHeight));
    return ViewUpdate::Frame;
}

ViewUpdate SelectionMouseMove(SelectionRecord& sel, QPoint viewPoint, int zoomFactor,
                              int charHeight) {
    if (!sel.dragging)
        return ViewUpdate::None;
    const QPoint cell = ClampedCell(viewPoint, zoomFactor, charHeight);
    // The anchor came from a press in this picture, but hold it too: a pasted record brings
    // its own, and a CharHeight change since the press shrinks the rows.
    const int anchorX = std::clamp(sel.anchorX, 0, kByteColumns - 1);
    const int anchorY = std::clamp(sel.anchorY, 0, CellRowCount(charHeight) - 1);
    sel.x = std::min(anchorX, cell.x());
    sel.w = std::abs(cell.x() - anchorX) + 1;
    sel.y = std::min(anchorY, cell.y());
    sel.h = std::abs(cell.y() - anchorY) + 1;
    return ViewUpdate::Frame;
}

ViewUpdate SelectionMouseRelease(SelectionRecord& sel) {
    sel.dragging = false;
    return ViewUpdate::None;
}

ViewUpdate SelectAll(SelectionRecord& sel, int charHeight) {
    sel.exists = true;
    sel.dragging = false;
    sel.x = sel.y = sel.anchorX = sel.anchorY = 0;
    sel.w = kByteColumns;
    sel.h = CellRowCount(charHeight);
    return ViewUpdate::None;
}

ViewUpdate RemoveSelection(SelectionRecord& sel) {
    sel.exists = false;
    return ViewUpdate::Frame;
}

ViewUpdate CopySelection(SelectionRecord& sel, const MgsImage& picture, bool pointerOverPicture,
                         QPoint pointerViewPoint, int zoomFactor, int framePhase) {
    ViewUpdate update = ViewUpdate::None;
    if (pointerOverPicture && !sel.exists) {
        SelectOneCell(sel, ClampedCell(pointerViewPoint, zoomFactor, picture.CharHeight));
        update = ViewUpdate::Frame;
    }
    sel.copyX = sel.x;
    sel.copyY = sel.y;
    sel.copyW = sel.w;
    sel.copyH = sel.h;
    sel.copy = static_cast<const PicturePlanes&>(picture);
    sel.framePhase = static_cast<uint8_t>(framePhase & 12);
    return update;
}

QPoint PasteTarget(const SelectionRecord& sel, bool pointerOverPicture, QPoint pointer,
                   QPoint lastPicturePoint, int zoomFactor, int charHeight) {
    if (pointerOverPicture)
        return pointer;
    if (!sel.exists)
        return lastPicturePoint;
    const CellRect r = SelectionRect(sel, charHeight);
    return {r.x * 8 * zoomFactor, r.y * charHeight * zoomFactor};
}

PasteResult Paste(SelectionRecord& sel, MgsImage& picture, std::span<const uint8_t> clipboardBlock,
                  bool pointerOverPicture, QPoint pointerViewPoint, int zoomFactor) {
    PasteResult result;
    if (!clipboardBlock.empty())
        result.blockError = ReadClipboardBlock(clipboardBlock, sel);
    if (!pointerOverPicture)
        return result;
    result.update = ViewUpdate::Rerender;
    const int ch = picture.CharHeight;
    const QPoint target = CellAtViewPoint(pointerViewPoint, zoomFactor, ch);
    // The destination cells inside the picture; each one reads its source cell, whose rows
    // are checked on their own because the block may come from another CharHeight.
    const CellRect dest = ClipToPicture(target.x(), target.y(), sel.copyW, sel.copyH, ch);
    if (dest.IsEmpty())
        return result;
    for (int c = dest.x; c < dest.x + dest.w; ++c) {
        const int64_t sourceColumn = int64_t{sel.copyX} + (c - target.x());
        if (sourceColumn < 0 || sourceColumn >= kByteColumns)
            continue;
        for (int r = dest.y; r < dest.y + dest.h; ++r) {
            const int64_t sourceCellRow = int64_t{sel.copyY} + (r - target.y());
            for (int k = 0; k < ch; ++k) {
                const int64_t sourceRow = sourceCellRow * ch + k;
                if (sourceRow < 0 || sourceRow >= kPixelRows)
                    continue;
                const int column = static_cast<int>(sourceColumn),
                          row = static_cast<int>(sourceRow);
                const int from = PlaneIndex(column, row);
                const int shown = PlaneIndex(column, EffectiveAttrRow(ch, row, column));
                const int to = PlaneIndex(c, r * ch + k);
                for (int s = 0; s < 2; ++s) {
                    picture.AttrPlane[s][to] = sel.copy.AttrPlane[s][shown];
                    picture.PixelPlane[s][to] = sel.copy.PixelPlane[s][from];
                }
            }
        }
        SpreadCellAttributes(picture, c, dest.y * ch, (dest.y + dest.h) * ch - 1);
    }
    return result;
}

ViewUpdate DeleteSelection(MgsImage& picture, const SelectionRecord& sel, AttrCell screen0,
                           AttrCell screen1, int charColor) {
    if (!sel.exists)
        return ViewUpdate::None;
    const int ch = picture.CharHeight;
    const CellRect r = SelectionRect(sel, ch);
    const std::array<AttrCell, 2> attrs = {screen0, screen1};
    const std::array<uint8_t, 2> bytes = {static_cast<uint8_t>(charColor & 2 ? 0xFF : 0x00),
                                          static_cast<uint8_t>(charColor & 1 ? 0xFF : 0x00)};
    for (int c = r.x; c < r.x + r.w; ++c) {
        for (int row = r.y * ch; row < (r.y + r.h) * ch; ++row)
            for (int s = 0; s < 2; ++s) {
                picture.AttrPlane[s][PlaneIndex(c, row)] = attrs[s];
                picture.PixelPlane[s][PlaneIndex(c, row)] = bytes[s];
            }
        // An 8x1 side cell reaches past a selection of single rows.
        SpreadCellAttributes(picture, c, r.y * ch, (r.y + r.h) * ch - 1);
    }
    return ViewUpdate::Rerender;
}

QImage SelectionPicture(const SelectionRecord& sel, const QImage& mixedImage, int charHeight) {
    if (!sel.exists)
        return {};
    const CellRect r = SelectionRect(sel, charHeight);
    if (r.IsEmpty())
        return {};
    return mixedImage.copy(8 * r.x, r.y * charHeight, 8 * r.w, r.h * charHeight);
}

QString SelectionText(const SelectionRecord& sel, const MgsImage& picture, bool bothScreens) {
    if (!sel.exists)
        return {};
    const CellRect r = SelectionRect(sel, picture.CharHeight);
    if (r.IsEmpty())
        return {};
    QString text;
    for (int s = 0; s < (bothScreens ? 2 : 1); ++s) {
        if (bothScreens)
            text += QStringLiteral(";--- pixels screen %1\r\n").arg(s);
        AppendScreenText(text, picture.PixelPlane[s], r, picture.CharHeight);
    }
    return text;
}
