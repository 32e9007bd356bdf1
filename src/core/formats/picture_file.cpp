// SPDX-License-Identifier: GPL-3.0-or-later
// Whole-file reads and atomic writes for the picture formats, with messages that name
// the file and say what went wrong.
#include "formats/picture_file.h"

FileBytes ReadPictureBytes(const QString& path) {
    return ReadRegularFile(path, kLongestPictureFile);
}

QString ReadErrorText(const ReadResult& read, const QString& path, const PictureFormat& format,
                      qsizetype size) {
    switch (read.Status) {
    case ReadStatus::Ok:
        return {};
    case ReadStatus::BadFormat:
        return QStringLiteral("Error file format: %1").arg(path);
    case ReadStatus::TooShort:
        break;
    }
    // The MG rows share one reader, and the header, not the extension, sets the layout.
    QString kind = format.Read == ReadMg ? QStringLiteral("an MG file")
                                         : QStringLiteral("a %1 file").arg(ExtensionText(format));
    if (read.LayoutCharHeight != 0)
        kind += QStringLiteral(" with CharHeight %1 in its header").arg(read.LayoutCharHeight);
    // One multi-argument arg(): a path may itself contain "%2".
    return QStringLiteral("%1 is too short: %2 bytes, %3 needs at least %4")
        .arg(path, QString::number(size), kind, QString::number(read.Needed));
}

LoadResult LoadPictureFile(const QString& path, const PictureFormat& format,
                           const MgsImage& current) {
    LoadResult result;
    result.Picture = current;
    result.Format = &format;
    result.Extension = FileExtension(path);

    const FileBytes file = ReadPictureBytes(path);
    if (!file.Error.isEmpty()) {
        result.Status = LoadStatus::FileError;
        result.Error = file.Error;
        return result;
    }
    const std::span<const uint8_t> bytes(reinterpret_cast<const uint8_t*>(file.Bytes.constData()),
                                         static_cast<size_t>(file.Bytes.size()));
    MgsImage staging = current;
    result.Read = ParsePicture(format, bytes, staging);
    switch (result.Read.Status) {
    case ReadStatus::Ok:
        result.Status = LoadStatus::Loaded;
        result.Picture = staging;
        break;
    case ReadStatus::TooShort:
        result.Status = LoadStatus::FileError;
        break;
    case ReadStatus::BadFormat:
        result.Status = LoadStatus::FormatError;
        break;
    }
    result.Error = ReadErrorText(result.Read, path, format, file.Bytes.size());
    return result;
}

LoadResult OpenByName(const QString& path, const MgsImage& current) {
    const PictureFormat* format = FormatForPath(path);
    if (format == nullptr) {
        LoadResult result;
        result.Picture = current;
        result.Extension = FileExtension(path);
        return result;
    }
    return LoadPictureFile(path, *format, current);
}

QString SavePictureFile(const QString& path, const PictureFormat& format, const MgsImage& picture) {
    if (format.Write == nullptr) {
        return QStringLiteral("Cannot write %1: %2 files can be imported but not written")
            .arg(path, ExtensionText(format));
    }
    // Every load is checked, so this holds for any picture the editor can have; writers
    // index tables with these values.
    if (!IsPictureValid(picture)) {
        return QStringLiteral("Cannot write %1: the picture holds values outside the model")
            .arg(path);
    }
    return WriteFileBytes(path, format.Write(picture));
}

SaveResult SavePictureAs(const QString& chosenName, const PictureFormat& format,
                         const MgsImage& picture) {
    SaveResult result;
    result.Path = EnsureExtension(chosenName, ExtensionText(format));
    result.Error = SavePictureFile(result.Path, format, picture);
    result.SetsCurrentFile = result.Saved() && format.SaveSetsCurrentFile;
    return result;
}
