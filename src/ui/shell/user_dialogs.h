// SPDX-License-Identifier: GPL-3.0-or-later
// Message boxes and file dialogs behind a small interface, so that tests can answer them
// without a person.
#pragma once

#include <QDateTime>
#include <QString>

class QWidget;

// What the shared open dialog (OpenDialog1) and save dialog (SaveDialog1) keep between
// uses: the last file name, a full path, and the folder to start in (the one last used).
struct FileDialogMemory {
    QString FileName;
    QString InitialDir;
};

enum class SaveChangesAnswer { Save, Discard, Cancel };
enum class RestoreAnswer { Restore, Discard, Later };

class UserDialogs {
public:
    virtual ~UserDialogs() = default;
    // A modal message box with an OK button.
    virtual void ShowError(QWidget* parent, const QString& text) = 0;

    // The defaults below suit a fake that answers nothing: the file dialogs are cancelled
    // and the question on close discards.

    // The open dialog with a filter in Qt's form ("*.mgs (*.mgs)"), starting from
    // `memory`. Returns the chosen path, or an empty text on Cancel.
    virtual QString ChooseOpenFile(QWidget* parent, const QString& filter,
                                   const FileDialogMemory& memory);
    // The save dialog. Returns the chosen name, or empty on Cancel. It does not ask about
    // replacing a file: the caller asks about the names it will really write, once its
    // extension is added.
    virtual QString ChooseSaveFile(QWidget* parent, const QString& filter,
                                   const FileDialogMemory& memory);
    // Replacing a file, writing a picture that differs from the one shown, and the like:
    // true for Yes. The fake's default is Yes.
    virtual bool AskYesNo(QWidget* parent, const QString& question);
    // The picture has changes never saved and is about to be closed or replaced.
    // `fileName` is the current file, empty when the picture was never saved or loaded by
    // name.
    virtual SaveChangesAnswer AskSaveChanges(QWidget* parent, const QString& fileName);
    // At start: unsaved changes kept by a copy that did not end properly. `fileName` is
    // their file, empty for a picture never saved. The fake keeps them for later.
    virtual RestoreAnswer AskRestore(QWidget* parent, const QString& fileName,
                                     const QDateTime& written);
    // One of `items`, by its index; -1 on Cancel. The default answers the first.
    virtual int ChooseItem(QWidget* parent, const QString& label, const QStringList& items);
};

// The real dialogs.
class QtUserDialogs : public UserDialogs {
public:
    void ShowError(QWidget* parent, const QString& text) override;
    QString ChooseOpenFile(QWidget* parent, const QString& filter,
                           const FileDialogMemory& memory) override;
    QString ChooseSaveFile(QWidget* parent, const QString& filter,
                           const FileDialogMemory& memory) override;
    bool AskYesNo(QWidget* parent, const QString& question) override;
    SaveChangesAnswer AskSaveChanges(QWidget* parent, const QString& fileName) override;
    RestoreAnswer AskRestore(QWidget* parent, const QString& fileName,
                             const QDateTime& written) override;
    int ChooseItem(QWidget* parent, const QString& label, const QStringList& items) override;
};
