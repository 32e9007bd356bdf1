// SPDX-License-Identifier: GPL-3.0-or-later
// File access through the system calls themselves: Qt's file classes take names through a
// decoding that loses bytes, open FIFOs blocking, and QSaveFile does not report a failed
// final flush nor keep owners.
#include "formats/file_io.h"

#include <QDir>
#include <QFile>
#include <QStringList>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

QString SystemReason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

QString CannotWrite(const QString& path, const QString& reason) {
    return QStringLiteral("Cannot write %1: %2").arg(path, reason);
}

// The length of the valid UTF-8 sequence at `p` (shortest form, no surrogates, at most
// U+10FFFF), or 0.
int Utf8SequenceLength(const unsigned char* p, qsizetype left) {
    const unsigned char b = p[0];
    int length = 0;
    uint32_t code = 0;
    if (b < 0x80)
        return 1;
    if (b >= 0xC2 && b <= 0xDF) {
        length = 2;
        code = b & 0x1F;
    } else if (b >= 0xE0 && b <= 0xEF) {
        length = 3;
        code = b & 0x0F;
    } else if (b >= 0xF0 && b <= 0xF4) {
        length = 4;
        code = b & 0x07;
    } else {
        return 0;
    }
    if (left < length)
        return 0;
    for (int i = 1; i < length; ++i) {
        if ((p[i] & 0xC0) != 0x80)
            return 0;
        code = code << 6 | (p[i] & 0x3F);
    }
    const bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    return overlong || surrogate || code > 0x10FFFF ? 0 : length;
}

void CloseQuietly(int fd) {
    const int saved = errno;
    ::close(fd);
    errno = saved;
}

// One file written under a temporary name, not yet renamed into place.
struct Staged {
    QByteArray Target; // the real file to replace: links followed
    QByteArray Temp;
    QByteArray Backup; // a second name of the old file while several are renamed
    bool Existed = false;
};

// The folder part of a name, "." when it has none.
QByteArray FolderOf(const QByteArray& name) {
    const qsizetype slash = name.lastIndexOf('/');
    return slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : name.left(slash);
}

int CreateTemporary(const QByteArray& target, QByteArray& temp) {
    temp = target + ".XXXXXX";
    int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0 && errno == ENAMETOOLONG) {
        // The name was already near the file system's limit: a short one in the same folder.
        temp = FolderOf(target) + "/.tilesmith-XXXXXX";
        fd = ::mkostemp(temp.data(), O_CLOEXEC);
    }
    return fd;
}

bool WriteAll(int fd, const QByteArray& bytes) {
    const char* p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, static_cast<size_t>(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = ENOSPC;
            return false;
        }
        p += n;
        left -= n;
    }
    return true;
}

// Writes `file` under a temporary name; returns an error text, or empty with `staged` set.
QString Stage(const FileWrite& file, Staged& staged) {
    const QByteArray name = EncodeFileName(file.Path);
    struct stat old {};
    if (::stat(name.constData(), &old) == 0) {
        if (!S_ISREG(old.st_mode))
            return CannotWrite(file.Path, QStringLiteral("not a regular file"));
        staged.Existed = true;
    } else if (errno != ENOENT) {
        return CannotWrite(file.Path, SystemReason(errno));
    }
    staged.Target = name;
    struct stat link {};
    if (::lstat(name.constData(), &link) == 0 && S_ISLNK(link.st_mode)) {
        char* real = ::realpath(name.constData(), nullptr);
        if (real == nullptr)
            return CannotWrite(file.Path, SystemReason(errno));
        staged.Target = real;
        std::free(real);
    }

    const int fd = CreateTemporary(staged.Target, staged.Temp);
    if (fd < 0)
        return CannotWrite(file.Path, SystemReason(errno));
    mode_t mode = 0;
    if (staged.Existed) {
        mode = old.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    // The owner first: changing it clears set-user-id bits that fchmod then restores.
    bool ok = !(staged.Existed && ::geteuid() == 0) || ::fchown(fd, old.st_uid, old.st_gid) == 0;
    ok = ok && ::fchmod(fd, mode) == 0 && WriteAll(fd, file.Bytes) && ::fsync(fd) == 0;
    if (!ok) {
        CloseQuietly(fd);
    } else if (::close(fd) != 0) {
        ok = false;
    }
    if (!ok) {
        const int error = errno;
        ::unlink(staged.Temp.constData());
        return CannotWrite(file.Path, SystemReason(error));
    }
    return {};
}

void SyncFolder(const QByteArray& target) {
    const int fd = ::open(FolderOf(target).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

QString DecodeFileName(QByteArrayView bytes) {
    QString name;
    name.reserve(bytes.size());
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    for (qsizetype i = 0; i < bytes.size();) {
        const int length = Utf8SequenceLength(p + i, bytes.size() - i);
        if (length == 0) {
            name.append(QChar(0xDC00 | p[i]));
            ++i;
        } else {
            name.append(QString::fromUtf8(reinterpret_cast<const char*>(p + i), length));
            i += length;
        }
    }
    return name;
}

QByteArray EncodeFileName(const QString& name) {
    QByteArray bytes;
    bytes.reserve(name.size());
    qsizetype from = 0; // the start of the run of ordinary text not yet encoded
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t c = name[i].unicode();
        if (c >= 0xDC80 && c <= 0xDCFF && (i == 0 || !name[i - 1].isHighSurrogate())) {
            bytes += name.mid(from, i - from).toUtf8();
            bytes += static_cast<char>(c & 0xFF);
            from = i + 1;
        }
    }
    bytes += name.mid(from).toUtf8();
    return bytes;
}

QString AbsoluteFileName(const QString& name) {
    if (name.startsWith(QLatin1Char('/')))
        return QDir::cleanPath(name);
    char* folder = ::getcwd(nullptr, 0);
    const QString current = folder ? DecodeFileName(folder) : QString();
    std::free(folder);
    return QDir::cleanPath(current + QLatin1Char('/') + name);
}

QString ResolveListedName(const QString& path) {
    if (!path.contains(QChar::ReplacementCharacter) ||
        ::access(EncodeFileName(path).constData(), F_OK) == 0)
        return path;
    const QStringList parts = path.split(QLatin1Char('/'));
    QString resolved;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        QString part = parts[i];
        if (part.contains(QChar::ReplacementCharacter)) {
            const QByteArray folder = EncodeFileName(resolved.isEmpty() ? "." : resolved);
            DIR* dir = ::opendir(folder.constData());
            int matches = 0;
            QString match;
            while (dir != nullptr) {
                const dirent* entry = ::readdir(dir);
                if (entry == nullptr)
                    break;
                if (QFile::decodeName(entry->d_name) == part) {
                    ++matches;
                    match = DecodeFileName(entry->d_name);
                }
            }
            if (dir != nullptr)
                ::closedir(dir);
            if (matches != 1)
                return path;
            part = match;
        }
        resolved += (i == 0 ? QString() : QStringLiteral("/")) + part;
    }
    return resolved;
}

FileBytes ReadRegularFile(const QString& path, qint64 limit) {
    FileBytes result;
    const int fd = ::open(EncodeFileName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    struct stat info {};
    if (fd < 0 || ::fstat(fd, &info) != 0) {
        const int error = errno;
        // A socket cannot even be opened; it is still no regular file.
        if (::stat(EncodeFileName(path).constData(), &info) == 0 && !S_ISREG(info.st_mode)) {
            result.Found = true;
            result.Error = QStringLiteral("Cannot open %1: not a regular file").arg(path);
            return result;
        }
        errno = error;
        result.Found = errno != ENOENT;
        result.Error = QStringLiteral("Cannot open %1: %2").arg(path, SystemReason(errno));
        if (fd >= 0)
            CloseQuietly(fd);
        return result;
    }
    result.Found = true;
    if (!S_ISREG(info.st_mode)) {
        ::close(fd);
        result.Error = QStringLiteral("Cannot open %1: not a regular file").arg(path);
        return result;
    }
    result.Size = info.st_size;
    result.Bytes.resize(std::min<qint64>(limit, info.st_size));
    qsizetype done = 0;
    while (done < result.Bytes.size()) {
        const ssize_t n =
            ::read(fd, result.Bytes.data() + done, static_cast<size_t>(result.Bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            result.Error = QStringLiteral("Cannot read %1: %2").arg(path, SystemReason(errno));
            break;
        }
        if (n == 0)
            break; // the file shrank meanwhile: what was there is what it holds
        done += n;
    }
    result.Bytes.truncate(done);
    ::close(fd);
    return result;
}

QString WriteFilesAtomically(std::span<const FileWrite> files) {
    std::vector<Staged> staged(files.size());
    for (size_t i = 0; i < files.size(); ++i) {
        const QString error = Stage(files[i], staged[i]);
        if (!error.isEmpty()) {
            for (size_t j = 0; j < i; ++j)
                ::unlink(staged[j].Temp.constData());
            return error;
        }
    }
    // Several files: keep a second name of each old one, so that a rename failing half way
    // can put back those already replaced.
    if (staged.size() > 1) {
        for (Staged& s : staged) {
            if (s.Existed && ::link(s.Target.constData(), (s.Temp + ".old").constData()) == 0)
                s.Backup = s.Temp + ".old";
        }
    }
    for (size_t i = 0; i < staged.size(); ++i) {
        if (::rename(staged[i].Temp.constData(), staged[i].Target.constData()) == 0)
            continue;
        const int error = errno;
        for (size_t j = 0; j < staged.size(); ++j) {
            if (j < i && !staged[j].Backup.isEmpty())
                ::rename(staged[j].Backup.constData(), staged[j].Target.constData());
            else if (j < i && !staged[j].Existed)
                ::unlink(staged[j].Target.constData());
            else if (j >= i)
                ::unlink(staged[j].Temp.constData());
            if (j >= i && !staged[j].Backup.isEmpty())
                ::unlink(staged[j].Backup.constData());
        }
        return CannotWrite(files[i].Path, SystemReason(error));
    }
    for (const Staged& s : staged) {
        if (!s.Backup.isEmpty())
            ::unlink(s.Backup.constData());
    }
    // The renames themselves reach the disk before anyone is told the files are saved.
    for (const Staged& s : staged)
        SyncFolder(s.Target);
    return {};
}

QString WriteFileBytes(const QString& path, const QByteArray& bytes) {
    const FileWrite file{path, bytes};
    return WriteFilesAtomically(std::span(&file, 1));
}
