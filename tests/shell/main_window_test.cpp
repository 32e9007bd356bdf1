#include "display/picture_view.h"
#include "shell/main_window.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <gtest/gtest.h>

namespace {

QAction* Item(MainWindow& window, const char* name) {
    auto* action = window.findChild<QAction*>(QString::fromLatin1(name));
    EXPECT_NE(action, nullptr) << name;
    return action;
}

TEST(MainWindow, StartsWithItsCaptionAndAnEmpty8x8PictureAtZoom1) {
    MainWindow window({});
    window.show();
    EXPECT_EQ(window.windowTitle(), "tileSmith x0.96");
    EXPECT_EQ(window.State().Picture, MgsImage{});
    EXPECT_EQ(window.State().View.ZoomLevel, 1);
    EXPECT_EQ(window.View()->size(), QSize(1024, 768));
    EXPECT_FALSE(window.State().View.PixelGrid);
    EXPECT_FALSE(window.State().View.CharGrid);
    EXPECT_TRUE(window.State().ProgramDir.endsWith('/'));
}

TEST(MainWindow, MenuBarHoldsTheFourMenus) {
    MainWindow window({});
    QStringList titles;
    for (QAction* action : window.menuBar()->actions())
        titles << action->text();
    EXPECT_EQ(titles, (QStringList{"File", "Edit", " Color Corrector", "About"}));
}

TEST(MainWindow, NewClearsThePictureKeepsTheBorderAndResetsTheZoom) {
    MainWindow window({});
    window.show();
    MgsImage& picture = window.State().Picture;
    picture.PixelPlane[1][99] = 0xF0;
    picture.AttrPlane[0][5] = {3, 5};
    picture.BorderPair = {2, 5};
    window.SetZoom(3);
    Item(window, "N1x81")->trigger();
    EXPECT_EQ(picture.CharHeight, 1);
    EXPECT_EQ(static_cast<const PicturePlanes&>(picture), PicturePlanes{});
    EXPECT_EQ(picture.BorderPair, (std::array<uint8_t, 2>{2, 5}));
    EXPECT_EQ(window.State().View.ZoomLevel, 1);
    EXPECT_EQ(window.View()->size(), QSize(1024, 768));
}

TEST(MainWindow, ConvertKeepsThePlanes) {
    MainWindow window({});
    window.show();
    MgsImage& picture = window.State().Picture;
    picture.AttrPlane[1][777] = {9, 10};
    const PicturePlanes before = picture;
    const std::pair<const char*, int> items[] = {
        {"Convertto8x4", 4}, {"Convertto8x2", 2}, {"Convertto8x1", 1}, {"Convertto8x8", 8}};
    for (auto [name, height] : items) {
        Item(window, name)->trigger();
        EXPECT_EQ(picture.CharHeight, height);
        EXPECT_EQ(static_cast<const PicturePlanes&>(picture), before);
    }
    for (const char* name : {"N8x8StandartGigascreen1", "N4x81", "N3x81"})
        EXPECT_NE(Item(window, name), nullptr);
}

} // namespace
