// SPDX-License-Identifier: GPL-3.0-or-later
// Message boxes and file dialogs behind a small interface, so that tests can answer them
// without a person.
#pragma once

#include <QString>

class QWidget;

// What the shared open dialog (OpenDialog1) and save dialog (SaveDialog1) keep between
// uses: the last file name, a full path, and the folder to start in (the one last used).
struct FileDialogMemory {
    QString FileName;
    QString InitialDir;
};

enum class SaveChangesAnswer { Save, Discard, Cancel };

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
    // The save dialog. It asks before replacing an existing file, about the name as chosen
    // (before the caller adds any extension). Returns the chosen name, or empty on Cancel.
    virtual QString ChooseSaveFile(QWidget* parent, const QString& filter,
                                   const FileDialogMemory& memory);
    // Closing while the picture has changes never saved. `fileName` is the current file,
    // empty when the picture was never saved or loaded by name.
    virtual SaveChangesAnswer AskSaveChanges(QWidget* parent, const QString& fileName);
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
    SaveChangesAnswer AskSaveChanges(QWidget* parent, const QString& fileName) override;
    int ChooseItem(QWidget* parent, const QString& label, const QStringList& items) override;
};
