// SPDX-License-Identifier: GPL-3.0-or-later
// The editor's side of crash recovery: every 30 seconds, while the picture has unsaved
// changes, it is written to this copy's recovery file (once per change); at start the files
// left by copies no longer running are offered back.
#pragma once

#include "formats/recovery_file.h"

#include <QObject>

#include <functional>
#include <optional>

class QTimer;
class QWidget;
class UserDialogs;

class RecoveryKeeper : public QObject {
    Q_OBJECT
public:
    static constexpr int kIntervalMs = 30000;
    // The picture and its file name while there are unsaved changes, else none.
    using UnsavedPicture = std::function<std::optional<RecoveryData>()>;
    RecoveryKeeper(UnsavedPicture unsaved, QObject* parent);

    // The timer's work: writes a picture that changed since the last write, removes the
    // file when nothing is unsaved any more.
    void Tick();
    // A save or Discard: nothing of this picture needs recovering.
    void Forget();
    // Asks about each file left by a copy no longer running, newest first: Restore hands it
    // to `restore` (and ends the questions; the rest wait for a later start), Discard
    // removes it, Later keeps it.
    void OfferLeft(QWidget* parent, UserDialogs& dialogs,
                   const std::function<void(const RecoveryData&)>& restore);
    const RecoveryStore& Store() const { return store_; }

signals:
    // A write failed; the text says why. Sent once for each new reason.
    void WriteFailed(const QString& error);

private:
    RecoveryStore store_;
    UnsavedPicture unsaved_;
    std::optional<RecoveryData> written_;
    QString lastError_;
    QTimer* timer_;
};
