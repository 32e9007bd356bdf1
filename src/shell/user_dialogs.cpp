// SPDX-License-Identifier: GPL-3.0-or-later
// The platform's own dialogs.
#include "shell/user_dialogs.h"

#include "shell/dialog_folders.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>

namespace {

const QString kTitle = QStringLiteral("tileSmith");

// A new dialog each time, started in the folder last used (or that of the last file).
// The last name is filled in only when it is of the
// dialog's type: an export to .img must not offer to overwrite the picture's .mgs.
QString RunFileDialog(QWidget* parent, const QString& filter, const FileDialogMemory& memory,
                      QFileDialog::AcceptMode mode) {
    QFileDialog dialog(parent, kTitle);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    // No default suffix: the commands add their extension themselves, and the question
    // about replacing a file concerns the name as chosen.
    dialog.setNameFilter(filter);
    const QFileInfo last(memory.FileName);
    const QString folder = memory.InitialDir.isEmpty() ? last.absolutePath() : memory.InitialDir;
    if (!folder.isEmpty())
        dialog.setDirectory(folder);
    if (!memory.FileName.isEmpty() && last.absolutePath() == QFileInfo(folder).absoluteFilePath() &&
        FileMatchesFilter(last.fileName(), filter))
        dialog.selectFile(last.fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace

QString UserDialogs::ChooseOpenFile(QWidget*, const QString&, const FileDialogMemory&) {
    return {};
}

QString UserDialogs::ChooseSaveFile(QWidget*, const QString&, const FileDialogMemory&) {
    return {};
}

SaveChangesAnswer UserDialogs::AskSaveChanges(QWidget*, const QString&) {
    return SaveChangesAnswer::Discard;
}

int UserDialogs::ChooseItem(QWidget*, const QString&, const QStringList&) {
    return 0;
}

int QtUserDialogs::ChooseItem(QWidget* parent, const QString& label, const QStringList& items) {
    bool ok = false;
    const QString item = QInputDialog::getItem(parent, kTitle, label, items, 0, false, &ok);
    return ok ? static_cast<int>(items.indexOf(item)) : -1;
}

void QtUserDialogs::ShowError(QWidget* parent, const QString& text) {
    QMessageBox::critical(parent, kTitle, text);
}

QString QtUserDialogs::ChooseOpenFile(QWidget* parent, const QString& filter,
                                      const FileDialogMemory& memory) {
    return RunFileDialog(parent, filter, memory, QFileDialog::AcceptOpen);
}

QString QtUserDialogs::ChooseSaveFile(QWidget* parent, const QString& filter,
                                      const FileDialogMemory& memory) {
    return RunFileDialog(parent, filter, memory, QFileDialog::AcceptSave);
}

SaveChangesAnswer QtUserDialogs::AskSaveChanges(QWidget* parent, const QString& fileName) {
    const QString text =
        fileName.isEmpty()
            ? QStringLiteral("The picture has changes that were never saved. Save them before "
                             "closing?")
            : QStringLiteral("The picture has changes that were never saved to %1. Save them "
                             "before closing?")
                  .arg(fileName);
    const auto answer = QMessageBox::question(
        parent, kTitle, text, QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
        QMessageBox::Save);
    if (answer == QMessageBox::Save)
        return SaveChangesAnswer::Save;
    if (answer == QMessageBox::Discard)
        return SaveChangesAnswer::Discard;
    return SaveChangesAnswer::Cancel;
}
