// SPDX-License-Identifier: GPL-3.0-or-later
// Lookups in the format table, the extension and naming rules, and the checked parse.
#include "formats/picture_formats.h"

namespace {

QLatin1String Latin1(std::string_view text) {
    return QLatin1String(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

QString FileExtension(const QString& path) {
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    return dot > slash ? path.mid(dot) : QString();
}

const PictureFormat* FindFormat(QStringView extension) {
    for (const PictureFormat& format : PictureFormats) {
        if (extension.compare(Latin1(format.Extension), Qt::CaseSensitive) == 0)
            return &format;
    }
    return nullptr;
}

int FileCharHeight(const PictureFormat& format) {
    if (format.Write == WriteMg1File)
        return 1;
    if (format.Write == WriteMg2File)
        return 2;
    if (format.Write == WriteMg4File)
        return 4;
    if (format.Write == WriteMg8File || format.Write == WriteImg)
        return 8;
    return 0;
}

QString ExtensionText(const PictureFormat& format) {
    return Latin1(format.Extension);
}

QString EnsureExtension(const QString& name, QStringView ext) {
    if (name.size() > 4 && !name.endsWith(ext, Qt::CaseSensitive))
        return name + ext.toString();
    return name;
}

ReadResult ParsePicture(const PictureFormat& format, std::span<const uint8_t> bytes,
                        MgsImage& staging) {
    ReadResult result = format.Read(bytes, staging);
    // One check after every reader: whatever a file held, no value the colour tables or the
    // cell arithmetic cannot take reaches the picture.
    if (result.Status == ReadStatus::Ok && !IsPictureValid(staging))
        result.Status = ReadStatus::BadFormat;
    return result;
}
