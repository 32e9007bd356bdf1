// SPDX-License-Identifier: GPL-3.0-or-later
// The native .mgs file: a seven-byte header, both pixel planes in row order, and an
// attribute cell (ink, then paper) for every pixel row of both screens.
#include "formats/picture_formats.h"

namespace {

constexpr qsizetype kMgsV0HeaderSize = 5; // "MGS", version, CharHeight
constexpr qsizetype kMgsV1HeaderSize = 7; // ... and the two border colours

} // namespace

ReadResult ReadMgs(std::span<const uint8_t> bytes, MgsImage& staging) {
    // The signature is not checked: any file chosen as .mgs is read as one. Any version
    // other than 0 is read as version 1.
    if (bytes.size() <= 3)
        return {ReadStatus::TooShort, kMgsFileSize};
    const bool hasBorder = bytes[3] != 0;
    const qsizetype needed = hasBorder ? kMgsFileSize : kMgsV0FileSize;
    if (static_cast<qsizetype>(bytes.size()) < needed)
        return {ReadStatus::TooShort, needed};

    staging.CharHeight = bytes[4];
    const uint8_t* in = bytes.data() + kMgsV0HeaderSize;
    if (hasBorder) {
        staging.BorderPair = {in[0], in[1]};
        in += 2;
    }
    for (auto& plane : staging.PixelPlane) {
        for (int row = 0; row < kPixelRows; ++row) {
            for (int column = 0; column < kByteColumns; ++column)
                plane[PlaneIndex(column, row)] = *in++;
        }
    }
    for (auto& plane : staging.AttrPlane) {
        for (int row = 0; row < kPixelRows; ++row) {
            for (int column = 0; column < kByteColumns; ++column, in += 2)
                plane[PlaneIndex(column, row)] = AttrCell{in[1], in[0]};
        }
    }
    ReadResult result;
    result.Variant = hasBorder ? "version 1" : "version 0";
    result.BorderRead = hasBorder;
    return result;
}

QByteArray WriteMgs(const MgsImage& picture) {
    QByteArray bytes(kMgsFileSize, Qt::Uninitialized);
    auto* out = reinterpret_cast<uint8_t*>(bytes.data());
    *out++ = 'M';
    *out++ = 'G';
    *out++ = 'S';
    *out++ = 1;
    *out++ = picture.CharHeight;
    *out++ = picture.BorderPair[0];
    *out++ = picture.BorderPair[1];
    for (const auto& plane : picture.PixelPlane) {
        for (int row = 0; row < kPixelRows; ++row) {
            for (int column = 0; column < kByteColumns; ++column)
                *out++ = plane[PlaneIndex(column, row)];
        }
    }
    for (const auto& plane : picture.AttrPlane) {
        for (int row = 0; row < kPixelRows; ++row) {
            for (int column = 0; column < kByteColumns; ++column) {
                const AttrCell cell = plane[PlaneIndex(column, row)];
                *out++ = cell.ink;
                *out++ = cell.paper;
            }
        }
    }
    static_assert(kMgsV1HeaderSize + 2 * kPlaneSize + 4 * kPlaneSize == kMgsFileSize);
    return bytes;
}
