// SPDX-License-Identifier: GPL-3.0-or-later
// The window positions kept in tilesmith.ini, section "positions": the picture window's
// bounds and state and the positions of six floating windows.
#pragma once

#include <QPoint>
#include <QRect>
#include <QString>

// Window-system coordinates are 16-bit; positions and sizes from the file are held inside
// that range so that an odd file cannot make a window impossibly large or far away.
inline constexpr int kMaxWindowCoordinate = 32767;
inline constexpr int kMinPictureWidth = 524;
inline constexpr int kMinPictureHeight = 414;

struct WindowPositions {
    QRect picture{0, 40, 1033, 794};
    bool pictureFree = false; // "picture_align": 0 maximised, anything else free
    QPoint palette{3, 43};
    QPoint borderPalette{345, 43};
    QPoint preview{3, 43};
    QPoint zoomPreview{495, 43};
    QPoint corrector{3, 43};
    QPoint history{700, 43};
    friend bool operator==(const WindowPositions&, const WindowPositions&) = default;
};

// tilesmith.ini in the program's folder when that folder is writable (a portable install);
// otherwise in the user's configuration folder.
QString SettingsFilePath(const QString& programDir);

// Why the settings file at `path` is not read, for the status bar: it is not a regular file
// (a FIFO would block the start), cannot be opened, or is larger than kMaxIniFileSize.
// Empty when it is fine or missing.
QString SettingsFileProblem(const QString& path);

// Every key that is missing or not an integer takes its default; a missing or unreadable
// file, or one with a SettingsFileProblem, gives all defaults. Positions are limited to the window
// system's range and the picture window's size to at least its minimum. Never fails.
WindowPositions ReadWindowPositions(const QString& path);

// Writes the seventeen keys into section "positions" in their order, keeping every other
// section and key byte for byte. Returns an empty string, or "Unable to write to <path>:
// <reason>"; a failed write leaves the old file as it was.
QString WriteWindowPositions(const QString& path, const WindowPositions& positions);

// Where a window at `bounds` goes so that its title bar (the top `titleHeight` pixels) is
// not wholly outside `area`: unchanged when some of the title bar lies inside, otherwise
// moved by the least distance that puts a grip of it back (the whole title bar height
// and at least `grip` pixels of its width).
QPoint TitleBarOnScreen(const QRect& bounds, int titleHeight, const QRect& area, int grip = 48);
