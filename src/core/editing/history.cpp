// SPDX-License-Identifier: GPL-3.0-or-later
// Differences are kept per pixel row of a byte column: its two pixel bytes and two
// attribute cells, 6 bytes behind a 2-byte index. A stroke changes a few dozen of the
// 6144, so an entry is usually a few hundred bytes instead of 36 KiB.
#include "editing/history.h"

#include "picture/colour.h"

#include <cstring>

namespace {

constexpr size_t kRecordSize = 8;
constexpr size_t kPlanesSize = sizeof(PicturePlanes);
constexpr uint8_t kCells = 0, kWhole = 1;

// What turns `from` into `to`.
std::vector<uint8_t> Difference(const MgsImage& from, const MgsImage& to) {
    std::vector<uint8_t> out{kCells};
    for (int i = 0; i < kPlaneSize; ++i) {
        if (from.PixelPlane[0][i] == to.PixelPlane[0][i] &&
            from.PixelPlane[1][i] == to.PixelPlane[1][i] &&
            from.AttrPlane[0][i] == to.AttrPlane[0][i] &&
            from.AttrPlane[1][i] == to.AttrPlane[1][i])
            continue;
        if (out.size() + kRecordSize > kPlanesSize + 1)
            break;
        const uint8_t record[kRecordSize] = {static_cast<uint8_t>(i & 0xFF),
                                             static_cast<uint8_t>(i >> 8),
                                             to.PixelPlane[0][i],
                                             to.PixelPlane[1][i],
                                             to.AttrPlane[0][i].paper,
                                             to.AttrPlane[0][i].ink,
                                             to.AttrPlane[1][i].paper,
                                             to.AttrPlane[1][i].ink};
        out.insert(out.end(), record, record + kRecordSize);
    }
    if (out.size() + kRecordSize > kPlanesSize + 1) {
        out.assign(1 + kPlanesSize, kWhole);
        std::memcpy(out.data() + 1, static_cast<const PicturePlanes*>(&to), kPlanesSize);
    }
    out.push_back(to.CharHeight);
    out.push_back(to.BorderPair[0]);
    out.push_back(to.BorderPair[1]);
    return out;
}

void Apply(const std::vector<uint8_t>& back, MgsImage& picture) {
    if (back.size() < 4)
        return;
    const size_t end = back.size() - 3;
    if (back[0] == kWhole) {
        std::memcpy(static_cast<PicturePlanes*>(&picture), back.data() + 1, kPlanesSize);
    } else {
        for (size_t at = 1; at + kRecordSize <= end; at += kRecordSize) {
            const uint8_t* r = back.data() + at;
            const int i = r[0] | (r[1] << 8);
            picture.PixelPlane[0][i] = r[2];
            picture.PixelPlane[1][i] = r[3];
            picture.AttrPlane[0][i] = {r[4], r[5]};
            picture.AttrPlane[1][i] = {r[6], r[7]};
        }
    }
    picture.CharHeight = back[end];
    picture.BorderPair = {back[end + 1], back[end + 2]};
}

// Every entry is counted with a thumbnail, made or not, so that showing them all never
// passes the cap.
constexpr size_t kThumbnailBytes = (kPictureWidth / 4) * (kPictureHeight / 4) * 4;

size_t EntryBytes(const HistoryEntry& entry) {
    return entry.Back.capacity() + kThumbnailBytes +
           static_cast<size_t>(entry.Name.capacity()) * sizeof(QChar) + sizeof(HistoryEntry);
}

} // namespace

void UndoHistory::Clear() {
    entries_.clear();
    open_ = false;
    position_ = -1;
    bytes_ = 0;
    ++serial_;
}

void UndoHistory::BeginEdit(const QString& name, const QDateTime& time, const MgsImage& before) {
    if (open_)
        Settle(before);
    previous_ = entries_.empty() ? before : newest_;
    newest_ = before;
    HistoryEntry entry{name, time, {}, Difference(before, previous_)};
    bytes_ += EntryBytes(entry);
    entries_.push_back(std::move(entry));
    open_ = true;
    position_ = Count() - 1;
    ++serial_;
    Trim();
}

void UndoHistory::Refresh(const MgsImage& picture) {
    if (!open_ || entries_.empty() || picture == newest_)
        return;
    HistoryEntry& entry = entries_.back();
    bytes_ -= EntryBytes(entry);
    newest_ = picture;
    entry.Back = Difference(newest_, previous_);
    entry.Back.shrink_to_fit();
    entry.Thumbnail = {};
    bytes_ += EntryBytes(entry);
    Trim();
}

void UndoHistory::Settle(const MgsImage& picture) {
    Refresh(picture);
    open_ = false;
}

MgsImage UndoHistory::PictureAt(int index) const {
    MgsImage picture = newest_;
    for (int k = Count() - 1; k > index && k > 0; --k)
        Apply(entries_[static_cast<size_t>(k)].Back, picture);
    return picture;
}

QImage UndoHistory::Thumbnail(int index) const {
    const HistoryEntry& entry = Entry(index);
    if (entry.Thumbnail.isNull())
        entry.Thumbnail = HistoryThumbnail(PictureAt(index));
    return entry.Thumbnail;
}

void UndoHistory::SetPosition(int index) {
    if (index >= 0 && index < Count())
        position_ = index;
    ++serial_;
}

size_t UndoHistory::MemoryBytes() const {
    return bytes_ + 2 * sizeof(MgsImage);
}

void UndoHistory::Trim() {
    // The oldest entry's Back leads to a picture no entry holds any more, so it goes too.
    while (Count() > 1 && (Count() > kMaxEntries || MemoryBytes() > kMaxBytes)) {
        bytes_ -= EntryBytes(entries_.front());
        entries_.pop_front();
        --position_;
        HistoryEntry& oldest = entries_.front();
        bytes_ -= EntryBytes(oldest);
        oldest.Back = {};
        bytes_ += EntryBytes(oldest);
    }
    if (position_ < 0 && !entries_.empty())
        position_ = 0;
}

QImage HistoryThumbnail(const MgsImage& picture) {
    // Sums of 16 channel values fit in 21 bits, so one 64-bit add sums all three.
    const auto pack = [](Rgb c) {
        return (uint64_t(RedOf(c)) << 42) | (uint64_t(GreenOf(c)) << 21) | uint64_t(BlueOf(c));
    };
    constexpr uint64_t kMask = (uint64_t{1} << 21) - 1;
    QImage thumbnail(kPictureWidth / 4, kPictureHeight / 4, QImage::Format_RGB32);
    const int charHeight = SafeCharHeight(picture);
    for (int ty = 0; ty < thumbnail.height(); ++ty) {
        uint64_t sums[kPictureWidth / 4] = {};
        for (int y = 4 * ty; y < 4 * ty + 4; ++y)
            for (int c = 0; c < kByteColumns; ++c) {
                const int a = PlaneIndex(c, EffectiveAttrRow(charHeight, y, c));
                const CharColours colours =
                    CharPalette(picture.AttrPlane[0][a], picture.AttrPlane[1][a]);
                const uint64_t packed[4] = {pack(colours[0]), pack(colours[1]), pack(colours[2]),
                                            pack(colours[3])};
                const unsigned b0 = picture.PixelPlane[0][PlaneIndex(c, y)];
                const unsigned b1 = picture.PixelPlane[1][PlaneIndex(c, y)];
                for (int k = 0; k < 8; ++k)
                    sums[2 * c + k / 4] +=
                        packed[((b0 >> (7 - k)) & 1u) * 2 + ((b1 >> (7 - k)) & 1u)];
            }
        auto* line = reinterpret_cast<Rgb*>(thumbnail.scanLine(ty));
        for (int tx = 0; tx < thumbnail.width(); ++tx)
            line[tx] = MakeRgb(int(sums[tx] >> 42) / 16, int((sums[tx] >> 21) & kMask) / 16,
                               int(sums[tx] & kMask) / 16);
    }
    return thumbnail;
}
