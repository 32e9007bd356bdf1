// SPDX-License-Identifier: GPL-3.0-or-later
// The file layer over the format table: reads and writes whole picture files, turning
// every failure into a text that names the file. Loads are all or nothing; saves go
// through WriteFileBytes so that a failed save leaves the previous file as it was.
#pragma once

#include "formats/file_io.h"
#include "formats/picture_formats.h"
#include "picture/mgs_image.h"

#include <QByteArray>
#include <QString>

enum class LoadStatus : uint8_t {
    Loaded,
    NotHandled,  // no reader for this extension: nothing opened, nothing to report
    FileError,   // missing, unreadable or too short: show Error; a drop stops here
    FormatError, // "Error file format: <path>": show Error; a drop goes on with the next file
};

struct LoadResult {
    LoadStatus Status = LoadStatus::NotHandled;
    // The loaded picture when Loaded; otherwise an unchanged copy of the current one, so
    // that assigning it back is always harmless.
    MgsImage Picture;
    QString Error;                         // the message to show, empty when Loaded
    const PictureFormat* Format = nullptr; // the row that read the file
    ReadResult Read;                       // what the reader found (variant, border)
    QString Extension;                     // FileExtension of the path

    bool Loaded() const { return Status == LoadStatus::Loaded; }
    // After a load: name the file (CurrentFileName := path, CurrentFileExt := Extension,
    // title) only for .mgs and MG files; every load resets the zoom to level 1.
    bool SetsCurrentFile() const { return Loaded() && Format->LoadSetsCurrentFile; }
    bool ResetsZoom() const { return Loaded() && Format->ResetsZoom; }
};

// The bytes of a regular file, or a message naming it. At most kLongestPictureFile bytes
// are read: no format looks further, so a huge file costs no more than a small one.
FileBytes ReadPictureBytes(const QString& path);

// The message for a reader's failure on `path`; empty for Ok.
QString ReadErrorText(const ReadResult& read, const QString& path, const PictureFormat& format,
                      qsizetype size);

// Reads `path` with the given format's reader, whatever the path's extension (the import
// menu items choose the format). `current` seeds the staging copy and is what Picture
// holds when the load fails.
LoadResult LoadPictureFile(const QString& path, const PictureFormat& format,
                           const MgsImage& current);

// Opening by name, by drop and from the command line: the extension alone chooses the
// reader, whatever its letter case (PIC.SCR is a .scr file). An unknown extension gives
// NotHandled with no message.
LoadResult OpenByName(const QString& path, const MgsImage& current);

// Writes `picture` with the format's writer. Returns an empty text on success, else a
// message naming the file; the previous file is then untouched.
QString SavePictureFile(const QString& path, const PictureFormat& format, const MgsImage& picture);

struct SaveResult {
    QString Path;  // the name chosen, with EnsureExtension applied
    QString Error; // empty when saved
    // Name the file (CurrentFileName := Path, CurrentFileExt, title): the native save
    // only, and only once the file is safely written.
    bool SetsCurrentFile = false;
    bool Saved() const { return Error.isEmpty(); }
};
// The save and export menu items: the name from the save dialog gets the format's
// extension by EnsureExtension, then the picture is written.
SaveResult SavePictureAs(const QString& chosenName, const PictureFormat& format,
                         const MgsImage& picture);
