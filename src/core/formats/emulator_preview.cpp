// SPDX-License-Identifier: GPL-3.0-or-later
// Writing the preview picture and starting the preview script.
#include "formats/emulator_preview.h"

#include "formats/picture_file.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace {

QString Text(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

const PreviewTarget* FindPreviewTarget(int charHeight) {
    for (const PreviewTarget& target : PreviewTargets) {
        if (target.CharHeight == charHeight)
            return &target;
    }
    return nullptr;
}

PreviewFolders DefaultPreviewFolders(const QString& programDir) {
    const QString sub = QStringLiteral("tilesmith/") + Text(kPreviewFolder);
    PreviewFolders folders;
    folders.Search.append(QDir(programDir).filePath(Text(kPreviewFolder)));
    for (const QString& data :
         QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
        folders.Search.append(QDir(data).filePath(sub));
    folders.UserFolder =
        QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)).filePath(sub);
    return folders;
}

PreviewResult PreviewInEmulator(const MgsImage& picture, const QString& programDir) {
    return PreviewInEmulator(picture, DefaultPreviewFolders(programDir));
}

PreviewResult PreviewInEmulator(const MgsImage& picture, const PreviewFolders& folders) {
    PreviewResult result;
    const PreviewTarget* target = FindPreviewTarget(picture.CharHeight);
    if (target == nullptr)
        return result;
    QString found;
    for (const QString& folder : folders.Search) {
        if (QFileInfo(folder).isDir()) {
            found = folder;
            break;
        }
    }
    const QString beside = folders.Search.value(0);
    if (found.isEmpty()) {
        result.Error = QStringLiteral("Cannot find the emulator preview folder: it belongs "
                                      "beside the program (%1) or in your data folder (%2)")
                           .arg(beside, folders.UserFolder);
        return result;
    }
    result.Script = QDir(found).filePath(Text(target->Script));

    // The picture goes beside the script when it can; a system install's folder is not
    // the user's to write, so then it goes into the user's own folder.
    const PictureFormat* format = FindFormat(Text(target->Extension));
    QString pictureFolder = found;
    result.PictureFile = QDir(found).filePath(Text(target->PictureFile));
    if (!QFileInfo(found).isWritable() ||
        !SavePictureFile(result.PictureFile, *format, picture).isEmpty()) {
        pictureFolder = folders.UserFolder;
        result.PictureFile = QDir(pictureFolder).filePath(Text(target->PictureFile));
        QDir().mkpath(pictureFolder);
        result.Error = SavePictureFile(result.PictureFile, *format, picture);
        if (!result.Error.isEmpty()) {
            result.Error += QStringLiteral(" (%1 cannot be written either)").arg(found);
            return result;
        }
    }

    // The scripts find the picture by its plain name when given none, so its folder is
    // made current; it is not changed back afterwards.
    QDir::setCurrent(pictureFolder);
    if (!QFileInfo(result.Script).exists()) {
        result.Error = QStringLiteral("Cannot start %1: No such file").arg(result.Script);
        return result;
    }
    if (!QProcess::startDetached(result.Script, {result.PictureFile}, pictureFolder)) {
        result.Error = QStringLiteral("Cannot start %1: it could not be run (is it executable?)")
                           .arg(result.Script);
        return result;
    }
    result.Started = true;
    return result;
}
