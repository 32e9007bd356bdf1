// SPDX-License-Identifier: GPL-3.0-or-later
// The undo history: every edit that takes the undo copy leaves an entry with its name, its
// time and the picture after it. Only the newest picture is kept whole; every entry keeps
// what turns its picture back into the one before it, as changed cells or, when that is
// smaller, the whole picture. The one-level swap of Ctrl+Z stays as it is beside it.
#pragma once

#include "picture/mgs_image.h"

#include <QDateTime>
#include <QImage>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

struct HistoryEntry {
    QString Name; // the command as the user knows it: "Pencil", "Paste", ...
    QDateTime Time;
    // 64 x 48, the mixed picture after the edit; made when first asked for.
    mutable QImage Thumbnail;
    // Turns this entry's picture into the previous entry's: records of a pixel-row index
    // and its six bytes, or one whole copy of the planes; then CharHeight and BorderPair.
    std::vector<uint8_t> Back;
};

class UndoHistory {
public:
    static constexpr int kMinEntries = 256;
    static constexpr int kMaxEntries = 1024;
    static constexpr size_t kMaxBytes = size_t{32} << 20;

    // New and every load: no entries.
    void Clear();

    // An edit called `name` has taken the undo copy; `before` is the picture as it was just
    // before it. The previous edit's entry is settled with `before`, and a new entry opens
    // that follows the picture until the next edit, undo or jump settles it.
    void BeginEdit(const QString& name, const QDateTime& time, const MgsImage& before);
    // Brings the open entry up to `picture` (its picture and thumbnail); it stays open.
    void Refresh(const MgsImage& picture);
    // As Refresh, then closes the entry: later changes belong to no entry until the next edit.
    void Settle(const MgsImage& picture);

    int Count() const { return static_cast<int>(entries_.size()); }
    // 0 is the oldest entry kept, Count() - 1 the newest.
    const HistoryEntry& Entry(int index) const { return entries_[static_cast<size_t>(index)]; }
    // The picture after entry `index`, as of the last Refresh or Settle, and its thumbnail.
    MgsImage PictureAt(int index) const;
    QImage Thumbnail(int index) const;
    // The entry the picture was last set from: the newest after an edit, or the one a jump
    // went to; -1 when empty.
    int Position() const { return position_; }
    void SetPosition(int index);

    // Counts the edits begun and the jumps, so that a view can tell when to rebuild.
    uint64_t Serial() const { return serial_; }

    // What the history holds, its two whole pictures included.
    size_t MemoryBytes() const;

private:
    void Trim();

    std::deque<HistoryEntry> entries_;
    MgsImage newest_;   // the newest entry's picture
    MgsImage previous_; // the picture before it, which its Back leads to
    bool open_ = false;
    int position_ = -1;
    size_t bytes_ = 0; // of the entries' Back and thumbnails
    uint64_t serial_ = 0;
};

// The 64 x 48 picture of the history window: every 4 x 4 block of the mixed picture
// averaged.
QImage HistoryThumbnail(const MgsImage& picture);
