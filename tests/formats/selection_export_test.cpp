// SPDX-License-Identifier: GPL-3.0-or-later
// Save selection: file names, sizes, linear and as-screen row orders, the full screen
// against the .img layout, the INI text merged into an existing file, and rejected
// rectangles.
#include "formats/picture_formats.h"
#include "formats/selection_export.h"
#include "formats/zx_screen.h"
#include "picture/colour.h"
#include "support/temp_folder.h"
#include "support/test_pictures.h"

#include <QDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

class SaveSelectionFiles : public testing::Test, public TempFolder {};

uint8_t Pixel(const MgsImage& picture, int screen, int column, int row) {
    return picture.PixelPlane[screen][PlaneIndex(column, row)];
}

TEST_F(SaveSelectionFiles, SpriteBinNamesFiveFilesAndIsNotWrittenItself) {
    const MgsImage picture = RandomPicture(4, 3);
    ASSERT_EQ(SaveSelection(picture, {5, 7, 2, 3}, SelectionPixMode::Linear, Path("sprite.bin")),
              QString());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 5);
    // 2 columns x 3 cell rows x 4 pixel rows; one attribute byte a cell.
    EXPECT_EQ(Contents("sprite_pix_1.bin").size(), 24);
    EXPECT_EQ(Contents("sprite_attr_0.bin").size(), 6);

    // Linear: the first `width` bytes are the top pixel row of the selection.
    const QByteArray pix1 = Contents("sprite_pix_1.bin");
    EXPECT_EQ(uint8_t(pix1[0]), Pixel(picture, 1, 5, 28));
    EXPECT_EQ(uint8_t(pix1[1]), Pixel(picture, 1, 6, 28));
    EXPECT_EQ(uint8_t(pix1[23]), Pixel(picture, 1, 6, 39));
    const QByteArray attr0 = Contents("sprite_attr_0.bin");
    EXPECT_EQ(uint8_t(attr0[5]), SpectrumAttr(picture.AttrPlane[0][PlaneIndex(6, 9 * 4)]));

    EXPECT_EQ(Contents("sprite_selection.ini"),
              "[tileSmithSelection]\nx=5\ny=7\nwidth=2\nheight=3\nMGS_VertSize=4\npixMode=0\n"
              "pixModeString=linear\n");
    // A name without an extension is the base as it is; only the last dot after the last
    // separator starts one.
    EXPECT_EQ(SelectionFiles(QStringLiteral("/a.b/pic")).Pix[0], "/a.b/pic_pix_0.bin");
    EXPECT_EQ(SelectionFiles(QStringLiteral("x.tar.bin")).Attr[1], "x.tar_attr_1.bin");
}

TEST(SelectionBytes, AsScreenMapsTheLineIndexAsItStands) {
    const MgsImage picture = RandomPicture(8, 4);
    const SelectionData data = SelectionBytes(picture, {3, 0, 1, 2}, SelectionPixMode::AsScreen);
    ASSERT_EQ(data.Pix[0].size(), 16);
    // Line 1 shows pixel row 8, line 8 pixel row 1; rows 16..56 in steps of 8 come from
    // outside the selection.
    EXPECT_EQ(uint8_t(data.Pix[0][1]), Pixel(picture, 0, 3, 8));
    EXPECT_EQ(uint8_t(data.Pix[0][8]), Pixel(picture, 0, 3, 1));
    for (int k = 2; k < 8; ++k)
        EXPECT_EQ(uint8_t(data.Pix[0][k]), Pixel(picture, 0, 3, 8 * k)) << k;

    // Under 8x1 the attributes are one byte a pixel row, each the one shown on it: in a
    // side column that of its 8-row cell, never a hidden row.
    const MgsImage fine = RandomPicture(1, 5);
    for (const int column : {0, 8}) {
        const SelectionData rows =
            SelectionBytes(fine, {column, 10, 1, 3}, SelectionPixMode::Linear);
        ASSERT_EQ(rows.Attr[1].size(), 3);
        for (int r = 0; r < 3; ++r) {
            const int shown = EffectiveAttrRow(1, 10 + r, column);
            EXPECT_EQ(uint8_t(rows.Attr[1][r]),
                      SpectrumAttr(fine.AttrPlane[1][PlaneIndex(column, shown)]));
        }
    }
}

TEST_F(SaveSelectionFiles, TheWholeScreenAsScreenIsTheImgLayout) {
    const MgsImage picture = RandomPicture(8, 6);
    ASSERT_EQ(SaveSelection(picture, {0, 0, 32, 24}, SelectionPixMode::AsScreen, Path("all.bin")),
              QString());
    const QByteArray img = WriteImg(picture);
    EXPECT_EQ(Contents("all_pix_0.bin"), img.mid(0, kZxBitmapSize));
    EXPECT_EQ(Contents("all_attr_0.bin"), img.mid(kZxBitmapSize, kZxAttrAreaSize));
    EXPECT_EQ(Contents("all_pix_1.bin"), img.mid(kZxScreenSize, kZxBitmapSize));
    EXPECT_EQ(Contents("all_attr_1.bin"), img.mid(kZxScreenSize + kZxBitmapSize));
    EXPECT_TRUE(Contents("all_selection.ini").contains("pixMode=1\npixModeString=as screen\n"));
}

TEST(SelectionIni, KeepsOtherSectionsAndKeysByteForByteAndReplacesValuesInPlace) {
    // Foreign lines keep their bytes, Latin-1 and stray line ends included.
    const QByteArray existing("[other]\r\nx=\xe9\xff\r\n\r\n[TILESMITHSELECTION]\r\n"
                              "; note\r\nnote=keep\nHeight=7\r\n\r\n[last]\r\nk=v\r\n");
    EXPECT_EQ(SelectionIniBytes(existing, {1, 2, 3, 4}, 2, SelectionPixMode::AsScreen),
              QByteArray("[other]\r\nx=\xe9\xff\r\n\r\n[TILESMITHSELECTION]\r\n; note\r\n"
                         "note=keep\nheight=4\r\nx=1\r\ny=2\r\nwidth=3\r\nMGS_VertSize=2\r\n"
                         "pixMode=1\r\npixModeString=as screen\r\n\r\n[last]\r\nk=v\r\n"));
    EXPECT_EQ(SelectionIniBytes("[a]\nb=c", {0, 0, 1, 1}, 8, SelectionPixMode::Linear),
              QByteArray("[a]\nb=c\n[tileSmithSelection]\nx=0\ny=0\nwidth=1\nheight=1\n"
                         "MGS_VertSize=8\npixMode=0\npixModeString=linear\n"));
}

TEST_F(SaveSelectionFiles, RectanglesOutsideThePictureWriteNothing) {
    const MgsImage picture = RandomPicture(4, 7);
    const CellRect bad[] = {{31, 0, 2, 1}, {0, 47, 1, 2}, {-1, 0, 1, 1}, {0, 0, 0, 1}};
    for (const CellRect& rect : bad) {
        const QString error = SaveSelection(picture, rect, SelectionPixMode::Linear, Path("s.bin"));
        EXPECT_TRUE(error.contains("does not lie inside the picture")) << error.toStdString();
        EXPECT_TRUE(SelectionBytes(picture, rect, SelectionPixMode::Linear).Pix[0].isEmpty());
    }
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
    // All or nothing: one of the five cannot be written (a FIFO has its name), so none is
    // created and the old ones keep their bytes.
    Write("s_pix_0.bin", "old");
    ASSERT_EQ(mkfifo(Path("s_attr_1.bin").toLocal8Bit().constData(), 0600), 0);
    EXPECT_EQ(SaveSelection(picture, {0, 0, 1, 1}, SelectionPixMode::Linear, Path("s.bin")),
              "Cannot write " + Path("s_attr_1.bin") + ": not a regular file");
    EXPECT_EQ(Contents("s_pix_0.bin"), "old");
    EXPECT_EQ(QDir(dir.path())
                  .entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot),
              (QStringList{"s_attr_1.bin", "s_pix_0.bin"}));
}

} // namespace
