// SPDX-License-Identifier: GPL-3.0-or-later
// The file layer: all-or-nothing loads with messages naming the file, dispatch by
// extension, and saves that never destroy the previous file.
#include "formats/picture_file.h"
#include "support/temp_folder.h"
#include "support/test_pictures.h"

#include <gtest/gtest.h>

namespace {

class PictureFile : public testing::Test, public TempFolder {
protected:
    MgsImage current = [] {
        MgsImage picture = RandomPicture(2, 77);
        picture.BorderPair = {1, 4};
        return picture;
    }();
};

TEST_F(PictureFile, MissingShortAndDamagedFilesChangeNothing) {
    const LoadResult missing = OpenByName(Path("none.mgs"), current);
    EXPECT_EQ(missing.Status, LoadStatus::FileError);
    EXPECT_EQ(missing.Error,
              QStringLiteral("Cannot open %1: No such file or directory").arg(Path("none.mgs")));
    EXPECT_EQ(missing.Picture, current);

    Write("short.mg4", WriteMg(RandomPicture(4)).left(15000));
    const LoadResult shortFile = OpenByName(Path("short.mg4"), current);
    EXPECT_EQ(shortFile.Status, LoadStatus::FileError);
    EXPECT_EQ(shortFile.Error, Path("short.mg4") + " is too short: 15000 bytes, an MG file with "
                                                   "CharHeight 4 in its header needs at least "
                                                   "15616");
    EXPECT_EQ(shortFile.Picture, current);

    Write("signature.mg8", WriteMgs(current));
    const LoadResult wrong = OpenByName(Path("signature.mg8"), current);
    EXPECT_EQ(wrong.Status, LoadStatus::FormatError);
    EXPECT_EQ(wrong.Error, "Error file format: " + Path("signature.mg8"));
    EXPECT_EQ(wrong.Picture, current);

    QByteArray badColour = WriteMgs(current);
    badColour[20000] = 15;
    Write("colour.mgs", badColour);
    EXPECT_EQ(OpenByName(Path("colour.mgs"), current).Status, LoadStatus::FormatError);
}

TEST_F(PictureFile, OpenByNameDispatchesOnTheExtensionWhateverItsCase) {
    const QByteArray img = WriteImg(current);
    Write("PIC.SCR", img.left(6912));
    Write("Two.$Img", QByteArray(17, '\0') + img);
    Write("pic.txt", img);
    const struct {
        const char* name;
        LoadStatus status;
        const char* format; // the row that read it
    } cases[] = {
        {"PIC.SCR", LoadStatus::Loaded, ".scr"},      {"Two.$Img", LoadStatus::Loaded, ".$img"},
        {"pic.txt", LoadStatus::NotHandled, nullptr}, {"noext", LoadStatus::NotHandled, nullptr},
        {"gone.Mg4", LoadStatus::FileError, ".mg4"},
    };
    for (const auto& c : cases) {
        const LoadResult load = OpenByName(Path(c.name), current);
        EXPECT_EQ(load.Status, c.status) << c.name;
        EXPECT_EQ(load.Format, c.format ? FindFormat(QString::fromLatin1(c.format)) : nullptr);
        if (c.status == LoadStatus::NotHandled) {
            EXPECT_TRUE(load.Error.isEmpty());
            EXPECT_EQ(load.Picture, current);
        }
    }
}

TEST_F(PictureFile, SaveAsAddsTheExtensionAndOnlyTheNativeSaveNamesTheFile) {
    const SaveResult mgs = SavePictureAs(Path("pic"), *FindFormat(u".mgs"), current);
    EXPECT_EQ(mgs.Path, Path("pic.mgs"));
    EXPECT_TRUE(mgs.Saved() && mgs.SetsCurrentFile);
    const SaveResult mg4 = SavePictureAs(Path("pic.mg4"), *FindFormat(u".mg4"), current);
    EXPECT_EQ(mg4.Path, Path("pic.mg4"));
    EXPECT_TRUE(mg4.Saved() && !mg4.SetsCurrentFile);
    EXPECT_EQ(Contents("pic.mg4"), WriteMg4File(current));
    const SaveResult failed = SavePictureAs(Path("no/dir/pic"), *FindFormat(u".mgs"), current);
    EXPECT_FALSE(failed.Saved() || failed.SetsCurrentFile);
}

TEST_F(PictureFile, AFailedSaveLeavesThePreviousFile) {
    EXPECT_TRUE(SavePictureFile(Path("no/such/dir/x.mgs"), *FindFormat(u".mgs"), current)
                    .startsWith("Cannot write " + Path("no/such/dir/x.mgs")));
    Write("keep.scr", "old");
    EXPECT_FALSE(SavePictureFile(Path("keep.scr"), *FindFormat(u".scr"), current).isEmpty());
    MgsImage invalid = current;
    invalid.CharHeight = 3;
    Write("keep.mg4", "old");
    EXPECT_FALSE(SavePictureFile(Path("keep.mg4"), *FindFormat(u".mg4"), invalid).isEmpty());
    EXPECT_EQ(Contents("keep.scr"), "old");
    EXPECT_EQ(Contents("keep.mg4"), "old");
}

} // namespace
