// SPDX-License-Identifier: GPL-3.0-or-later
// The platform's own dialogs.
#include "shell/user_dialogs.h"

#include "shell/dialog_folders.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>

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
    // No default suffix and no question about replacing: the commands add their extension
    // themselves and then ask about the names they will write.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
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

bool UserDialogs::AskYesNo(QWidget*, const QString&) {
    return true;
}

SaveChangesAnswer UserDialogs::AskSaveChanges(QWidget*, const QString&) {
    return SaveChangesAnswer::Discard;
}

RestoreAnswer UserDialogs::AskRestore(QWidget*, const QString&, const QDateTime&) {
    return RestoreAnswer::Later;
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

bool QtUserDialogs::AskYesNo(QWidget* parent, const QString& question) {
    return QMessageBox::question(parent, kTitle, question, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

SaveChangesAnswer QtUserDialogs::AskSaveChanges(QWidget* parent, const QString& fileName) {
    const QString text =
        fileName.isEmpty()
            ? QStringLiteral("The picture has changes that were never saved. Save them first?")
            : QStringLiteral("The picture has changes that were never saved to %1. Save them "
                             "first?")
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

RestoreAnswer QtUserDialogs::AskRestore(QWidget* parent, const QString& fileName,
                                        const QDateTime& written) {
    const QString picture = fileName.isEmpty() ? QStringLiteral("a picture never saved") : fileName;
    QMessageBox box(QMessageBox::Question, kTitle,
                    QStringLiteral("tileSmith ended without closing properly and kept unsaved "
                                   "changes to %1 (%2). Restore them?")
                        .arg(picture, QLocale().toString(written, QLocale::ShortFormat)),
                    QMessageBox::NoButton, parent);
    QPushButton* restore = box.addButton(QStringLiteral("Restore"), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(QStringLiteral("Discard"), QMessageBox::DestructiveRole);
    QPushButton* later = box.addButton(QStringLiteral("Later"), QMessageBox::RejectRole);
    box.setDefaultButton(restore);
    box.setEscapeButton(later);
    box.exec();
    if (box.clickedButton() == restore)
        return RestoreAnswer::Restore;
    return box.clickedButton() == discard ? RestoreAnswer::Discard : RestoreAnswer::Later;
}
