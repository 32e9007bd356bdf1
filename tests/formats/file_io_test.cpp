// SPDX-License-Identifier: GPL-3.0-or-later
// The file layer under every reader and writer: names kept byte for byte, special files
// refused, and saves that fail cleanly on a full or failing device and keep what the old
// file had (content, permissions, owner, links).
#include "formats/file_io.h"
#include "formats/picture_file.h"
#include "formats/selection_export.h"
#include "support/temp_folder.h"
#include "support/test_pictures.h"

#include <QDir>

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <functional>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

class FileIo : public testing::Test, public TempFolder {
protected:
    QByteArray Raw(const QByteArray& name) const { return EncodeFileName(dir.path()) + '/' + name; }
    QStringList Entries(const QString& folder = {}) const {
        return QDir(folder.isEmpty() ? dir.path() : folder)
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }
    mode_t Type(const QString& name) const {
        struct stat info {};
        return ::lstat(EncodeFileName(Path(name)).constData(), &info) == 0 ? info.st_mode & S_IFMT
                                                                           : 0;
    }
    const PictureFormat& mgs = *FindFormat(u".mgs");
    MgsImage picture = RandomPicture(4, 9);
};

TEST_F(FileIo, NamesThatAreNotUtf8AreWrittenReadAndResolvedAsTheyAre) {
    const QByteArray raw = Raw("pic \xe9\xff.mgs");
    const QString path = DecodeFileName(raw);
    ASSERT_EQ(SavePictureFile(path, mgs, picture), QString());
    EXPECT_EQ(::access(raw.constData(), F_OK), 0);
    const LoadResult load = OpenByName(path, MgsImage{});
    ASSERT_TRUE(load.Loaded()) << load.Error.toStdString();
    EXPECT_EQ(load.Picture, picture);
    // A file dialog hands back Qt's lossy decoding; the listing gives the real name back.
    EXPECT_EQ(ResolveListedName(QFile::decodeName(raw)), path);
    EXPECT_EQ(ResolveListedName(Path("new.mgs")), Path("new.mgs"));
    ::unlink(raw.constData()); // QTemporaryDir cannot remove it
}

// Every writer of the program on a device that fails part way.
struct Writer {
    const char* name;
    QString output; // the file whose old content must survive
    std::function<QString(const QString& path)> write;
};

std::vector<Writer> Writers(const MgsImage& picture) {
    return {
        {"mgs", "pic.mgs",
         [&](const QString& p) { return SavePictureFile(p, *FindFormat(u".mgs"), picture); }},
        {"selection", "s_pix_1.bin",
         [&](const QString& p) {
             return SaveSelection(picture, {0, 0, 32, 48}, SelectionPixMode::Linear,
                                  p.chopped(10) + ".bin");
         }},
    };
}

TEST_F(FileIo, AFailingWriteLeavesTheOldFileAndSaysWhy) {
    // The system refuses every byte past 4 KiB, as a full device would past its end.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    for (const Writer& writer : Writers(picture)) {
        Write(writer.output, "old");
        const QStringList before = Entries();
        rlimit small = saved;
        small.rlim_cur = 4096;
        ::setrlimit(RLIMIT_FSIZE, &small);
        const QString error = writer.write(Path(writer.output));
        ::setrlimit(RLIMIT_FSIZE, &saved);
        EXPECT_TRUE(error.endsWith(": File too large")) << writer.name << error.toStdString();
        EXPECT_EQ(Contents(writer.output), "old") << writer.name;
        EXPECT_EQ(Entries(), before) << writer.name; // no temporary file left behind
    }
}

TEST_F(FileIo, SpecialFilesAreNeitherReadNorReplaced) {
    ASSERT_EQ(::mkfifo(Raw("fifo.mgs").constData(), 0600), 0);
    const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray socketName = Raw("socket.mgs");
    if (socketName.size() < qsizetype(sizeof address.sun_path)) {
        std::memcpy(address.sun_path, socketName.constData(), socketName.size());
        ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    }
    ASSERT_EQ(::symlink("fifo.mgs", Raw("link.mgs").constData()), 0);
    // A device node of our own (the null device), never the system's.
    if (::geteuid() == 0) {
        ASSERT_EQ(::mknod(Raw("null.mgs").constData(), S_IFCHR | 0666, makedev(1, 3)), 0);
    }
    for (const QString& name : Entries()) {
        const mode_t type = Type(name);
        EXPECT_EQ(ReadPictureBytes(Path(name)).Error,
                  "Cannot open " + Path(name) + ": not a regular file");
        EXPECT_EQ(SavePictureFile(Path(name), mgs, picture),
                  "Cannot write " + Path(name) + ": not a regular file");
        EXPECT_EQ(Type(name), type) << name.toStdString();
    }
    ::close(sock);
}

TEST_F(FileIo, SavingKeepsPermissionsOwnerAndLinksAndFitsLongNames) {
    Write("kept.mgs", "old");
    ::chmod(Raw("kept.mgs").constData(), 0640);
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(Raw("kept.mgs").constData(), 4321, 8765), 0);
    }
    ASSERT_EQ(::symlink("kept.mgs", Raw("link.mgs").constData()), 0);
    ASSERT_EQ(SavePictureFile(Path("link.mgs"), mgs, picture), QString());
    struct stat info {};
    ASSERT_EQ(::stat(Raw("kept.mgs").constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    if (root) {
        EXPECT_EQ(std::pair(info.st_uid, info.st_gid), std::pair(4321u, 8765u));
    }
    EXPECT_EQ(Type("link.mgs"), mode_t(S_IFLNK));
    EXPECT_EQ(Contents("kept.mgs"), WriteMgs(picture));

    // A new file gets the usual permissions; a name at the file system's limit still saves
    // (its temporary name is then a short one).
    const mode_t mask = ::umask(022);
    const QString longName = QString(251, 'p') + ".mgs";
    ASSERT_EQ(SavePictureFile(Path(longName), mgs, picture), QString());
    ::umask(mask);
    ASSERT_EQ(::stat(EncodeFileName(Path(longName)).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0644u);
    EXPECT_EQ(Contents(longName), WriteMgs(picture));
    EXPECT_EQ(Entries().size(), 3);
}

} // namespace
