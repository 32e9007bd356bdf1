// SPDX-License-Identifier: GPL-3.0-or-later
// The emulator preview: the MG file of the picture's CharHeight in zxview, the folder made
// current, and the script started without waiting; failures named.
#include "formats/emulator_preview.h"
#include "formats/picture_formats.h"
#include "support/test_pictures.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

namespace {

class EmulatorPreview : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QDir(program.path()).mkdir("zxview"));
        zxview = QDir(program.filePath("zxview")).canonicalPath();
    }
    void TearDown() override { QDir::setCurrent(startFolder); }

    void MakeScript(const QString& name, QFileDevice::Permissions permissions,
                    const char* body = "pwd > started.txt") const {
        QFile script(QDir(zxview).filePath(name));
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write(QByteArray("#!/bin/sh\n") + body + '\n');
        script.close();
        script.setPermissions(permissions);
    }
    // What the started script wrote, once it has; the file is removed for the next run.
    static QByteArray TakeFile(const QString& path) {
        for (int i = 0; i < 500 && !QFile::exists(path); ++i)
            QThread::msleep(10);
        QThread::msleep(20);
        QFile file(path);
        const QByteArray text = file.open(QIODevice::ReadOnly) ? file.readAll().trimmed() : "";
        file.remove();
        return text;
    }

    QString startFolder = QDir::currentPath();
    QTemporaryDir program;
    QString zxview;
};

TEST_F(EmulatorPreview, WritesTheMgFileAndStartsTheScriptInZxview) {
    // 8x1 in the 8x1 layout.
    MakeScript("view8x1.sh", QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const MgsImage picture = RandomPicture(1, 40);
    const PreviewResult result = PreviewInEmulator(picture, program.path() + "/");
    ASSERT_TRUE(result.Started) << result.Error.toStdString();
    EXPECT_EQ(QDir::currentPath(), zxview);
    QFile image(QDir(zxview).filePath("image.mg1"));
    ASSERT_TRUE(image.open(QIODevice::ReadOnly));
    EXPECT_EQ(image.readAll(), WriteMg1(picture));
    EXPECT_EQ(TakeFile(QDir(zxview).filePath("started.txt")), zxview.toLocal8Bit());
}

TEST_F(EmulatorPreview, MissingOrUnrunnableScriptsAndFoldersAreNamed) {
    const MgsImage picture = RandomPicture(8, 42);
    const PreviewResult missing = PreviewInEmulator(picture, program.path());
    EXPECT_FALSE(missing.Started);
    EXPECT_EQ(missing.Error,
              "Cannot start " + QDir(zxview).filePath("view8x8.sh") + ": No such file");
    EXPECT_TRUE(QFile::exists(QDir(zxview).filePath("image.mg8")));

    MakeScript("view8x8.sh", QFileDevice::ReadOwner); // not executable
    const PreviewResult notRun = PreviewInEmulator(picture, program.path());
    EXPECT_FALSE(notRun.Started);
    EXPECT_TRUE(notRun.Error.startsWith("Cannot start " + QDir(zxview).filePath("view8x8.sh")));

    // Neither beside the program nor in a data folder: both places are named.
    const PreviewFolders nowhere{{program.filePath("none"), program.filePath("data/zxview")},
                                 program.filePath("mine/zxview")};
    const PreviewResult noFolder = PreviewInEmulator(picture, nowhere);
    EXPECT_FALSE(noFolder.Started);
    EXPECT_TRUE(noFolder.Error.contains(program.filePath("none")) &&
                noFolder.Error.contains(program.filePath("mine/zxview")))
        << noFolder.Error.toStdString();
}

TEST_F(EmulatorPreview, AFolderThatCannotTakeThePictureLeavesItInTheUsersOwn) {
    // A system install: the scripts lie in a data folder where the picture cannot go (here
    // its name is taken by a folder), so it goes to the user's folder, made on the way, and
    // the script is told where.
    ASSERT_TRUE(QDir(zxview).mkdir("image.mg8"));
    MakeScript("view8x8.sh", QFileDevice::ReadOwner | QFileDevice::ExeOwner,
               "echo \"$(pwd) $1\" > started.txt");
    const QString mine = program.filePath("home/tilesmith/zxview");
    const MgsImage picture = RandomPicture(8, 43);
    const PreviewResult result =
        PreviewInEmulator(picture, PreviewFolders{{program.filePath("none"), zxview}, mine});
    ASSERT_TRUE(result.Started) << result.Error.toStdString();
    const QString image = QDir(mine).filePath("image.mg8");
    EXPECT_EQ(result.PictureFile, image);
    QFile written(image);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), WriteMg(picture));
    const QString canonical = QDir(mine).canonicalPath();
    EXPECT_EQ(TakeFile(QDir(mine).filePath("started.txt")),
              (canonical + " " + image).toLocal8Bit());
}

} // namespace
