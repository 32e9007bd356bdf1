// SPDX-License-Identifier: GPL-3.0-or-later
// PNG export: the mixed picture enlarged by a whole factor at one of eleven fixed sizes,
// framed by the mixed border colour, encoded by libpng and written through WriteFileBytes.
#pragma once

#include "picture/colour.h"
#include "picture/mgs_image.h"

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

#include <array>
#include <string_view>

struct PngOption {
    std::string_view RadioName; // the radio button of the export panel
    std::string_view Caption;
    int Scale;        // picture pixels become Scale x Scale squares
    int SideBorder;   // left and right
    int TopBorder;    //
    int BottomBorder; //

    constexpr int PictureWidth() const { return kPictureWidth * Scale; }
    constexpr int PictureHeight() const { return kPictureHeight * Scale; }
    constexpr int Width() const { return PictureWidth() + 2 * SideBorder; }
    constexpr int Height() const { return PictureHeight() + TopBorder + BottomBorder; }
};

// In the order the panel lists them; the first is checked at start. The radio buttons'
// numbers are not in that order.
// clang-format off
inline constexpr std::array<PngOption, 11> PngOptions = {{
    {"RadioButton1", "256 x 192 without border", 1, 0, 0, 0},
    {"RadioButton2", "512 x 384 without border", 2, 0, 0, 0},
    {"RadioButton3", "768 x 576 without border", 3, 0, 0, 0},
    {"RadioButton4", "1024 x 768 without border", 4, 0, 0, 0},
    {"RadioButton5", "1280 x 960 without border", 5, 0, 0, 0},
    {"RadioButton10", "320 x 240 (256x192 with border)", 1, 32, 24, 24},
    {"RadioButton6", "640 x 480 (512x384 with border)", 2, 64, 48, 48},
    {"RadioButton7", "800 x 600 (768x576 with border)", 3, 16, 12, 12},
    {"RadioButton8", "1024 x 768 (768x576 with border)", 3, 128, 96, 96},
    {"RadioButton9", "1280 x 960 (1024x768 with border)", 4, 128, 96, 96},
    {"RadioButton11", "384 x 300 (256x192 full emul border)", 1, 64, 64, 44},
}};
// clang-format on

// The colour of the frame: both border colours mixed, as the border palette shows them.
constexpr Rgb PngBorderColour(const MgsImage& picture) {
    return BorderMix(picture.BorderPair[0], picture.BorderPair[1]);
}

// The exported image in Format_RGB888: the top-left 256 x 192 of `mixedImage` (the
// renderer's MixedImage) enlarged by the option's factor, at (SideBorder, TopBorder) on a
// field of `border`. A smaller `mixedImage` leaves the missing part in the border colour.
QImage ComposePngImage(const QImage& mixedImage, const PngOption& option, Rgb border);

struct PngBytes {
    QByteArray Bytes;
    QString Error; // empty on success
};
// An RGB888 image as PNG bytes: colour type 2, 8 bits per channel, no alpha.
PngBytes EncodePng(const QImage& rgb888);
// Encodes an RGB888 image and writes it to `path` through the safe file write. Returns an
// empty text on success, else a message naming the file.
QString WritePng(const QImage& rgb888, const QString& path);

// Composes, encodes and writes `path` (as given: the caller applies EnsureExtension).
// Returns an empty text on success, else a message naming the file; a failed write leaves
// any previous file as it was.
QString ExportPng(const QImage& mixedImage, Rgb border, const PngOption& option,
                  const QString& path);
