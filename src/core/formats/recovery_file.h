// SPDX-License-Identifier: GPL-3.0-or-later
// Crash recovery: a picture with unsaved changes kept in the user's state folder, so that a
// crash, a killed process or a power cut loses at most the last half minute of work.
#pragma once

#include "picture/mgs_image.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <optional>
#include <span>
#include <vector>

struct RecoveryData {
    QString FileName; // the current file; empty for a picture never saved or loaded by name
    MgsImage Picture;
    friend bool operator==(const RecoveryData&, const RecoveryData&) = default;
};

// The file: "TSMRCV01", the CharHeight (one byte), the length of the file name (4 bytes,
// little-endian, at most kMaxRecoveryName), the name's bytes, then the whole picture as a
// version-1 .mgs file.
inline constexpr qsizetype kMaxRecoveryName = 4096;
QByteArray RecoveryBytes(const RecoveryData& data);
// The data, or none for anything damaged, short or inconsistent.
std::optional<RecoveryData> ParseRecovery(std::span<const uint8_t> bytes);

// $XDG_STATE_HOME/tilesmith/recovery, by default ~/.local/state/tilesmith/recovery.
QString RecoveryFolder();

// A recovery file left by a copy that is no longer running, claimed by this copy: no other
// copy sees it while the claim lasts. Destroying it keeps the file for a later start.
class LeftRecovery {
public:
    LeftRecovery(QByteArray stem, int lockFd, RecoveryData data, QDateTime written);
    LeftRecovery(LeftRecovery&& other) noexcept;
    LeftRecovery& operator=(LeftRecovery&&) = delete;
    ~LeftRecovery();

    const RecoveryData& Data() const { return data_; }
    const QDateTime& Written() const { return written_; }
    // Removes the file; after a restore the picture lives on in this copy's own file.
    void Discard();

private:
    QByteArray stem_; // folder + "/" + id: the files are stem + ".tsr" and stem + ".lock"
    int lockFd_ = -1;
    RecoveryData data_;
    QDateTime written_;
};

// This copy's recovery file. Each running copy holds a lock on a file of its own (released
// by the system when the process ends, however it ends); a recovery file whose lock is free
// was left by a copy that is no longer running.
class RecoveryStore {
public:
    explicit RecoveryStore(QString folder = RecoveryFolder());
    // A clean exit: the file goes.
    ~RecoveryStore();
    RecoveryStore(const RecoveryStore&) = delete;
    RecoveryStore& operator=(const RecoveryStore&) = delete;

    // Writes the file atomically. Returns an empty text or why it failed.
    QString Write(const RecoveryData& data);
    // Removes this copy's file (a save, Discard, or no unsaved changes left).
    void Remove();
    bool HasFile() const { return written_; }
    QString Path() const;

    // The readable files of copies no longer running, newest first, each claimed. Damaged
    // ones are removed.
    std::vector<LeftRecovery> ClaimLeft() const;

private:
    QByteArray folder_;
    QByteArray stem_;
    int lockFd_ = -1;
    bool written_ = false;
};
