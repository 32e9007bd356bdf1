// SPDX-License-Identifier: GPL-3.0-or-later
// Composing the export image and encoding it with libpng into memory, so that the file
// itself is written by WriteFileBytes like every other file of the program.
#include "formats/png_export.h"

#include "formats/picture_file.h"

#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>

namespace {

// An enlarged picture repeats every row Scale times and every pixel Scale times along a
// row. A repeated row is written with the Up filter, which makes it all zeros; any other
// row unfiltered, where deflate finds the repeated pixels as short back references (Sub
// would turn them into less regular differences). Choosing per row spares libpng its
// trial of every filter. Level 3 keeps a 1280 x 960 export near 10 ms; the lazy matching
// of the higher levels costs two to three times as long for files about a third smaller.
constexpr int kCompressionLevel = 3;
constexpr int kFilters = PNG_FILTER_NONE | PNG_FILTER_UP;

struct EncodeContext {
    QByteArray* out;
    char message[256]; // libpng's error text; plain storage, since libpng leaves by longjmp
};

void AppendBytes(png_structp png, png_bytep data, size_t length) {
    auto* context = static_cast<EncodeContext*>(png_get_io_ptr(png));
    context->out->append(reinterpret_cast<const char*>(data), static_cast<qsizetype>(length));
}

void FlushNothing(png_structp) {}

[[noreturn]] void OnPngError(png_structp png, png_const_charp message) {
    auto* context = static_cast<EncodeContext*>(png_get_error_ptr(png));
    std::snprintf(context->message, sizeof context->message, "%s", message);
    png_longjmp(png, 1);
}

void IgnorePngWarning(png_structp, png_const_charp) {}

// The part of the encoding libpng may leave by longjmp. Nothing here has a destructor,
// so jumping back over it skips nothing that needed cleaning up.
bool WriteImage(png_structp png, png_infop info, const QImage& image) {
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_compression_level(png, kCompressionLevel);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, kFilters); // both, so Up has its row buffer
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.width()),
                 static_cast<png_uint_32>(image.height()), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_BASE, PNG_FILTER_TYPE_BASE);
    png_write_info(png, info);
    const size_t rowBytes = static_cast<size_t>(image.width()) * 3;
    for (int y = 0; y < image.height(); ++y) {
        const uint8_t* row = image.constScanLine(y);
        const bool repeats = y > 0 && std::memcmp(row, image.constScanLine(y - 1), rowBytes) == 0;
        png_set_filter(png, PNG_FILTER_TYPE_BASE, repeats ? PNG_FILTER_UP : PNG_FILTER_NONE);
        png_write_row(png, row);
    }
    png_write_end(png, info);
    return true;
}

} // namespace

QImage ComposePngImage(const QImage& mixedImage, const PngOption& option, Rgb border) {
    QImage image(option.Width(), option.Height(), QImage::Format_RGB888);
    image.fill(QColor(RedOf(border), GreenOf(border), BlueOf(border)));
    const QImage source = mixedImage.format() == QImage::Format_RGB32
                              ? mixedImage
                              : mixedImage.convertToFormat(QImage::Format_RGB32);
    const int scale = option.Scale;
    const int columns = std::min(source.width(), kPictureWidth);
    const int rows = std::min(source.height(), kPictureHeight);
    const size_t rowBytes = static_cast<size_t>(columns * scale * 3);
    for (int y = 0; y < rows; ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        const int top = option.TopBorder + y * scale;
        uint8_t* out = image.scanLine(top) + option.SideBorder * 3;
        uint8_t* p = out;
        for (int x = 0; x < columns; ++x) {
            const auto r = static_cast<uint8_t>(qRed(in[x]));
            const auto g = static_cast<uint8_t>(qGreen(in[x]));
            const auto b = static_cast<uint8_t>(qBlue(in[x]));
            for (int k = 0; k < scale; ++k) {
                *p++ = r;
                *p++ = g;
                *p++ = b;
            }
        }
        for (int k = 1; k < scale; ++k)
            std::memcpy(image.scanLine(top + k) + option.SideBorder * 3, out, rowBytes);
    }
    return image;
}

PngBytes EncodePng(const QImage& rgb888) {
    PngBytes result;
    if (rgb888.format() != QImage::Format_RGB888 || rgb888.isNull()) {
        result.Error = QStringLiteral("the image to encode is not an RGB image");
        return result;
    }
    // Roughly what a picture with few colours compresses to, so that appending seldom
    // has to grow the buffer.
    result.Bytes.reserve(static_cast<qsizetype>(rgb888.width()) * rgb888.height() / 4);
    EncodeContext context{&result.Bytes, {}};
    png_structp png =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, &context, OnPngError, IgnorePngWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (png == nullptr || info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        result.Bytes.clear();
        result.Error = QStringLiteral("the PNG library could not start");
        return result;
    }
    png_set_write_fn(png, &context, AppendBytes, FlushNothing);
    const bool written = WriteImage(png, info, rgb888);
    png_destroy_write_struct(&png, &info);
    if (!written) {
        result.Bytes.clear();
        result.Error = QStringLiteral("the PNG library failed: %1")
                           .arg(QString::fromLocal8Bit(context.message));
    }
    return result;
}

QString WritePng(const QImage& rgb888, const QString& path) {
    const PngBytes png = EncodePng(rgb888);
    if (!png.Error.isEmpty())
        return QStringLiteral("Cannot write %1: %2").arg(path, png.Error);
    return WriteFileBytes(path, png.Bytes);
}

QString ExportPng(const QImage& mixedImage, Rgb border, const PngOption& option,
                  const QString& path) {
    return WritePng(ComposePngImage(mixedImage, option, border), path);
}
