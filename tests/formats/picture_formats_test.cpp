// SPDX-License-Identifier: GPL-3.0-or-later
// Every format: every truncation fails and changes nothing; then each layout's bytes and
// the values and signatures a reader must refuse.
#include "formats/picture_formats.h"
#include "formats/zx_screen.h"
#include "picture/colour.h"
#include "support/test_pictures.h"

#include <gtest/gtest.h>

namespace {

std::span<const uint8_t> Span(const QByteArray& bytes) {
    return {reinterpret_cast<const uint8_t*>(bytes.constData()), static_cast<size_t>(bytes.size())};
}

QByteArray HeaderedImg(const MgsImage& picture) {
    return QByteArray(17, '\x5A') + WriteImg(picture);
}
QByteArray Scr(const MgsImage& picture) {
    return WriteImg(picture).left(kZxScreenSize);
}
QByteArray HeaderedScr(const MgsImage& picture) {
    return QByteArray(17, '\x5A') + Scr(picture);
}

struct FormatCase {
    const char* extension;
    int charHeight;                      // of the picture written
    QByteArray (*make)(const MgsImage&); // the file's bytes for a picture
    qsizetype smallestOk;                // a shorter length that still reads (0: none)
};

// clang-format off
const FormatCase kCases[] = {
    {".mgs", 8, WriteMgs, 0},
    {".mgs", 1, WriteMgs, 0},
    {".mg1", 1, WriteMg1, 0},
    {".mg2", 2, WriteMg, 0},
    {".mg4", 4, WriteMg, 0},
    {".mg8", 8, WriteMg, 0},
    {".img", 1, WriteImg, 0}, // an 8x1 picture: each cell's top row is written
    {".$img", 8, HeaderedImg, 0},
    {".scr", 8, Scr, 6144},
    {".$scr", 8, HeaderedScr, 6161},
};
// clang-format on

class EveryFormat : public testing::TestWithParam<FormatCase> {};

TEST_P(EveryFormat, EveryTruncationFailsAndLeavesTheStagingPictureAlone) {
    const FormatCase& test = GetParam();
    const PictureFormat* format = FindFormat(QString::fromLatin1(test.extension));
    ASSERT_NE(format, nullptr);
    const QByteArray bytes = test.make(RandomPicture(test.charHeight, 3));
    const MgsImage before = RandomPicture(2, 11);
    MgsImage staging = before;
    for (qsizetype length = 0; length < bytes.size(); ++length) {
        if (length == test.smallestOk)
            continue;
        const ReadResult read = ParsePicture(*format, Span(bytes).first(length), staging);
        ASSERT_EQ(read.Status, ReadStatus::TooShort) << length;
        ASSERT_GT(read.Needed, length);
    }
    // Readers check the whole length before they store anything.
    EXPECT_EQ(staging, before);
    // Trailing bytes are ignored.
    EXPECT_EQ(ParsePicture(*format, Span(bytes + QByteArray(100, '\xFF')), staging).Status,
              ReadStatus::Ok);
}

INSTANTIATE_TEST_SUITE_P(Formats, EveryFormat, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<FormatCase>& info) {
                             std::string name = info.param.extension + 1;
                             if (name[0] == '$')
                                 name = "headered_" + name.substr(1);
                             return name + "_" + std::to_string(info.param.charHeight);
                         });

TEST(FormatTable, EnsureExtension) {
    EXPECT_EQ(EnsureExtension("/home/u/pic", u".mgs"), "/home/u/pic.mgs");
    EXPECT_EQ(EnsureExtension("/home/u/pic.mgs", u".mgs"), "/home/u/pic.mgs");
    EXPECT_EQ(EnsureExtension("/home/u/pic.MGS", u".mgs"), "/home/u/pic.MGS.mgs");
    EXPECT_EQ(EnsureExtension("abcd", u".mgs"), "abcd");
}

// ---- .mgs ----

TEST(MgsFormat, LayoutStoresInkBeforePaperInRowOrder) {
    MgsImage picture;
    picture.CharHeight = 2;
    picture.BorderPair = {1, 7};
    picture.PixelPlane[0][PlaneIndex(1, 0)] = 0xAB; // row 0, column 1
    picture.PixelPlane[1][PlaneIndex(0, 1)] = 0xCD; // row 1, column 0
    picture.AttrPlane[0][PlaneIndex(2, 0)] = {3, 12};
    picture.AttrPlane[1][PlaneIndex(31, 191)] = {14, 9};
    const QByteArray bytes = WriteMgs(picture);
    EXPECT_EQ(bytes.left(7), QByteArray("MGS\x01\x02\x01\x07", 7));
    EXPECT_EQ(uint8_t(bytes[7 + 1]), 0xAB);
    EXPECT_EQ(uint8_t(bytes[6151 + 32]), 0xCD);
    EXPECT_EQ(uint8_t(bytes[12295 + 4]), 12); // ink
    EXPECT_EQ(uint8_t(bytes[12295 + 5]), 3);  // paper
    EXPECT_EQ(uint8_t(bytes[36869]), 9);
    EXPECT_EQ(uint8_t(bytes[36870]), 14);
}

TEST(MgsFormat, VersionZeroKeepsTheBorderAndAnySignatureLoads) {
    MgsImage source = RandomPicture(4, 5);
    source.BorderPair = {6, 6};
    QByteArray bytes = WriteMgs(source);
    bytes.remove(5, 2); // no border bytes
    bytes[3] = 0;
    bytes[0] = 'X';
    ASSERT_EQ(bytes.size(), 36869);
    MgsImage staging;
    staging.BorderPair = {2, 4};
    const ReadResult read = ReadMgs(Span(bytes), staging);
    ASSERT_EQ(read.Status, ReadStatus::Ok);
    EXPECT_FALSE(read.BorderRead);
    EXPECT_EQ(staging.BorderPair, (std::array<uint8_t, 2>{2, 4}));
    EXPECT_EQ(static_cast<PicturePlanes&>(staging), static_cast<PicturePlanes&>(source));
    EXPECT_EQ(staging.CharHeight, 4);
}

// Values the model cannot hold, and MG files whose signature or CharHeight is wrong (an
// .mgs file named .mg8 starts with "MGS").
TEST(MgsFormat, ValuesThePictureCannotHoldRejectTheFile) {
    const MgsImage source = RandomPicture(8, 2);
    const struct {
        const char16_t* extension;
        qsizetype offset; // -1: the .mgs file as it is
        uint8_t value;
    } damage[] = {{u".mgs", 4, 3},      {u".mgs", 4, 0},       {u".mgs", 5, 8},   {u".mgs", 6, 255},
                  {u".mgs", 12295, 15}, {u".mgs", 36870, 200}, {u".mg8", 0, 'm'}, {u".mg8", 4, 0},
                  {u".mg8", 4, 3},      {u".mg8", 4, 16},      {u".mg8", -1, 0}};
    for (const auto& [extension, offset, value] : damage) {
        const PictureFormat& format = *FindFormat(QStringView(extension));
        QByteArray bytes = offset < 0 ? WriteMgs(source) : format.Write(source);
        if (offset >= 0)
            bytes[offset] = static_cast<char>(value);
        MgsImage staging;
        EXPECT_EQ(ParsePicture(format, Span(bytes), staging).Status, ReadStatus::BadFormat)
            << offset;
    }
}

// ---- MG ----

TEST(MgFormat, HeaderAndLayoutOffsets) {
    MgsImage picture = RandomPicture(1, 8);
    picture.BorderPair = {2, 5};
    const QByteArray bytes = WriteMg1(picture);
    EXPECT_EQ(bytes.left(7), QByteArray("MGH\x01\x01\x02\x05", 7));
    EXPECT_EQ(bytes.mid(7, 248), QByteArray(248, '\0'));
    EXPECT_EQ(uint8_t(bytes[255]), 0xFF);
    // Screen 0 centre, row 5, column 8; screen 1 sides, character row 1, column 24.
    EXPECT_EQ(uint8_t(bytes[12544 + 5 * 16]), SpectrumAttr(picture.AttrPlane[0][PlaneIndex(8, 5)]));
    EXPECT_EQ(uint8_t(bytes[19072 + 16 + 8]),
              SpectrumAttr(picture.AttrPlane[1][PlaneIndex(24, 8)]));
}

TEST(MgFormat, EveryMgFileHoldsItsOwnCharHeightConvertedFromThePicture) {
    // Each writer converts the picture to its file's char height: the header and layout
    // match the extension, and the file reads back as the converted picture.
    for (const int pictureHeight : {8, 4, 1}) {
        const MgsImage picture = CellPicture(pictureHeight, 30 + pictureHeight);
        for (const char* extension : {".mg1", ".mg2", ".mg4", ".mg8", ".img"}) {
            const PictureFormat& format = *FindFormat(QString::fromLatin1(extension));
            const int fileHeight = FileCharHeight(format);
            const QByteArray bytes = format.Write(picture);
            MgsImage staging = picture;
            ASSERT_EQ(ParsePicture(format, Span(bytes), staging).Status, ReadStatus::Ok);
            EXPECT_EQ(staging.CharHeight, fileHeight) << extension;
            MgsImage expected = AtCharHeight(picture, fileHeight);
            for (auto& plane : expected.AttrPlane) // as a Spectrum attribute byte keeps it
                for (AttrCell& cell : plane)
                    cell = AttrToIndex(SpectrumAttr(cell));
            EXPECT_EQ(Planes(staging), Planes(expected)) << extension;
            if (format.Read == ReadMg) {
                EXPECT_EQ(bytes.size(), MgFileSize(fileHeight, fileHeight == 1)) << extension;
            }
        }
    }
    EXPECT_EQ(FileCharHeight(*FindFormat(u".mgs")), 0);
}

// ---- .scr and .img ----

TEST(ScreenFormats, BitmapOnlyScrIsWhiteOnBlackButImgNeedsBothScreens) {
    const QByteArray bitmap = Scr(RandomPicture(8, 30)).left(6144);
    MgsImage staging = RandomPicture(2, 31);
    const ReadResult read = ReadScr(Span(bitmap), staging);
    ASSERT_EQ(read.Status, ReadStatus::Ok);
    EXPECT_EQ(staging.CharHeight, 8);
    for (const auto& plane : staging.AttrPlane) {
        for (const AttrCell cell : plane)
            ASSERT_EQ(cell, (AttrCell{0, 13}));
    }
    EXPECT_EQ(ReadScr(Span(bitmap + QByteArray(1, '\0')), staging).Status, ReadStatus::TooShort);
    EXPECT_EQ(ReadImg(Span(bitmap), staging).Status, ReadStatus::TooShort);
}

} // namespace
