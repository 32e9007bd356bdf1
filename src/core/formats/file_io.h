// SPDX-License-Identifier: GPL-3.0-or-later
// How the program touches files: names kept byte for byte, reads of regular files that can
// never block, and writes that replace a file only once its new content is safely on disk.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <span>

// File names are bytes. A name that is valid UTF-8 decodes as such; every byte that is not
// part of a valid sequence becomes the lone surrogate U+DC80..U+DCFF, which EncodeFileName
// turns back into that byte, so any name round-trips exactly. (Qt's own decoding replaces
// such bytes with U+FFFD and loses them.)
QString DecodeFileName(QByteArrayView bytes);
QByteArray EncodeFileName(const QString& name);

// `name` made absolute against the current folder, as text: no decoding on the way.
QString AbsoluteFileName(const QString& name);

// Qt's widgets (file dialogs) list names with U+FFFD in place of bytes that are not UTF-8.
// When `path` names nothing, each part holding U+FFFD is matched against the raw entries of
// its folder; a single match gives the real name. Anything else comes back unchanged.
QString ResolveListedName(const QString& path);

struct FileBytes {
    QByteArray Bytes;
    QString Error;      // "Cannot open <path>: <reason>" and the like; empty on success
    qint64 Size = 0;    // the whole file's size, which may exceed what was read
    bool Found = false; // the name exists (Error may still say it is no regular file)
};
// Reads up to `limit` bytes of a regular file. The file is opened without blocking, so a
// FIFO, a device or a socket (or a link to one) gives an error instead of a hang.
FileBytes ReadRegularFile(const QString& path, qint64 limit);

struct FileWrite {
    QString Path;
    QByteArray Bytes;
};
// Writes every file under a temporary name in its folder, checking each write, the flush
// to disk and the close, and renames them into place only when all are complete: either
// every file is replaced or none is, and on failure no temporary file is left. An existing
// file keeps its permission bits (and, when running as root, its owner and group); a name
// that is a link has the file it names replaced, so the link stays. Only regular files or
// new names are written. Returns an empty text on success, else "Cannot write <path>:
// <the system's reason>".
QString WriteFilesAtomically(std::span<const FileWrite> files);
QString WriteFileBytes(const QString& path, const QByteArray& bytes);
