#include "display/picture_view.h"
#include "picture/colour.h"
#include "shell/main_window.h"

#include <QAction>
#include <QImage>

#include <gtest/gtest.h>

namespace {

TEST(PictureView, GrabShowsTheGridsAtTheViewCorners) {
    MainWindow window({});
    window.show();
    EditorState& state = window.State();
    state.View.PixelGrid = true;
    state.View.CharGrid = true;
    state.Picture.AttrPlane[0][PlaneIndex(31, 184)] = {4, 4};
    window.RefreshView(true);

    const QImage view = window.View()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(view.size(), QSize(1024, 768));
    EXPECT_EQ(view.pixel(0, 0), MakeRgb(255, 255, 255));
    EXPECT_EQ(view.pixel(4, 1), MakeRgb(128, 128, 128));
    EXPECT_EQ(view.pixel(1, 1), MakeRgb(0, 0, 0));
    // Bottom-right cell: the picture's colour up to the last pixel, no closing line.
    EXPECT_EQ(view.pixel(1023, 767), MixTable[4][0]);
    EXPECT_EQ(view.pixel(992, 766), MakeRgb(255, 255, 255)); // char grid's left line
    EXPECT_EQ(view.pixel(993, 736), MakeRgb(128, 128, 128)); // char grid's top line
}

TEST(PictureView, RefreshWithoutRerenderShowsTheOldPicture) {
    MainWindow window({});
    window.show();
    window.State().Picture.AttrPlane[0][0] = {14, 14};
    window.RefreshView(false);
    auto pixel = [&] { return window.View()->grab(QRect(0, 0, 4, 4)).toImage().pixel(1, 1); };
    EXPECT_EQ(pixel(), MakeRgb(0, 0, 0));
    window.RefreshView(true);
    EXPECT_EQ(pixel(), MixTable[14][0]);
}

} // namespace
