// SPDX-License-Identifier: GPL-3.0-or-later
// The recovery file's bytes, and the locks that tell a running copy's file from one left by
// a crash: flock() locks go with the process, so no process id can be mistaken for another.
#include "formats/recovery_file.h"

#include "formats/file_io.h"
#include "formats/picture_formats.h"

#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

constexpr char kMagic[] = "TSMRCV01";
constexpr qsizetype kMagicSize = 8;
constexpr qsizetype kHeaderSize = kMagicSize + 1 + 4;

// Creates the folder and its parents, private to the user.
bool MakeFolders(const QByteArray& folder) {
    for (qsizetype slash = folder.indexOf('/', 1);; slash = folder.indexOf('/', slash + 1)) {
        const QByteArray part = slash < 0 ? folder : folder.left(slash);
        if (::mkdir(part.constData(), 0700) != 0 && errno != EEXIST)
            return false;
        if (slash < 0)
            return true;
    }
}

// An open lock file held exclusively, or -1 when another process holds it.
int TakeLock(const QByteArray& path) {
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

void Unlink(const QByteArray& stem) {
    ::unlink((stem + ".tsr").constData());
    ::unlink((stem + ".lock").constData());
}

} // namespace

QByteArray RecoveryBytes(const RecoveryData& data) {
    const QByteArray name = EncodeFileName(data.FileName).left(kMaxRecoveryName);
    QByteArray bytes(kMagic, kMagicSize);
    bytes += static_cast<char>(data.Picture.CharHeight);
    for (int shift = 0; shift < 32; shift += 8)
        bytes += static_cast<char>((name.size() >> shift) & 0xFF);
    return bytes + name + WriteMgs(data.Picture);
}

std::optional<RecoveryData> ParseRecovery(std::span<const uint8_t> bytes) {
    if (bytes.size() < size_t(kHeaderSize) ||
        !std::equal(kMagic, kMagic + kMagicSize, bytes.begin()))
        return std::nullopt;
    uint32_t length = 0;
    for (int i = 0; i < 4; ++i)
        length |= uint32_t(bytes[kMagicSize + 1 + i]) << (8 * i);
    if (length > kMaxRecoveryName || bytes.size() < kHeaderSize + length + size_t(kMgsFileSize))
        return std::nullopt;
    RecoveryData data;
    const auto name = bytes.subspan(kHeaderSize, length);
    data.FileName = DecodeFileName(
        QByteArrayView(reinterpret_cast<const char*>(name.data()), qsizetype(name.size())));
    const ReadResult read =
        ParsePicture(*FindFormat(u".mgs"), bytes.subspan(kHeaderSize + length), data.Picture);
    // Only a whole version-1 picture whose CharHeight agrees with the header is trusted.
    if (read.Status != ReadStatus::Ok || !read.BorderRead ||
        data.Picture.CharHeight != bytes[kMagicSize])
        return std::nullopt;
    return data;
}

QString RecoveryFolder() {
    QByteArray state = qgetenv("XDG_STATE_HOME");
    if (!state.startsWith('/'))
        state = qgetenv("HOME") + "/.local/state";
    return DecodeFileName(state + "/tilesmith/recovery");
}

LeftRecovery::LeftRecovery(QByteArray stem, int lockFd, RecoveryData data, QDateTime written)
    : stem_(std::move(stem)), lockFd_(lockFd), data_(std::move(data)),
      written_(std::move(written)) {}

LeftRecovery::LeftRecovery(LeftRecovery&& other) noexcept
    : stem_(std::move(other.stem_)), lockFd_(std::exchange(other.lockFd_, -1)),
      data_(std::move(other.data_)), written_(std::move(other.written_)) {}

LeftRecovery::~LeftRecovery() {
    if (lockFd_ >= 0)
        ::close(lockFd_);
}

void LeftRecovery::Discard() {
    if (lockFd_ < 0)
        return;
    Unlink(stem_); // the lock file goes while still held, so nobody else takes it up
    ::close(lockFd_);
    lockFd_ = -1;
}

RecoveryStore::RecoveryStore(QString folder) : folder_(EncodeFileName(folder)) {
    const QString id = QStringLiteral("%1-%2")
                           .arg(::getpid())
                           .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
    stem_ = folder_ + '/' + id.toLatin1();
}

RecoveryStore::~RecoveryStore() {
    Remove();
    if (lockFd_ >= 0) {
        ::unlink((stem_ + ".lock").constData());
        ::close(lockFd_);
    }
}

QString RecoveryStore::Path() const {
    return DecodeFileName(stem_ + ".tsr");
}

QString RecoveryStore::Write(const RecoveryData& data) {
    // The lock first: from the moment the file exists, other copies see it is in use.
    if (lockFd_ < 0) {
        if (!MakeFolders(folder_))
            return QStringLiteral("Cannot create %1: %2")
                .arg(DecodeFileName(folder_), QString::fromLocal8Bit(std::strerror(errno)));
        lockFd_ = TakeLock(stem_ + ".lock");
        if (lockFd_ < 0)
            return QStringLiteral("Cannot lock %1").arg(DecodeFileName(stem_ + ".lock"));
    }
    const QString error = WriteFileBytes(Path(), RecoveryBytes(data));
    written_ = written_ || error.isEmpty();
    return error;
}

void RecoveryStore::Remove() {
    if (written_)
        ::unlink((stem_ + ".tsr").constData());
    written_ = false;
}

std::vector<LeftRecovery> RecoveryStore::ClaimLeft() const {
    std::vector<LeftRecovery> left;
    DIR* dir = ::opendir(folder_.constData());
    if (dir == nullptr)
        return left;
    std::vector<std::pair<QDateTime, QByteArray>> stems; // newest first
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        const QByteArray stem = folder_ + '/' + name.chopped(4);
        struct stat info {};
        if (name.endsWith(".tsr") && stem != stem_ &&
            ::stat((stem + ".tsr").constData(), &info) == 0)
            stems.emplace_back(QDateTime::fromSecsSinceEpoch(info.st_mtim.tv_sec), stem);
    }
    ::closedir(dir);
    std::sort(stems.begin(), stems.end(), [](const auto& a, const auto& b) { return a > b; });
    for (const auto& [written, stem] : stems) {
        const int lock = TakeLock(stem + ".lock");
        if (lock < 0)
            continue; // its copy is running, or another copy is asking about it now
        const FileBytes file =
            ReadRegularFile(DecodeFileName(stem + ".tsr"), kMaxRecoveryName + 65536);
        const auto* bytes = reinterpret_cast<const uint8_t*>(file.Bytes.constData());
        std::optional<RecoveryData> data =
            ParseRecovery(std::span(bytes, static_cast<size_t>(file.Bytes.size())));
        if (!data) {
            if (file.Found && file.Error.isEmpty())
                Unlink(stem); // damaged: nothing in it can be restored
            ::close(lock);
            continue;
        }
        left.emplace_back(stem, lock, std::move(*data), written);
    }
    return left;
}
