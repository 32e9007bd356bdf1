// SPDX-License-Identifier: GPL-3.0-or-later
// The settings file of the window positions, where it lives, and the windows placed from it.
#include "formats/ini_text.h"
#include "shell/floating_window.h"
#include "shell/main_window.h"
#include "shell/window_placement.h"
#include "shell/window_positions.h"
#include "support/temp_folder.h"

#include <QStandardPaths>
#include <QTest>

#include <sys/stat.h>

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

TEST_F(PositionsFile, NamesAreReadIgnoringCaseAsTheyAreWritten) {
    Write("tilesmith.ini", "[Positions]\nPicture_X=21\npalette_y=5\n[positions]\npalette_y=6\n");
    WindowPositions expected;
    expected.picture.moveLeft(21);
    expected.palette.setY(5);
    EXPECT_EQ(ReadWindowPositions(path), expected);
    // And the writer updates those same lines.
    ASSERT_EQ(WriteWindowPositions(path, expected), QString());
    EXPECT_EQ(ReadWindowPositions(path), expected);
}

TEST(TitleBarOnScreen, AWindowWhollyOffTheAreaComesBackByTheLeastMove) {
    const QRect area(0, 0, 1000, 800);
    const std::pair<QRect, QPoint> cases[] = {
        {{100, 100, 300, 200}, {100, 100}},   // inside: stays
        {{-290, 700, 300, 200}, {-290, 700}}, // a corner of the title bar shows: stays
        {{5000, 300, 300, 200}, {952, 300}},  // right of the area: a grip comes back
        {{-400, -50, 300, 200}, {-252, 0}},   // above and left
        {{200, 900, 300, 200}, {200, 783}},   // below: the whole title bar comes back
    };
    for (const auto& [bounds, expected] : cases)
        EXPECT_EQ(TitleBarOnScreen(bounds, 17, area), expected) << bounds.x() << "," << bounds.y();
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
    // The foreign section, in Latin-1 with CRLF endings, comes back byte for byte.
    const QByteArray foreign("[mine]\r\nkeep=caf\xe9\r\n\xff\xfe\r\n\r\n");
    Write("tilesmith.ini", foreign + "[positions]\nextra=5\npicture_x=1\n");
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
    EXPECT_TRUE(text.startsWith(foreign));
    EXPECT_TRUE(text.contains("extra=5"));
    EXPECT_TRUE(text.contains("palette_x=-120"));
    EXPECT_TRUE(text.contains("picture_align=1"));
}

TEST_F(PositionsFile, AFailedWriteNamesTheFileAndSaysWhy) {
    Write("file", "not a folder");
    const QString blocked = Path("file/tilesmith.ini");
    EXPECT_EQ(WriteWindowPositions(blocked, {}),
              "Unable to write to " + blocked + ": cannot create its folder");
    ASSERT_EQ(mkfifo(path.toLocal8Bit().constData(), 0600), 0);
    EXPECT_EQ(WriteWindowPositions(path, {}),
              "Unable to write to " + path + ": not a regular file");
}

TEST_F(PositionsFile, AFifoOrAHugeFileIsNotReadAndSaysSoOnce) {
    // A FIFO would block the start for good: it is neither opened for reading nor parsed.
    ASSERT_EQ(mkfifo(path.toLocal8Bit().constData(), 0600), 0);
    EXPECT_EQ(ReadWindowPositions(path), WindowPositions{});
    EXPECT_EQ(SettingsFileProblem(path),
              "Settings not read: Cannot open " + path + ": not a regular file");
    QFile::remove(path);
    Write("tilesmith.ini", "[positions]\npicture_x=5\n" + QByteArray(kMaxIniFileSize, ';'));
    EXPECT_EQ(ReadWindowPositions(path), WindowPositions{});
    EXPECT_TRUE(SettingsFileProblem(path).contains("larger than 1024 KiB"));
    EXPECT_TRUE(WriteWindowPositions(path, {}).endsWith("larger than 1024 KiB"));

    EXPECT_EQ(SettingsFileProblem(Path("none.ini")), QString());
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

TEST(FirstStart, OnASmallScreenTheWindowsInTheWayRollUpInsteadOfHidingControls) {
    // A main window the size of a maximised one on a 1366 x 768 screen: the five windows
    // hold more area than its work area.
    MainWindow window({});
    window.resize(1366, 720);
    window.show();
    window.ApplyWindowPositions({});
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const char* const names[] = {"Panel_Color", "Panel_Border", "Panel_ZoomPreview",
                                 "Panel_Corrector", "Panel_Preview"};
    auto expectNothingHidden = [&](const char* step) {
        const QRect area = window.Panel(names[0])->parentWidget()->rect();
        for (const char* name : names) {
            const FloatingWindow* panel = window.Panel(name);
            EXPECT_TRUE(panel->isVisible()) << step << name;
            EXPECT_TRUE(area.contains(panel->geometry())) << step << name;
            for (const char* other : names) {
                if (other != name && !panel->RolledUp()) {
                    EXPECT_FALSE(panel->geometry().intersects(window.Panel(other)->geometry()))
                        << step << name << " and " << other;
                }
            }
        }
    };
    for (Qt::Key key : {Qt::Key_C, Qt::Key_B, Qt::Key_X, Qt::Key_V})
        QTest::keyClick(&window, key);
    QTest::keyClick(&window, Qt::Key_V, Qt::AltModifier);
    expectNothingHidden("opened: ");
    EXPECT_FALSE(window.Panel("Panel_ZoomPreview")->RolledUp());

    // The corrector's key and a double-click on the palette's title bar bring each back
    // whole, where it was, and the others make room again.
    FloatingWindow* corrector = window.Panel("Panel_Corrector");
    ASSERT_TRUE(corrector->RolledUp());
    QTest::keyClick(&window, Qt::Key_X);
    EXPECT_EQ(corrector->size(), QSize(1041, 617));
    expectNothingHidden("corrector back: ");
    FloatingWindow* palette = window.Panel("Panel_Color");
    ASSERT_TRUE(palette->RolledUp());
    QTest::mouseDClick(palette->TitleBar(), Qt::LeftButton);
    EXPECT_EQ(palette->size(), QSize(342, 486));
    expectNothingHidden("palette back: ");
}
