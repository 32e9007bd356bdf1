// SPDX-License-Identifier: GPL-3.0-or-later
// Reading back a PNG the program wrote, and the facts of its header.
#pragma once

#include <QByteArray>
#include <QDataStream>
#include <QImage>

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
    QDataStream header(bytes.mid(16, 10)); // big-endian, as PNG is
    quint32 width = 0, height = 0;
    quint8 depth = 0, type = 0;
    header >> width >> height >> depth >> type;
    result = {static_cast<int>(width), static_cast<int>(height), depth, type, QImage()};
    const QImage image = QImage::fromData(bytes, "PNG");
    if (!image.isNull())
        result.image = image.convertToFormat(QImage::Format_RGB888);
    return result;
}
