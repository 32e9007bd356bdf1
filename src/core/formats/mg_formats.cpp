// SPDX-License-Identifier: GPL-3.0-or-later
// The MG files .mg1, .mg2, .mg4 and .mg8: a 256-byte "MGH" header, two Spectrum bitmaps
// and Spectrum attribute bytes at the vertical resolution of the CharHeight.
#include "formats/picture_formats.h"
#include "formats/zx_screen.h"
#include "picture/cell_layout.h"
#include "picture/colour.h"

#include <algorithm>

namespace {

constexpr qsizetype kMgBitmapsEnd = kMgHeaderSize + 2 * kZxBitmapSize; // 12544
constexpr int kCentreFirst = 8; // the 8x1 layout's own attribute columns: 8..23
constexpr int kCentreColumns = 16;
constexpr qsizetype kCentreSize = kPixelRows * kCentreColumns;      // 3072 a screen
constexpr qsizetype kSidesSize = (kPixelRows / 8) * kCentreColumns; // 384 a screen

// The header and both bitmaps, common to every MG layout.
uint8_t* WriteMgStart(const MgsImage& picture, QByteArray& bytes) {
    auto* out = reinterpret_cast<uint8_t*>(bytes.data());
    std::fill(out, out + kMgHeaderSize, uint8_t{0});
    out[0] = 'M';
    out[1] = 'G';
    out[2] = 'H';
    out[3] = 1;
    out[4] = picture.CharHeight;
    out[5] = picture.BorderPair[0];
    out[6] = picture.BorderPair[1];
    out[kMgHeaderSize - 1] = 0xFF;
    out += kMgHeaderSize;
    for (const auto& plane : picture.PixelPlane) {
        PlaneToZxBitmap(plane, std::span<uint8_t, kZxBitmapSize>(out, kZxBitmapSize));
        out += kZxBitmapSize;
    }
    return out;
}

} // namespace

ReadResult ReadMg(std::span<const uint8_t> bytes, MgsImage& staging) {
    const qsizetype size = static_cast<qsizetype>(bytes.size());
    if (size < kMgHeaderSize)
        return {ReadStatus::TooShort, kMgHeaderSize};
    if (bytes[0] != 'M' || bytes[1] != 'G' || bytes[2] != 'H')
        return {ReadStatus::BadFormat};
    // The header's CharHeight chooses the layout, so it is checked before anything else;
    // the border bytes in the header are not read.
    const int charHeight = bytes[4];
    if (!IsValidCharHeight(charHeight))
        return {ReadStatus::BadFormat};
    const bool layout8x1 = charHeight == 1;
    const qsizetype needed = MgFileSize(charHeight, layout8x1);
    if (size < needed)
        return {ReadStatus::TooShort, needed, charHeight};

    staging.CharHeight = static_cast<uint8_t>(charHeight);
    for (int s = 0; s < 2; ++s) {
        ZxBitmapToPlane(bytes.subspan(kMgHeaderSize + s * kZxBitmapSize).first<kZxBitmapSize>(),
                        staging.PixelPlane[s]);
    }
    const uint8_t* attrs = bytes.data() + kMgBitmapsEnd;
    if (layout8x1) {
        for (int s = 0; s < 2; ++s) {
            const uint8_t* centre = attrs + s * kCentreSize;
            for (int y = 0; y < kPixelRows; ++y) {
                for (int j = 0; j < kCentreColumns; ++j)
                    FillAttrRows(staging.AttrPlane[s], kCentreFirst + j, y, 1,
                                 centre[y * kCentreColumns + j]);
            }
            const uint8_t* sides = attrs + 2 * kCentreSize + s * kSidesSize;
            for (int r = 0; r < kPixelRows / 8; ++r) {
                for (int j = 0; j < kCentreColumns; ++j) {
                    const int column = j < 8 ? j : j + 16;
                    FillAttrRows(staging.AttrPlane[s], column, r * 8, 8,
                                 sides[r * kCentreColumns + j]);
                }
            }
        }
    } else {
        const int rows = kPixelRows / charHeight;
        for (int s = 0; s < 2; ++s) {
            const uint8_t* screen = attrs + s * rows * kByteColumns;
            for (int r = 0; r < rows; ++r) {
                for (int c = 0; c < kByteColumns; ++c)
                    FillAttrRows(staging.AttrPlane[s], c, r * charHeight, charHeight,
                                 screen[r * kByteColumns + c]);
            }
        }
    }
    ReadResult result;
    result.Variant = layout8x1 ? "8x1 layout" : "row layout";
    result.LayoutCharHeight = charHeight;
    return result;
}

QByteArray WriteMg(const MgsImage& picture) {
    // The row layout at the picture's own CharHeight: under CharHeight 1 that is 192 rows of
    // 32 bytes a screen, each the attribute shown on its row.
    // Writers are given valid pictures; the guard only keeps a stray value from dividing
    // by zero.
    const int charHeight = SafeCharHeight(picture);
    QByteArray bytes(MgFileSize(charHeight, false), Qt::Uninitialized);
    uint8_t* out = WriteMgStart(picture, bytes);
    const int rows = kPixelRows / charHeight;
    for (const auto& plane : picture.AttrPlane) {
        for (int r = 0; r < rows; ++r) {
            for (int c = 0; c < kByteColumns; ++c)
                *out++ = SpectrumAttr(
                    plane[PlaneIndex(c, EffectiveAttrRow(charHeight, r * charHeight, c))]);
        }
    }
    return bytes;
}

QByteArray WriteMg1(const MgsImage& picture) {
    QByteArray bytes(MgFileSize(1, true), Qt::Uninitialized);
    uint8_t* out = WriteMgStart(picture, bytes);
    for (const auto& plane : picture.AttrPlane) {
        for (int y = 0; y < kPixelRows; ++y) {
            for (int c = kCentreFirst; c < kCentreFirst + kCentreColumns; ++c)
                *out++ = SpectrumAttr(plane[PlaneIndex(c, y)]);
        }
    }
    for (const auto& plane : picture.AttrPlane) {
        for (int r = 0; r < kPixelRows / 8; ++r) {
            for (int j = 0; j < kCentreColumns; ++j) {
                const int column = j < 8 ? j : j + 16;
                *out++ = SpectrumAttr(plane[PlaneIndex(column, r * 8)]);
            }
        }
    }
    return bytes;
}

QByteArray WriteMg1File(const MgsImage& picture) {
    return WriteMg1(AtCharHeight(picture, 1));
}
QByteArray WriteMg2File(const MgsImage& picture) {
    return WriteMg(AtCharHeight(picture, 2));
}
QByteArray WriteMg4File(const MgsImage& picture) {
    return WriteMg(AtCharHeight(picture, 4));
}
QByteArray WriteMg8File(const MgsImage& picture) {
    return WriteMg(AtCharHeight(picture, 8));
}
