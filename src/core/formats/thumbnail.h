// SPDX-License-Identifier: GPL-3.0-or-later
// Thumbnails for file managers: the mixed picture of a picture file, scaled to fit a
// square, written as a PNG. Used by tilesmith-convert --thumbnail.
#pragma once

#include "formats/picture_formats.h"

#include <QByteArrayView>
#include <QImage>
#include <QString>

inline constexpr int kLargestThumbnail = 4096;

// The format for a file a file manager names: its extension in any letter case (the MIME
// globs ignore case), or else the MGS or MGH signature at the start of `head`.
const PictureFormat* ThumbnailFormat(const QString& path, QByteArrayView head);

// `mixedImage` (its top-left 256 x 192) scaled to fit size x size, keeping its shape. A
// whole enlargement repeats pixels, so the picture stays sharp; a reduction averages the
// pixels it merges, so it keeps their mixed colour; other enlargements are smoothed.
QImage ThumbnailImage(const QImage& mixedImage, int size);

// Reads `input`, renders it and writes the thumbnail PNG to `output`. Returns an empty text
// on success, else a message naming the file; nothing is written on failure.
QString WriteThumbnail(const QString& input, int size, const QString& output);
