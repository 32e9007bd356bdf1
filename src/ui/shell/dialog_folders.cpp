// SPDX-License-Identifier: GPL-3.0-or-later
// The dialogs' folder in section "dialogs" of tilesmith.ini, written through the same
// updater as the window positions.
#include "shell/dialog_folders.h"

#include "formats/ini_text.h"
#include "formats/picture_file.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace {
const QString kSection = QStringLiteral("dialogs");
const QString kKey = QStringLiteral("folder");
} // namespace

QString ReadDialogFolder(const QString& settingsPath) {
    // Only a regular settings file of a sane size is read: a FIFO would block the start.
    const FileBytes file = ReadRegularFile(settingsPath, kMaxIniFileSize);
    if (file.Error.isEmpty() && file.Size <= kMaxIniFileSize) {
        const QString folder = IniValue(file.Bytes, kSection, kKey).value_or(QString());
        if (!folder.isEmpty() && QFileInfo(folder).isDir())
            return folder;
    }
    return QDir::homePath();
}

QString WriteDialogFolder(const QString& settingsPath, const QString& folder) {
    const QString failure = QStringLiteral("Unable to write to %1").arg(settingsPath);
    // A line break would end the value and start a line of its own.
    if (folder.contains(QLatin1Char('\n')) || folder.contains(QLatin1Char('\r')))
        return failure;
    if (!QDir().mkpath(QFileInfo(settingsPath).absolutePath()))
        return failure;
    // The rest of the file keeps its bytes.
    const QString reason = UpdateIniFile(settingsPath, kSection, {{kKey, folder}});
    return reason.isEmpty() ? QString() : failure + QStringLiteral(": ") + reason;
}

bool FileMatchesFilter(const QString& fileName, const QString& filter) {
    const qsizetype open = filter.lastIndexOf(QLatin1Char('('));
    const qsizetype close = filter.lastIndexOf(QLatin1Char(')'));
    if (open < 0 || close < open)
        return false;
    const QStringList patterns =
        filter.mid(open + 1, close - open - 1).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const QString name = QFileInfo(fileName).fileName();
    for (const QString& pattern : patterns) {
        const QRegularExpression re(QRegularExpression::wildcardToRegularExpression(pattern),
                                    QRegularExpression::CaseInsensitiveOption);
        if (re.match(name).hasMatch())
            return true;
    }
    return false;
}
