// SPDX-License-Identifier: GPL-3.0-or-later
// Spectrum screen files: .scr (one screen, shown on both), .img (two screens one after the
// other), and their headered forms .$scr and .$img. Imported whole into 8x8 cells.
#include "formats/picture_formats.h"
#include "formats/zx_screen.h"
#include "picture/colour.h"

#include <algorithm>

namespace {

// White ink on black paper, for a .scr that holds only its bitmap.
constexpr uint8_t kDefaultAttr = 0x07;

void ApplyScreen(std::span<const uint8_t, kZxBitmapSize> bitmap,
                 std::span<const uint8_t, kZxAttrAreaSize> attrs, MgsImage& staging, int screen) {
    ZxBitmapToPlane(bitmap, staging.PixelPlane[screen]);
    for (int r = 0; r < kPixelRows / 8; ++r) {
        for (int c = 0; c < kByteColumns; ++c)
            FillAttrRows(staging.AttrPlane[screen], c, r * 8, 8, attrs[r * kByteColumns + c]);
    }
}

ReadResult ReadScreen(std::span<const uint8_t> bytes, MgsImage& staging, bool headered,
                      bool single) {
    const qsizetype skip = headered ? kZxHeaderSize : 0;
    const qsizetype size = static_cast<qsizetype>(bytes.size());
    const qsizetype full = skip + (single ? kZxScreenSize : 2 * kZxScreenSize);
    if (size < skip + kZxBitmapSize)
        return {ReadStatus::TooShort, single ? skip + kZxBitmapSize : full};

    const char* variant = "";
    std::array<uint8_t, kZxAttrAreaSize> whiteOnBlack;
    std::span<const uint8_t, kZxAttrAreaSize> attrsA(whiteOnBlack);
    const auto bitmapA = bytes.subspan(skip).first<kZxBitmapSize>();
    if (single && size == skip + kZxBitmapSize) {
        // A bitmap with nothing after it: the screen is shown white on black.
        whiteOnBlack.fill(kDefaultAttr);
        variant = "bitmap only, white on black";
    } else if (size < full) {
        return {ReadStatus::TooShort, full};
    } else {
        attrsA = bytes.subspan(skip + kZxBitmapSize).first<kZxAttrAreaSize>();
    }

    ApplyScreen(bitmapA, attrsA, staging, 0);
    if (single) {
        staging.PixelPlane[1] = staging.PixelPlane[0];
        staging.AttrPlane[1] = staging.AttrPlane[0];
    } else {
        const auto second = bytes.subspan(skip + kZxScreenSize);
        ApplyScreen(second.first<kZxBitmapSize>(),
                    second.subspan(kZxBitmapSize).first<kZxAttrAreaSize>(), staging, 1);
    }
    staging.CharHeight = 8;
    ReadResult result;
    result.Variant = variant;
    return result;
}

} // namespace

ReadResult ReadScr(std::span<const uint8_t> bytes, MgsImage& staging) {
    return ReadScreen(bytes, staging, false, true);
}
ReadResult ReadHeaderedScr(std::span<const uint8_t> bytes, MgsImage& staging) {
    return ReadScreen(bytes, staging, true, true);
}
ReadResult ReadImg(std::span<const uint8_t> bytes, MgsImage& staging) {
    return ReadScreen(bytes, staging, false, false);
}
ReadResult ReadHeaderedImg(std::span<const uint8_t> bytes, MgsImage& staging) {
    return ReadScreen(bytes, staging, true, false);
}

QByteArray WriteImg(const MgsImage& picture) {
    QByteArray bytes(2 * kZxScreenSize, Qt::Uninitialized);
    std::span<uint8_t> out(reinterpret_cast<uint8_t*>(bytes.data()), 2 * kZxScreenSize);
    for (int s = 0; s < 2; ++s) {
        const auto screen = out.subspan(s * kZxScreenSize);
        PlaneToZxBitmap(picture.PixelPlane[s], screen.first<kZxBitmapSize>());
        // Each 8-row cell exports the attribute of its top pixel row, whatever the
        // CharHeight: the Spectrum screen has no finer attributes.
        uint8_t* attr = screen.data() + kZxBitmapSize;
        for (int r = 0; r < kPixelRows / 8; ++r) {
            for (int c = 0; c < kByteColumns; ++c)
                *attr++ = SpectrumAttr(picture.AttrPlane[s][PlaneIndex(c, r * 8)]);
        }
    }
    return bytes;
}
