// SPDX-License-Identifier: GPL-3.0-or-later
// Reading back a PNG the program wrote, with libpng, and the facts of its header.
#pragma once

#include <QByteArray>
#include <QImage>

#include <png.h>

struct DecodedPng {
    int width = 0, height = 0;
    int bitDepth = 0, colourType = -1; // straight from the IHDR chunk
    QImage image;                      // Format_RGB888; null when decoding failed
};

inline DecodedPng DecodePng(const QByteArray& bytes) {
    DecodedPng result;
    // The IHDR chunk always comes first, right after the 8-byte signature.
    if (bytes.size() < 33 || !bytes.startsWith("\x89PNG\r\n\x1a\n") || bytes.mid(12, 4) != "IHDR")
        return result;
    auto u32 = [&](int at) {
        return static_cast<int>(
            (static_cast<uint8_t>(bytes[at]) << 24) | (static_cast<uint8_t>(bytes[at + 1]) << 16) |
            (static_cast<uint8_t>(bytes[at + 2]) << 8) | static_cast<uint8_t>(bytes[at + 3]));
    };
    result.width = u32(16);
    result.height = u32(20);
    result.bitDepth = static_cast<uint8_t>(bytes[24]);
    result.colourType = static_cast<uint8_t>(bytes[25]);

    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&png, bytes.constData(),
                                          static_cast<size_t>(bytes.size())))
        return result;
    png.format = PNG_FORMAT_RGB;
    QImage image(static_cast<int>(png.width), static_cast<int>(png.height), QImage::Format_RGB888);
    if (png_image_finish_read(&png, nullptr, image.bits(),
                              static_cast<png_int_32>(image.bytesPerLine()), nullptr))
        result.image = image;
    png_image_free(&png);
    return result;
}
