// SPDX-License-Identifier: GPL-3.0-or-later
// Save selection: the selected cells as raw pixel and attribute bytes of both screens, one
// file each, and a small INI file saying where the block was and how its rows are ordered.
#pragma once

#include "editing/selection.h"
#include "picture/mgs_image.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>

enum class SelectionPixMode : uint8_t {
    Linear = 0,   // pixel rows top to bottom
    AsScreen = 1, // memory line L holds the pixel row the Spectrum shows there
};

// The five files written for the name chosen in the save dialog: its base (the name
// without its extension) + "_selection.ini", "_pix_0.bin", "_pix_1.bin", "_attr_0.bin",
// "_attr_1.bin". The chosen name itself is never written.
struct SelectionFileNames {
    QString Ini;
    std::array<QString, 2> Pix;
    std::array<QString, 2> Attr;
};
SelectionFileNames SelectionFiles(const QString& chosenName);

// Whether `rect` lies wholly inside the picture at `charHeight` and is not empty.
bool IsRectInPicture(const CellRect& rect, int charHeight);

struct SelectionData {
    std::array<QByteArray, 2> Pix;  // w x h x CharHeight bytes: for each line, each column
    std::array<QByteArray, 2> Attr; // w x h Spectrum attribute bytes, row by row
};
// `rect` must lie inside the picture (IsRectInPicture) and the picture be valid. In
// as-screen mode the line index is mapped as it stands: only whole thirds of the screen
// reorder among themselves, other selections pick up rows from outside.
SelectionData SelectionBytes(const MgsImage& picture, const CellRect& rect, SelectionPixMode mode);

// The INI text with the section "tileSmithSelection" holding its seven keys, in order:
// x, y, width, height, MGS_VertSize, pixMode, pixModeString. `existing` is the file's
// current text (empty for a new file): its other sections and keys stay, and a key
// already in the section keeps its place with the new value. Names compare as the
// platform's profile files do, ignoring case; every other byte of `existing` stays.
QByteArray SelectionIniBytes(const QByteArray& existing, const CellRect& rect, int charHeight,
                             SelectionPixMode mode);

// Writes the five files all or nothing: each under a temporary name, renamed into place
// only when all are complete. Returns an empty text on success, else a message naming the
// file; then none of the five was replaced or created. A rectangle outside the picture
// writes nothing.
QString SaveSelection(const MgsImage& picture, const CellRect& rect, SelectionPixMode mode,
                      const QString& chosenName);
