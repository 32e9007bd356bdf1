// SPDX-License-Identifier: GPL-3.0-or-later
// Reading and placing imported pictures. Resampling is written out here rather than left
// to QImage::scaled so that it is an area average at every size and the same everywhere.
#include "formats/picture_import.h"

#include "formats/file_io.h"
#include "formats/png_export.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

struct Tap {
    int index;
    float weight;
};

// For each result position, the source positions it covers and how much of each.
std::vector<std::vector<Tap>> AreaTaps(int sourceLength, int length) {
    std::vector<std::vector<Tap>> taps(static_cast<size_t>(length));
    const double scale = static_cast<double>(sourceLength) / length;
    for (int d = 0; d < length; ++d) {
        const double a = d * scale, b = (d + 1) * scale;
        const int last = std::min(sourceLength - 1, static_cast<int>(std::ceil(b)) - 1);
        for (int i = static_cast<int>(a); i <= last; ++i) {
            const double w = std::min(b, i + 1.0) - std::max(a, static_cast<double>(i));
            if (w > 0)
                taps[d].push_back({i, static_cast<float>(w / (b - a))});
        }
    }
    return taps;
}

QImage Black() {
    QImage image(kPictureWidth, kPictureHeight, QImage::Format_RGB32);
    image.fill(Qt::black);
    return image;
}

// Whether `source` looks exactly like a PNG export with `option`: a frame of one border
// colour the border palette can show, and every picture pixel a solid square.
bool MatchesExport(const QImage& source, const PngOption& option) {
    const int s = option.Scale, left = option.SideBorder, top = option.TopBorder;
    const QRect picture(left, top, option.PictureWidth(), option.PictureHeight());
    if (left > 0 || top > 0) {
        const QRgb border = source.pixel(0, 0);
        bool paletteColour = false;
        for (int a = 0; a < 8; ++a) {
            for (int b = 0; b < 8; ++b)
                paletteColour = paletteColour || BorderMix(a, b) == (border | 0xFF000000u);
        }
        if (!paletteColour)
            return false;
        for (int y = 0; y < source.height(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(source.constScanLine(y));
            for (int x = 0; x < source.width(); ++x) {
                if (!picture.contains(x, y) && line[x] != border)
                    return false;
            }
        }
    }
    for (int y = 0; y < picture.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(source.constScanLine(top + y));
        const auto* first = reinterpret_cast<const QRgb*>(source.constScanLine(top + y - y % s));
        for (int x = 0; x < picture.width(); ++x) {
            if (line[left + x] != first[left + x - x % s])
                return false;
        }
    }
    return true;
}

QString SizeText(QSize size) {
    return QStringLiteral("%1 x %2").arg(size.width()).arg(size.height());
}

} // namespace

bool IsImageImportPath(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == u"png" || suffix == u"jpg" || suffix == u"jpeg" || suffix == u"bmp" ||
           suffix == u"gif";
}

SourceImage ReadSourceImage(const QString& path) {
    auto failed = [&](const QString& reason) {
        return SourceImage{{}, QStringLiteral("Cannot import %1: %2").arg(path, reason)};
    };
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        return failed(QStringLiteral("not a regular file"));
    const qint64 limit = static_cast<qint64>(QImageReader::allocationLimit()) << 20;
    // The bytes come through the file layer, which keeps names that are not UTF-8; a file
    // it cannot read is left to the reader, which says why in its own words.
    const FileBytes file = ReadRegularFile(path, limit);
    QBuffer buffer;
    QImageReader reader;
    if (file.Error.isEmpty() && file.Size <= limit) {
        buffer.setData(file.Bytes);
        buffer.open(QIODevice::ReadOnly);
        reader.setDevice(&buffer);
    } else {
        reader.setFileName(path);
    }
    reader.setAutoTransform(true);
    // Say why a huge picture is refused instead of the reader's plain "cannot read".
    const QSize size = reader.size();
    if (size.isValid() && limit > 0 && qint64{size.width()} * size.height() * 4 > limit) {
        return failed(QStringLiteral("the picture is %1 x %2 pixels, more than the %3 MiB an "
                                     "image may take")
                          .arg(size.width())
                          .arg(size.height())
                          .arg(QImageReader::allocationLimit()));
    }
    QImage image = reader.read();
    if (image.isNull())
        return failed(reader.errorString());
    // Premultiplied pixels are the picture composited onto black.
    image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QImage rgb(image.size(), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        auto* out = reinterpret_cast<QRgb*>(rgb.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            out[x] = in[x] | 0xFF000000u;
    }
    return {rgb, {}};
}

QImage AreaScaled(const QImage& source, QSize size) {
    const QImage in = source.convertToFormat(QImage::Format_RGB32);
    const int w = size.width(), h = size.height(), sw = in.width(), sh = in.height();
    const auto across = AreaTaps(sw, w), down = AreaTaps(sh, h);
    // Rows first, into floats, then columns.
    std::vector<float> rows(static_cast<size_t>(sh) * w * 3);
    for (int y = 0; y < sh; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(in.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            float r = 0, g = 0, b = 0;
            for (const Tap& t : across[x]) {
                r += qRed(line[t.index]) * t.weight;
                g += qGreen(line[t.index]) * t.weight;
                b += qBlue(line[t.index]) * t.weight;
            }
            float* out = &rows[(static_cast<size_t>(y) * w + x) * 3];
            out[0] = r;
            out[1] = g;
            out[2] = b;
        }
    }
    QImage result(size, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < w; ++x) {
            float c[3] = {0, 0, 0};
            for (const Tap& t : down[y]) {
                const float* in3 = &rows[(static_cast<size_t>(t.index) * w + x) * 3];
                for (int ch = 0; ch < 3; ++ch)
                    c[ch] += in3[ch] * t.weight;
            }
            auto level = [](float v) { return std::clamp(static_cast<int>(v + 0.5f), 0, 255); };
            line[x] = qRgb(level(c[0]), level(c[1]), level(c[2]));
        }
    }
    return result;
}

PlacedImage PlaceImage(const QImage& source, Placement placement) {
    const QImage in = source.convertToFormat(QImage::Format_RGB32);
    const QSize size = in.size();
    if (size == QSize(kPictureWidth, kPictureHeight))
        return {in, QStringLiteral("256 x 192: used pixel for pixel")};
    // Bordered options first: their frame makes them the stricter test where sizes repeat.
    for (const bool bordered : {true, false}) {
        for (const PngOption& option : PngOptions) {
            if ((option.SideBorder > 0) != bordered ||
                QSize(option.Width(), option.Height()) != size || !MatchesExport(in, option))
                continue;
            QImage target = Black();
            for (int y = 0; y < kPictureHeight; ++y) {
                const auto* line = reinterpret_cast<const QRgb*>(
                    in.constScanLine(option.TopBorder + y * option.Scale));
                auto* out = reinterpret_cast<QRgb*>(target.scanLine(y));
                for (int x = 0; x < kPictureWidth; ++x)
                    out[x] = line[option.SideBorder + x * option.Scale];
            }
            return {target,
                    QStringLiteral("%1: a PNG export \"%2\", picture cut out and shrunk by %3")
                        .arg(SizeText(size),
                             QString::fromLatin1(option.Caption.data(),
                                                 static_cast<qsizetype>(option.Caption.size())))
                        .arg(option.Scale)};
        }
    }
    const double sx = static_cast<double>(kPictureWidth) / size.width();
    const double sy = static_cast<double>(kPictureHeight) / size.height();
    QImage target = Black();
    switch (placement) {
    case Placement::Stretch:
        target = AreaScaled(in, target.size());
        return {target, QStringLiteral("%1: stretched to 256 x 192").arg(SizeText(size))};
    case Placement::Fit: {
        const double s = std::min(sx, sy);
        const QSize placed(std::clamp(static_cast<int>(std::lround(size.width() * s)), 1, 256),
                           std::clamp(static_cast<int>(std::lround(size.height() * s)), 1, 192));
        const QPoint at((kPictureWidth - placed.width()) / 2,
                        (kPictureHeight - placed.height()) / 2);
        const QImage scaled = AreaScaled(in, placed);
        for (int y = 0; y < placed.height(); ++y) {
            std::copy_n(reinterpret_cast<const QRgb*>(scaled.constScanLine(y)), placed.width(),
                        reinterpret_cast<QRgb*>(target.scanLine(at.y() + y)) + at.x());
        }
        return {target, QStringLiteral("%1: fitted as %2 at %3, %4 on black")
                            .arg(SizeText(size), SizeText(placed))
                            .arg(at.x())
                            .arg(at.y())};
    }
    case Placement::Fill: {
        // Cut the part that the screen covers out of the source first, so that a very long
        // image is never enlarged whole.
        const double s = std::max(sx, sy);
        const QSize cut(
            std::clamp(static_cast<int>(std::lround(kPictureWidth / s)), 1, size.width()),
            std::clamp(static_cast<int>(std::lround(kPictureHeight / s)), 1, size.height()));
        const QRect part(
            QPoint((size.width() - cut.width()) / 2, (size.height() - cut.height()) / 2), cut);
        target = AreaScaled(in.copy(part), target.size());
        return {target, QStringLiteral("%1: filled from its part %2 at %3, %4")
                            .arg(SizeText(size), SizeText(cut))
                            .arg(part.x())
                            .arg(part.y())};
    }
    }
    return {target, {}};
}

ImageImport ImportImageFile(const QString& path, Placement placement,
                            const ConversionOptions& options, const ConversionControl& control) {
    const SourceImage source = ReadSourceImage(path);
    if (!source.Error.isEmpty())
        return {std::nullopt, source.Error, {}};
    const PlacedImage placed = PlaceImage(source.Image, placement);
    return {ConvertImage(placed.Target, options, control), {}, placed.How};
}
