// SPDX-License-Identifier: GPL-3.0-or-later
// The recovery timer and the start-up question.
#include "shell/recovery_keeper.h"

#include "shell/user_dialogs.h"

#include <QTimer>

RecoveryKeeper::RecoveryKeeper(UnsavedPicture unsaved, QObject* parent)
    : QObject(parent), unsaved_(std::move(unsaved)), timer_(new QTimer(this)) {
    timer_->setInterval(kIntervalMs);
    connect(timer_, &QTimer::timeout, this, &RecoveryKeeper::Tick);
    timer_->start();
}

void RecoveryKeeper::Tick() {
    const std::optional<RecoveryData> unsaved = unsaved_();
    if (!unsaved) {
        Forget();
        return;
    }
    if (unsaved == written_)
        return;
    const QString error = store_.Write(*unsaved);
    if (error.isEmpty()) {
        written_ = unsaved;
        lastError_.clear();
    } else if (error != lastError_) {
        lastError_ = error;
        emit WriteFailed(error);
    }
}

void RecoveryKeeper::Forget() {
    store_.Remove();
    written_.reset();
}

void RecoveryKeeper::OfferLeft(QWidget* parent, UserDialogs& dialogs,
                               const std::function<void(const RecoveryData&)>& restore) {
    std::vector<LeftRecovery> left = store_.ClaimLeft();
    for (LeftRecovery& file : left) {
        switch (dialogs.AskRestore(parent, file.Data().FileName, file.Written())) {
        case RestoreAnswer::Restore:
            restore(file.Data());
            Tick(); // this copy keeps it from now on, before the old file goes
            file.Discard();
            return;
        case RestoreAnswer::Discard:
            file.Discard();
            break;
        case RestoreAnswer::Later:
            break;
        }
    }
}
