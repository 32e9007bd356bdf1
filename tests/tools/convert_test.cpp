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

#include <random>
#include <tuple>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

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

TEST_F(Convert, WritesEveryWritableFormat) {
    for (const PictureFormat& format : PictureFormats) {
        if (format.Write == nullptr)
            continue;
        const QString out = "out" + ExtensionText(format);
        const ToolRun run = Start({"in.mgs", out});
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_TRUE(run.err.isEmpty());
        EXPECT_EQ(Contents(out), format.Write(picture)) << out.toStdString();
    }
    // And a format read back: the .mgs of what it kept.
    ASSERT_EQ(Start({"out.mg8", "back.mgs"}).exitCode, 0);
    EXPECT_EQ(Contents("back.mgs"), WriteMgs(OpenByName(dir.filePath("out.mg8"), {}).Picture));
}

TEST_F(Convert, CharHeightAndBorderApplyBeforeWriting) {
    const ToolRun run = Start({"--char-height", "1", "--border=7,0", "in.mgs", "out.mg1"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    MgsImage expected = picture;
    ConvertCharHeight(expected, 1);
    expected.BorderPair = {7, 0};
    EXPECT_EQ(Contents("out.mg1"), WriteMg1(expected));
    // .mg4 writes the row layout of whatever the CharHeight is.
    ASSERT_EQ(Start({"in.mgs", "--char-height=4", "out.mg4"}).exitCode, 0);
    EXPECT_EQ(Contents("out.mg4").size(), 15616);
}

TEST_F(Convert, SpectrumProgramsByExtensionForTheChosenMachine) {
    const std::tuple<QStringList, QString, QByteArray> runs[] = {
        {{"in.mgs", "out.z80"}, "out.z80", WriteZ80(picture, SpectrumMachine::Spectrum128)},
        {{"--machine", "pentagon", "in.mgs", "p.z80"},
         "p.z80",
         WriteZ80(picture, SpectrumMachine::Pentagon)},
        {{"--machine=128", "in.mgs", "out.tap"},
         "out.tap",
         WriteTap(picture, SpectrumMachine::Spectrum128)},
    };
    for (const auto& [args, out, bytes] : runs) {
        const ToolRun run = Start(args);
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_EQ(Contents(out), bytes) << out.toStdString();
    }
}

TEST_F(Convert, InfoTellsCharHeightBorderAndFormat) {
    ToolRun run = Start({"--info", "in.mgs"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "file: in.mgs\nformat: .mgs (tileSmith picture, version 1)\n"
                       "char height: 8\nborder: 2,5\n");
    Write("screen.$scr", QByteArray(17, '\0') + WriteImg(picture).left(6144));
    run = Start({"--info", "screen.$scr"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "file: screen.$scr\nformat: .$scr (Spectrum screen with a 17-byte header, "
                       "bitmap only, white on black)\nchar height: 8\n"
                       "border: 0,0 (not read from this file)\n");
    ASSERT_EQ(Start({"in.mgs", "--char-height", "1", "x.mg1"}).exitCode, 0);
    EXPECT_TRUE(Start({"--info", "x.mg1"})
                    .out.contains("format: .mg1 (MG screen, 8x1 layout)\n"
                                  "char height: 1\n"));
}

TEST_F(Convert, PngOptionsByNumberInThePanelsOrder) {
    const ToolRun list = Start({"--list-png"});
    EXPECT_EQ(list.exitCode, 0);
    const QStringList lines = list.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 11);
    EXPECT_EQ(lines[0], " 1  256 x 192 without border");
    EXPECT_EQ(lines[10], "11  384 x 300 (256x192 full emul border)");

    // The picture as the editor renders it, with the border given on the command line.
    ASSERT_EQ(Start({"--png", "11", "--border", "1,2", "in.mgs", "framed.png"}).exitCode, 0);
    DecodedPng png = DecodePng(Contents("framed.png"));
    ASSERT_FALSE(png.image.isNull());
    EXPECT_EQ(QSize(png.width, png.height), QSize(384, 300));
    EXPECT_EQ(png.image.pixel(0, 299), qRgb(0x73, 0x00, 0x73));
    RenderImages images = RenderImages::Create();
    RenderPicture(picture, images);
    EXPECT_EQ(png.image.pixel(64 + 17, 64 + 33), images.MixedImage.pixel(17, 33));

    // OUTPUT is a PNG whatever its name says.
    ASSERT_EQ(Start({"--png=1", "in.mgs", "plain.mgs"}).exitCode, 0);
    png = DecodePng(Contents("plain.mgs"));
    EXPECT_EQ(QSize(png.width, png.height), QSize(256, 192));
    EXPECT_EQ(png.colourType, 2);

    // One screen alone, and the flicker: the files the editor's exports write.
    ASSERT_EQ(Start({"--png", "7", "--screen", "1", "in.mgs", "s1.png"}).exitCode, 0);
    EXPECT_EQ(DecodePng(Contents("s1.png")).image, ComposeScreenImage(picture, 1, PngOptions[6]));
    ASSERT_EQ(Start({"--gif", "2", "in.mgs", "flicker.gif"}).exitCode, 0);
    EXPECT_EQ(Contents("flicker.gif"), EncodeFlickerGif(picture, PngOptions[1]).Bytes);
}

// What a file manager asks for: the names it passes (any letter case, or no extension at
// all for a file it knows by its signature) and the common thumbnail sizes.
TEST_F(Convert, ThumbnailFitsTheSquareSharpForWholeFactors) {
    RenderImages images = RenderImages::Create();
    RenderPicture(picture, images);
    const QImage mixed = images.MixedImage.convertToFormat(QImage::Format_RGB888);
    Write("UPPER.MGS", WriteMgs(picture));
    Write("no-extension", WriteMgs(picture));
    Write("mg-no-extension", WriteMg(picture)); // MG keeps one bright bit a cell: other colours
    const struct {
        const char* input;
        int size;
        QSize expected;
    } cases[] = {{"in.mgs", 256, {256, 192}},
                 {"UPPER.MGS", 512, {512, 384}},
                 {"no-extension", 128, {128, 96}},
                 {"mg-no-extension", 100, {100, 75}}};
    for (const auto& test : cases) {
        const ToolRun run =
            Start({"--thumbnail", QString::number(test.size), test.input, "thumb.png"});
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        const DecodedPng png = DecodePng(Contents("thumb.png"));
        ASSERT_EQ(QSize(png.width, png.height), test.expected) << test.input;
        const int factor = test.size / 256;
        for (int y = 0; y < png.height; ++y) {
            for (int x = 0; x < png.width; ++x) {
                if (factor > 0) { // every picture pixel a sharp square
                    ASSERT_EQ(png.image.pixel(x, y), mixed.pixel(x / factor, y / factor));
                } else if (test.size == 128) {           // a halving mixes each 2 x 2 block
                    for (const int shift : {16, 8, 0}) { // red, green, blue
                        auto channel = [&](QRgb rgb) {
                            return static_cast<int>(rgb >> shift & 0xff);
                        };
                        int sum = 0;
                        for (int i = 0; i < 4; ++i)
                            sum += channel(mixed.pixel(2 * x + i % 2, 2 * y + i / 2));
                        ASSERT_NEAR(channel(png.image.pixel(x, y)), sum / 4, 2) << x << "," << y;
                    }
                }
            }
        }
    }
}

TEST_F(Convert, SelectionWritesTheFiveFilesOfTheEditor) {
    ToolRun run = Start({"--selection", "3,2,4,5", "--as-screen", "in.mgs", "sprite.bin"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_FALSE(QFile::exists(Path("sprite.bin")));
    const SelectionData data = SelectionBytes(picture, {3, 2, 4, 5}, SelectionPixMode::AsScreen);
    EXPECT_EQ(Contents("sprite_pix_0.bin"), data.Pix[0]);
    EXPECT_EQ(Contents("sprite_pix_1.bin"), data.Pix[1]);
    EXPECT_EQ(Contents("sprite_attr_0.bin"), data.Attr[0]);
    EXPECT_EQ(Contents("sprite_attr_1.bin"), data.Attr[1]);
    EXPECT_TRUE(Contents("sprite_selection.ini").contains("pixModeString=as screen"));

    // Cell rows count in the char height after --char-height: 8x2 has 96 of them.
    run = Start({"--char-height", "2", "--selection=0,90,32,6", "--linear", "in.mgs", "low"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(Contents("low_pix_0.bin").size(), 32 * 6 * 2);
    EXPECT_TRUE(Contents("low_selection.ini").contains("MGS_VertSize=2\n"));
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
        {{"--border", "1,8", "in.mgs", "out.mgs"}, 2, "--border takes two colours 0..7"},
        {{"in.MGS", "out.mgs"}, 2, "unknown extension \".MGS\""},
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
        {{"--gif", "12", "in.mgs", "out.gif"}, 2, "--gif takes an option number 1..11"},
        {{"--png", "1", "--screen", "2", "in.mgs", "out.png"}, 2, "--screen takes 0 or 1"},
        {{"--screen", "1", "in.mgs", "out.mgs"}, 2, "--screen is used with --png"},
        {{"--dither", "fs", "in.mgs", "out.mgs"}, 2, "--dither takes none, ordered or diffusion"},
        {{"--one-screen", "in.mgs", "out.mgs"}, 2, "are used with an image INPUT"},
        {{"missing.mgs", "out.mgs"}, 1, "Cannot open missing.mgs: No such file"},
        {{"missing.JPG", "out.mgs"}, 1, "Cannot import missing.JPG: File not found"},
        {{"short.mg8", "kept.mgs"}, 1, "short.mg8 is too short: 300 bytes"},
        {{"--thumbnail", "128", "kept.mgs", "t.png"}, 1, "kept.mgs is too short"},
        {{"--thumbnail", "0", "in.mgs", "t.png"}, 2, "--thumbnail takes a size 1..4096"},
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

TEST_F(Convert, NamesThatAreNotUtf8KeepTheirBytes) {
    // Through the shell, so that the arguments reach the program as raw bytes.
    const QByteArray in = "in \xe9\xff.mgs", out = "out \xff.mg8";
    ASSERT_EQ(::rename(Path("in.mgs").toLocal8Bit().constData(),
                       (QFile::encodeName(dir.path()) + '/' + in).constData()),
              0);
    // An image import too: a PNG under such a name is read back.
    const QByteArray tool = "'" + QFile::encodeName(binary) + "' ";
    const QByteArray command = "cd '" + QFile::encodeName(dir.path()) + "' && " + tool + "'" + in +
                               "' '" + out + "' && " + tool + "--png 1 '" + in +
                               "' 'shot \xff.png' && " + tool + "'shot \xff.png' back.mgs";
    ASSERT_EQ(std::system(command.constData()), 0);
    EXPECT_EQ(Contents("back.mgs").size(), kMgsFileSize);
    QFile written;
    const QByteArray outPath = QFile::encodeName(dir.path()) + '/' + out;
    std::FILE* file = std::fopen(outPath.constData(), "rb");
    ASSERT_NE(file, nullptr);
    ASSERT_TRUE(written.open(file, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle));
    EXPECT_EQ(written.readAll(), WriteMg(picture));
    for (const QByteArray& name : {in, out, QByteArray("shot \xff.png")})
        ::unlink((QFile::encodeName(dir.path()) + '/' + name).constData());
}

TEST_F(Convert, ImagesAreConvertedWithTheImportOptions) {
    // A Spectrum screen, exported as a PNG, converts back to the same picture.
    std::mt19937 random(7);
    QByteArray screen(6912, '\0');
    for (char& b : screen)
        b = static_cast<char>(random());
    Write("in.scr", screen);
    ASSERT_EQ(Start({"--png", "1", "in.scr", "shot.PNG"}).exitCode, 0);
    ToolRun run = Start({"--info", "shot.PNG"});
    EXPECT_EQ(run.out, "file: shot.PNG\nformat: image 256 x 192\nplacement: 256 x 192: used pixel "
                       "for pixel\n");
    ASSERT_EQ(Start({"shot.PNG", "back.mgs"}).exitCode, 0);
    ASSERT_EQ(Start({"--png", "1", "back.mgs", "again.png"}).exitCode, 0);
    EXPECT_EQ(Contents("again.png"), Contents("shot.PNG"));
    run = Start({"--char-height", "2", "--dither", "diffusion", "--fit=stretch", "--one-screen",
                 "shot.PNG", "one.mg2"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const MgsImage one = LoadPictureFile(Path("one.mg2"), *FindFormat(u".mg2"), {}).Picture;
    EXPECT_EQ(one.CharHeight, 2);
    EXPECT_EQ(one.PixelPlane[0], one.PixelPlane[1]);
    EXPECT_EQ(Start({"--low-flicker", "shot.PNG", "low.mgs"}).exitCode, 0);
}

TEST_F(Convert, HelpListsTheFormats) {
    const ToolRun run = Start({"--help"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.out.startsWith("Usage:\n  tilesmith-convert [OPTIONS] INPUT OUTPUT\n"));
    EXPECT_TRUE(run.out.contains("Writes: .mgs .mg1 .mg2 .mg4 .mg8 .img\n"));
    EXPECT_EQ(Start({"in.mgs", "--help"}).exitCode, 0);
    const ToolRun version = Start({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_TRUE(
        version.out.startsWith("tilesmith-convert (tileSmith) 0.96\nLicence: GPL-3.0-or-later"));
}

} // namespace
