// SPDX-License-Identifier: GPL-3.0-or-later
// Exports of what the hardware shows: one screen alone as a PNG, and the two screens
// alternating as a looping animated GIF, at the sizes of the PNG export. Each screen is
// framed by its own border colour.
#pragma once

#include "formats/png_export.h"

#include <QByteArray>
#include <QImage>
#include <QString>

// A GIF frame's delay is counted in hundredths of a second: 2 is one Spectrum frame.
inline constexpr int kFlickerGifDelay = 2;

// Screen `screen` (0 or 1) rendered alone at the option's size, in Format_RGB888.
QImage ComposeScreenImage(const MgsImage& picture, int screen, const PngOption& option);

struct GifBytes {
    QByteArray Bytes;
    QString Error; // empty on success
};
// The two screens as a two-frame GIF that loops for ever, kFlickerGifDelay per frame.
GifBytes EncodeFlickerGif(const MgsImage& picture, const PngOption& option);

// Compose, encode and write `path` as given; an empty text on success, else a message
// naming the file. A failed write leaves any previous file as it was.
QString ExportScreenPng(const MgsImage& picture, int screen, const PngOption& option,
                        const QString& path);
QString ExportFlickerGif(const MgsImage& picture, const PngOption& option, const QString& path);
