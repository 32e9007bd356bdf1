// SPDX-License-Identifier: GPL-3.0-or-later
// tilesmith-convert as a user runs it: the built binary (named by TILESMITH_CONVERT) on
// files made with the core's writers.
#include "display/renderer.h"
#include "formats/flicker_export.h"
#include "formats/picture_file.h"
#include "formats/picture_formats.h"
#include "formats/png_export.h"
#include "formats/selection_export.h"
#include "formats/zx_program.h"
#include "support/png_decode.h"
#include "support/temp_folder.h"
#include "support/test_pictures.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include <tuple>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

struct ToolRun {
    int exitCode = -1;
    QString out, err;
};

class Convert : public testing::Test, public TempFolder {
protected:
    void SetUp() override {
        const QString named = qEnvironmentVariable("TILESMITH_CONVERT");
        if (named.isEmpty())
            GTEST_SKIP() << "TILESMITH_CONVERT names no binary";
        binary = QFileInfo(named).absoluteFilePath(); // the runs start in a temporary folder
        picture.BorderPair = {2, 5};
        Write("in.mgs", WriteMgs(picture));
    }
    ToolRun Start(const QStringList& args) const {
        QProcess process;
        process.setWorkingDirectory(dir.path());
        process.start(binary, args);
        EXPECT_TRUE(process.waitForFinished(30000));
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromLocal8Bit(process.readAllStandardOutput()),
                QString::fromLocal8Bit(process.readAllStandardError())};
    }

    QString binary;
    MgsImage picture = RandomPicture(8, 60);
};

// Every output is what the editor's own writer gives for the same picture and choices.
TEST_F(Convert, WritesWhatTheEditorsWritersWrite) {
    MgsImage at1 = picture;
    ConvertCharHeight(at1, 1);
    at1.BorderPair = {7, 0};
    std::vector<std::tuple<QStringList, QString, QByteArray>> runs = {
        {{"--char-height", "1", "--border=7,0", "in.mgs", "b.mg1"}, "b.mg1", WriteMg1(at1)},
        {{"--machine", "pentagon", "in.mgs", "p.z80"},
         "p.z80",
         WriteZ80(picture, SpectrumMachine::Pentagon)},
        {{"--machine=128", "in.mgs", "out.tap"},
         "out.tap",
         WriteTap(picture, SpectrumMachine::Spectrum128)},
        {{"--gif", "2", "in.mgs", "f.gif"},
         "f.gif",
         EncodeFlickerGif(picture, PngOptions[1]).Bytes},
    };
    for (const PictureFormat& format : PictureFormats) {
        if (format.Write != nullptr)
            runs.push_back({{"in.mgs", "out" + ExtensionText(format)},
                            "out" + ExtensionText(format),
                            format.Write(picture)});
    }
    for (const auto& [args, out, bytes] : runs) {
        const ToolRun run = Start(args);
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_EQ(Contents(out), bytes) << out.toStdString();
    }
    // The picture as the editor renders it, with the border given on the command line;
    // OUTPUT is a PNG whatever its name says.
    ASSERT_EQ(Start({"--png", "11", "--border", "1,2", "in.mgs", "framed.mgs"}).exitCode, 0);
    const DecodedPng png = DecodePng(Contents("framed.mgs"));
    ASSERT_EQ(QSize(png.width, png.height), QSize(384, 300));
    EXPECT_EQ(png.image.pixel(0, 299), qRgb(0x73, 0x00, 0x73));
    RenderImages images = RenderImages::Create();
    RenderPicture(picture, images);
    EXPECT_EQ(png.image.pixel(64 + 17, 64 + 33), images.MixedImage.pixel(17, 33));
}

// What a file manager asks for: the names it passes (any letter case, or no extension at
// all for a file it knows by its signature) and the common thumbnail sizes.
TEST_F(Convert, ThumbnailFitsTheSquareSharpForWholeFactors) {
    RenderImages images = RenderImages::Create();
    RenderPicture(picture, images);
    Write("UPPER.MGS", WriteMgs(picture));
    Write("no-extension", WriteMgs(picture));
    const std::tuple<const char*, int, QSize> cases[] = {{"no-extension", 100, {100, 75}},
                                                         {"UPPER.MGS", 512, {512, 384}}};
    for (const auto& [input, size, expected] : cases) {
        ASSERT_EQ(Start({"--thumbnail", QString::number(size), input, "thumb.png"}).exitCode, 0);
        const DecodedPng png = DecodePng(Contents("thumb.png"));
        ASSERT_EQ(QSize(png.width, png.height), expected) << input;
    }
    const QImage thumb = DecodePng(Contents("thumb.png")).image; // 512: each pixel 2 x 2
    for (const QPoint p : {QPoint(0, 0), QPoint(301, 77), QPoint(511, 383)})
        EXPECT_EQ(thumb.pixel(p), images.MixedImage.pixel(p.x() / 2, p.y() / 2))
            << p.x() << "," << p.y();
}

TEST_F(Convert, SelectionCountsCellRowsInTheCharHeightGiven) {
    ToolRun run = Start({"--selection", "3,2,4,5", "--as-screen", "in.mgs", "sprite.bin"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_FALSE(QFile::exists(Path("sprite.bin")));
    const SelectionData data = SelectionBytes(picture, {3, 2, 4, 5}, SelectionPixMode::AsScreen);
    EXPECT_EQ(Contents("sprite_attr_1.bin"), data.Attr[1]);
    // 8x2 has 96 cell rows.
    run = Start({"--char-height", "2", "--selection=0,90,32,6", "--linear", "in.mgs", "low"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(Contents("low_pix_0.bin").size(), 32 * 6 * 2);
}

TEST_F(Convert, WrongArgumentsAndFailuresExitNonZeroAndWriteNothing) {
    Write("short.mg8", WriteMg(picture).left(300));
    Write("kept.mgs", "old");
    // One case for each kind of mistake: file names, an unknown option, a value out of range,
    // options that exclude each other, formats, and files that cannot be read or written.
    // Special files are neither read (a FIFO would hang the run) nor replaced.
    for (const char* fifo : {"fifo.mgs", "fifo.png"})
        ASSERT_EQ(mkfifo(Path(fifo).toLocal8Bit().constData(), 0600), 0);
    struct Case {
        QStringList args;
        int exitCode;
        const char* message; // part of the message on standard error
    };
    const Case cases[] = {
        {{"in.mgs"}, 2, "expected 2 file names, got 1"},
        {{"--bogus", "in.mgs", "out.mgs"}, 2, "unknown option \"--bogus\""},
        {{"--char-height", "3", "in.mgs", "out.mgs"}, 2, "--char-height takes 1, 2, 4 or 8"},
        {{"in.pcx", "out.mgs"}, 2, "unknown extension \".pcx\""},
        {{"in.mgs", "out.scr"}, 2, "cannot write \".scr\" files"},
        // A file of another char height that would show the picture otherwise.
        {{"--char-height", "1", "in.mgs", "out.mg2"},
         2,
         "out.mg2: a .mg2 file holds 8x2 cells, and converting this 8x1 picture to them "
         "changes"},
        {{"--char-height", "4", "in.mgs", "out.img"}, 2, "give --char-height 8 to convert"},
        {{"--machine", "48", "in.mgs", "out.z80"}, 2, "--machine takes 128 or pentagon"},
        {{"--png", "0", "in.mgs", "out.png"}, 2, "--png takes an option number 1..11"},
        {{"--selection", "0,0,1,1", "in.mgs", "out.bin"}, 2, "--selection needs --linear or"},
        {{"--selection", "30,0,3,1", "--linear", "in.mgs", "out.bin"},
         2,
         "--selection 30,0,3,1 does not lie inside the picture: at char height 8 it has 32 "
         "columns and 24 cell rows"},
        {{"--selection", "0,0,1,1", "--linear", "--as-screen", "in.mgs", "out.bin"},
         2,
         "--linear and --as-screen cannot be combined"},
        {{"--png", "1", "--gif", "1", "in.mgs", "out.gif"}, 2, "cannot be combined"},
        {{"--png", "1", "--screen", "2", "in.mgs", "out.png"}, 2, "--screen takes 0 or 1"},
        {{"--dither", "fs", "in.mgs", "out.mgs"}, 2, "--dither takes none, ordered or diffusion"},
        {{"--one-screen", "in.mgs", "out.mgs"}, 2, "are used with an image INPUT"},
        {{"MISSING.MGS", "out.mgs"}, 1, "Cannot open MISSING.MGS: No such file"},
        {{"missing.JPG", "out.mgs"}, 1, "Cannot import missing.JPG: File not found"},
        {{"short.mg8", "kept.mgs"}, 1, "short.mg8 is too short: 300 bytes"},
        {{"--thumbnail", "128", "kept.mgs", "t.png"}, 1, "kept.mgs is too short"},
        {{"in.mgs", "no/dir/out.mgs"}, 1, "Cannot write no/dir/out.mgs"},
        {{"fifo.mgs", "out.mgs"}, 1, "Cannot open fifo.mgs: not a regular file"},
        {{"--png", "1", "in.mgs", "fifo.png"}, 1, "Cannot write fifo.png: not a regular file"},
    };
    for (const Case& test : cases) {
        const ToolRun run = Start(test.args);
        const std::string args = test.args.join(' ').toStdString();
        EXPECT_EQ(run.exitCode, test.exitCode) << args;
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(test.message))) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty()) << args;
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files),
                  (QStringList{"in.mgs", "kept.mgs", "short.mg8"}))
            << args;
        EXPECT_EQ(Contents("kept.mgs"), "old");
    }
}

TEST_F(Convert, ImagesAreConvertedWithTheImportOptions) {
    // (That an export reads back as the same picture is the import's own test.)
    ASSERT_EQ(Start({"--png", "1", "in.mgs", "shot.PNG"}).exitCode, 0);
    const ToolRun run = Start({"--char-height", "2", "--dither", "diffusion", "--fit=stretch",
                               "--one-screen", "shot.PNG", "one.mg2"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const MgsImage one = LoadPictureFile(Path("one.mg2"), *FindFormat(u".mg2"), {}).Picture;
    EXPECT_EQ(one.CharHeight, 2);
    EXPECT_EQ(one.PixelPlane[0], one.PixelPlane[1]);
}

} // namespace
