// SPDX-License-Identifier: GPL-3.0-or-later
// The folder the open, save, import and export dialogs start in: the one last used,
// remembered across runs in the settings file, else the user's home folder.
#pragma once

#include <QString>

// The remembered folder when it still exists, else the home folder. Never the program's
// own folder, which is no place for pictures.
QString ReadDialogFolder(const QString& settingsPath);

// Remembers `folder`, keeping every other section and key of the file. Returns an empty
// text, or why the file could not be written.
QString WriteDialogFolder(const QString& settingsPath, const QString& folder);

// Whether a file name is of a dialog's type: it matches one of the patterns in the
// parentheses of the filter, ignoring case ("*.mg1/mg2 (*.mg1 *.mg2)").
bool FileMatchesFilter(const QString& fileName, const QString& filter);
