// SPDX-License-Identifier: GPL-3.0-or-later
// The settings file of the window positions, where it lives, and the windows placed from it.
#include "shell/floating_window.h"
#include "shell/main_window.h"
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
    // The seventeen keys follow one another in their own order, the existing one in place.
    const QByteArray section = text.mid(text.indexOf("[positions]"));
    EXPECT_LT(section.indexOf("extra=5"), section.indexOf("picture_y="));
    qsizetype last = -1;
    for (const char* key :
         {"picture_x=", "picture_y=", "picture_width=", "picture_height=", "picture_align=",
          "palette_x=", "palette_y=", "borderpal_x=", "borderpal_y=", "preview_x=", "preview_y=",
          "zoompreview_x=", "zoompreview_y=", "colorcorrector_x=", "colorcorrector_y=",
          "history_x=", "history_y="}) {
        const qsizetype at = section.indexOf(key);
        EXPECT_GT(at, last) << key;
        last = at;
    }
}

TEST_F(PositionsFile, AFailedWriteNamesTheFile) {
    Write("file", "not a folder");
    const QString blocked = Path("file/tilesmith.ini");
    EXPECT_EQ(WriteWindowPositions(blocked, {}), "Unable to write to " + blocked);
}

TEST(WindowPositions, StartUpPlacesTheWindows) {
    MainWindow window({});
    window.show();
    // No settings: the picture window fills the work space.
    window.ApplyWindowPositions({});
    EXPECT_EQ(window.PictureWindow()->Align(), FloatingWindow::Alignment::Client);

    WindowPositions p;
    p.picture = QRect(100, 50, 600, 500);
    p.pictureFree = true;
    p.corrector = QPoint(-40, 7);
    window.ApplyWindowPositions(p);
    EXPECT_EQ(window.PictureWindow()->Align(), FloatingWindow::Alignment::Free);
    EXPECT_EQ(window.PictureWindow()->geometry(), QRect(100, 50, 600, 500));
    EXPECT_EQ(window.CurrentWindowPositions(), p);
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

} // namespace
