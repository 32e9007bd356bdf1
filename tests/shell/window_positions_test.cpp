// SPDX-License-Identifier: GPL-3.0-or-later
// The settings file of the window positions, where it lives, and the windows placed from it.
#include "shell/floating_window.h"
#include "shell/main_window.h"
#include "shell/window_placement.h"
#include "shell/window_positions.h"
#include "support/temp_folder.h"

#include <QStandardPaths>

#include <gtest/gtest.h>

namespace {

class PositionsFile : public testing::Test, public TempFolder {
protected:
    const QString path = Path("tilesmith.ini");
};

TEST_F(PositionsFile, LivesInAWritableProgramFolderOrElseInTheUsersConfiguration) {
    EXPECT_EQ(SettingsFilePath(dir.path() + '/'), path);
    EXPECT_EQ(SettingsFilePath(Path("no/such/folder/")),
              QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                  "/tilesmith/tilesmith.ini");
}

TEST_F(PositionsFile, MissingFileSectionOrKeysGiveTheDefaults) {
    EXPECT_EQ(ReadWindowPositions(Path("none.ini")), WindowPositions{});
    Write("tilesmith.ini", "[other]\npicture_x=77\n");
    EXPECT_EQ(ReadWindowPositions(path), WindowPositions{});
    Write("tilesmith.ini", "[positions]\npicture_x=12abc\npicture_y=\npalette_x=  9 \n"
                           "zoompreview_y=x\n\x01\x02garbage line\n");
    WindowPositions expected;
    expected.palette.setX(9);
    EXPECT_EQ(ReadWindowPositions(path), expected);
}

TEST_F(PositionsFile, ExtremeValuesAreHeldInsideTheWindowSystemsRange) {
    Write("tilesmith.ini", "[positions]\npicture_width=2000000000\npicture_height=-5\n"
                           "palette_x=-99999999\npreview_y=40000\n");
    const WindowPositions p = ReadWindowPositions(path);
    EXPECT_EQ(p.picture.width(), kMaxWindowCoordinate);
    EXPECT_EQ(p.picture.height(), kMinPictureHeight);
    EXPECT_EQ(p.palette.x(), -kMaxWindowCoordinate);
    EXPECT_EQ(p.preview.y(), kMaxWindowCoordinate);
}

TEST_F(PositionsFile, RoundTripKeepsNegativePositionsAndOtherSections) {
    Write("tilesmith.ini", "[mine]\nkeep=this\n\n[positions]\nextra=5\npicture_x=1\n");
    WindowPositions p;
    p.picture = QRect(100, 50, 600, 500);
    p.pictureFree = true;
    p.palette = QPoint(-120, -7);
    p.borderPalette = QPoint(400, 9);
    p.preview = QPoint(5, 6);
    p.zoomPreview = QPoint(-3000, 2000);
    p.corrector = QPoint(11, 12);
    EXPECT_EQ(WriteWindowPositions(path, p), QString());
    EXPECT_EQ(ReadWindowPositions(path), p);
    const QByteArray text = Contents("tilesmith.ini");
    EXPECT_TRUE(text.contains("keep=this"));
    EXPECT_TRUE(text.contains("extra=5"));
    EXPECT_TRUE(text.contains("palette_x=-120"));
    EXPECT_TRUE(text.contains("picture_align=1"));
}

TEST_F(PositionsFile, AFailedWriteNamesTheFile) {
    Write("file", "not a folder");
    const QString blocked = Path("file/tilesmith.ini");
    EXPECT_EQ(WriteWindowPositions(blocked, {}), "Unable to write to " + blocked);
}

TEST(WindowPositions, AMaximisedPictureWindowSavesItsMaximisedBounds) {
    MainWindow window({});
    window.resize(1200, 900);
    window.show();
    window.ApplyWindowPositions({});
    const WindowPositions saved = window.CurrentWindowPositions();
    EXPECT_FALSE(saved.pictureFree);
    EXPECT_EQ(saved.picture, window.PictureWindow()->geometry());
    // Starting again from what was saved: maximised again, and restore gives the default.
    MainWindow again({});
    again.resize(1200, 900);
    again.show();
    again.ApplyWindowPositions(saved);
    EXPECT_EQ(again.PictureWindow()->Align(), FloatingWindow::Alignment::Client);
    again.TogglePictureMaximised();
    EXPECT_EQ(again.PictureWindow()->geometry(), QRect(2, 42, 640, 480));
}

TEST(FirstStart, FloatingWindowsKeepOffEachOtherAndOnTheScreen) {
    // The work areas of a maximised main window on 1920 x 1080 and 1366 x 768 screens, each
    // with the picture centred at zoom level 1.
    const std::vector<QSize> sizes = {{342, 486}, {150, 166}, {193, 209}, {1041, 617}, {650, 510}};
    for (auto [area, apart] :
         {std::pair{QRect(2, 43, 1912, 950), 4}, {QRect(2, 43, 1358, 640), 2}}) {
        const QRect picture(area.center().x() - 513, area.top() + 100, 1026, 770);
        const std::vector<QPoint> at = PlaceFloatingWindows(area, picture, sizes);
        ASSERT_EQ(at.size(), sizes.size());
        for (std::size_t i = 0; i < at.size(); ++i) {
            const QRect r(at[i], sizes[i]);
            EXPECT_TRUE(area.contains(r)) << i;
            // The first `apart` windows do not cover each other; at 1920 x 1080 the palette
            // also stays off the picture.
            for (std::size_t j = 0; j < i && int(i) < apart; ++j)
                EXPECT_FALSE(r.intersects(QRect(at[j], sizes[j]))) << i << " over " << j;
        }
        if (area.width() > 1900) {
            EXPECT_FALSE(QRect(at[0], sizes[0]).intersects(picture));
        }
    }
}

} // namespace
