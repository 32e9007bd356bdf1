// SPDX-License-Identifier: GPL-3.0-or-later
// Importing ordinary pictures (PNG, JPEG, BMP, GIF): reading them, placing them on the
// 256 x 192 screen, recognising the program's own PNG exports, and converting the result
// into a gigascreen picture.
#pragma once

#include "colour/picture_conversion.h"
#include "picture/mgs_image.h"

#include <QImage>
#include <QSize>
#include <QString>

#include <cstdint>
#include <optional>

enum class Placement : uint8_t {
    Fit,     // the whole image inside 256 x 192, centred on black
    Fill,    // covering 256 x 192, the overflow cut off evenly
    Stretch, // to 256 x 192 whatever its shape
};

// .png, .jpg, .jpeg, .bmp and .gif, in any letter case.
bool IsImageImportPath(const QString& path);

struct SourceImage {
    QImage Image; // Format_RGB32, any transparency composited onto black
    QString Error;
};
// Reads the first frame; an unreadable, damaged or oversized file gives a message naming it.
SourceImage ReadSourceImage(const QString& path);

// Resamples by area averaging: every result pixel is the mean of the source area it covers.
QImage AreaScaled(const QImage& source, QSize size);

struct PlacedImage {
    QImage Target; // 256 x 192, Format_RGB32
    QString How;   // one line: how the image was placed
};
// An image of exactly 256 x 192 is used pixel for pixel; one of the PNG export sizes whose
// frame and enlarged pixels are intact is cut out and shrunk back exactly; anything else is
// placed as asked.
PlacedImage PlaceImage(const QImage& source, Placement placement);

struct ImageImport {
    std::optional<MgsImage> Picture; // nothing on an error or when cancelled
    QString Error;
    QString How;
};
// Reads, places and converts `path`. The picture's BorderPair is 0 and 0.
ImageImport ImportImageFile(const QString& path, Placement placement,
                            const ConversionOptions& options,
                            const ConversionControl& control = {});
