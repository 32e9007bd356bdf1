// SPDX-License-Identifier: GPL-3.0-or-later
// Thumbnails for file managers: reading, rendering, scaling and writing the PNG.
#include "formats/thumbnail.h"

#include "display/renderer.h"
#include "formats/picture_file.h"
#include "formats/png_export.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <vector>

const PictureFormat* ThumbnailFormat(const QString& path, QByteArrayView head) {
    const QString extension = FileExtension(path);
    if (const PictureFormat* format = FindFormat(extension))
        return format;
    if (const PictureFormat* format = FindFormat(extension.toLower()))
        return format;
    if (head.startsWith("MGS"))
        return FindFormat(u".mgs");
    if (head.startsWith("MGH"))
        return FindFormat(u".mg8"); // the header, not the extension, gives the layout
    return nullptr;
}

namespace {

// Each target pixel is the mean of the picture area it covers, so a dithered mix reduces to
// the colour the eye sees. Lengths are counted in units of 1 / (source x target) pixel,
// where a source pixel is `width` long and a target pixel `source.width()` long.
QImage AreaAverage(const QImage& source, int width, int height) {
    const int sw = source.width();
    const int sh = source.height();
    std::vector<std::array<int64_t, 3>> sums(static_cast<size_t>(width) * height);
    auto overlap = [](int from, int to, int j, int span) {
        return std::min(to, (j + 1) * span) - std::max(from, j * span);
    };
    for (int y = 0; y < sh; ++y) {
        for (int x = 0; x < sw; ++x) {
            const QRgb rgb = source.pixel(x, y);
            for (int ty = y * height / sh; ty <= ((y + 1) * height - 1) / sh; ++ty) {
                const int64_t wy = overlap(y * height, (y + 1) * height, ty, sh);
                for (int tx = x * width / sw; tx <= ((x + 1) * width - 1) / sw; ++tx) {
                    const int64_t w = wy * overlap(x * width, (x + 1) * width, tx, sw);
                    std::array<int64_t, 3>& sum = sums[static_cast<size_t>(ty) * width + tx];
                    sum[0] += w * qRed(rgb);
                    sum[1] += w * qGreen(rgb);
                    sum[2] += w * qBlue(rgb);
                }
            }
        }
    }
    QImage target(width, height, QImage::Format_RGB32);
    const int64_t area = static_cast<int64_t>(sw) * sh;
    for (int ty = 0; ty < height; ++ty) {
        for (int tx = 0; tx < width; ++tx) {
            const auto& sum = sums[static_cast<size_t>(ty) * width + tx];
            auto mean = [&](int c) { return static_cast<int>((sum[c] + area / 2) / area); };
            target.setPixel(tx, ty, qRgb(mean(0), mean(1), mean(2)));
        }
    }
    return target;
}

} // namespace

QImage ThumbnailImage(const QImage& mixedImage, int size) {
    const QImage picture = mixedImage.copy(0, 0, kPictureWidth, kPictureHeight);
    // The picture is 4:3, so its width decides.
    const int width = size;
    const int height = std::max(1, (size * kPictureHeight + kPictureWidth / 2) / kPictureWidth);
    if (size < kPictureWidth)
        return AreaAverage(picture, width, height);
    const bool wholeFactor = size % kPictureWidth == 0;
    return picture.scaled(width, height, Qt::IgnoreAspectRatio,
                          wholeFactor ? Qt::FastTransformation : Qt::SmoothTransformation);
}

QString WriteThumbnail(const QString& input, int size, const QString& output) {
    const FileBytes file = ReadPictureBytes(input);
    if (!file.Error.isEmpty())
        return file.Error;
    const PictureFormat* format = ThumbnailFormat(input, file.Bytes);
    if (format == nullptr)
        return QStringLiteral("%1: not a picture file tileSmith reads").arg(input);
    const std::span<const uint8_t> bytes(reinterpret_cast<const uint8_t*>(file.Bytes.constData()),
                                         static_cast<size_t>(file.Bytes.size()));
    MgsImage picture;
    const ReadResult read = ParsePicture(*format, bytes, picture);
    if (read.Status != ReadStatus::Ok)
        return ReadErrorText(read, input, *format, file.Bytes.size());
    RenderImages images = RenderImages::Create();
    RenderPicture(picture, images);
    return WritePng(ThumbnailImage(images.MixedImage, size).convertToFormat(QImage::Format_RGB888),
                    output);
}
