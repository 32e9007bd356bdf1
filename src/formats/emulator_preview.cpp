// SPDX-License-Identifier: GPL-3.0-or-later
// Writing the preview picture and starting the preview script.
#include "formats/emulator_preview.h"

#include "formats/picture_file.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

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

PreviewResult PreviewInEmulator(const MgsImage& picture, const QString& programDir) {
    PreviewResult result;
    const PreviewTarget* target = FindPreviewTarget(picture.CharHeight);
    if (target == nullptr)
        return result;
    const QString folder = QDir(programDir).filePath(Text(kPreviewFolder));
    const QDir previewDir(folder);
    result.PictureFile = previewDir.filePath(Text(target->PictureFile));
    result.Script = previewDir.filePath(Text(target->Script));

    const PictureFormat* format = FindFormat(Text(target->Extension));
    result.Error = SavePictureFile(result.PictureFile, *format, picture);
    if (!result.Error.isEmpty())
        return result;

    // The script finds the picture by its plain name, so the folder is made current; it is
    // not changed back afterwards.
    QDir::setCurrent(folder);
    const QFileInfo script(result.Script);
    if (!script.exists()) {
        result.Error = QStringLiteral("Cannot start %1: No such file").arg(result.Script);
        return result;
    }
    if (!QProcess::startDetached(result.Script, {}, folder)) {
        result.Error = QStringLiteral("Cannot start %1: it could not be run (is it executable?)")
                           .arg(result.Script);
        return result;
    }
    result.Started = true;
    return result;
}
