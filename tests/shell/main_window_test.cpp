// SPDX-License-Identifier: GPL-3.0-or-later
// New and Convert from the File menu: what they keep, and their undo copies.
#include "display/picture_view.h"
#include "shell/main_window.h"
#include "support/main_window_fixture.h"
#include "support/test_pictures.h"
#include "support/widgets.h"

#include <gtest/gtest.h>

namespace {

TEST(MainWindow, NewClearsThePictureAndResetsTheZoomConvertKeepsThePlanes) {
    auto dialogs = std::make_unique<FakeDialogs>();
    dialogs->closeAnswer = SaveChangesAnswer::Discard;
    MainWindow window({}, std::move(dialogs));
    window.show();
    MgsImage& picture = window.State().Picture;
    picture.AttrPlane[1][777] = {9, 10};
    const PicturePlanes before = picture;
    for (auto [name, height] : {std::pair{"Convertto8x4", 4},
                                {"Convertto8x2", 2},
                                {"Convertto8x1", 1},
                                {"Convertto8x8", 8}}) {
        Trigger(window, name);
        EXPECT_EQ(picture.CharHeight, height);
        EXPECT_EQ(Planes(picture), before);
        EXPECT_EQ(window.windowTitle(), "*tileSmith x0.96"); // the change mark
    }
    // Each conversion was an edit: undo brings back the char height before the last one.
    window.SwapUndo();
    EXPECT_EQ(picture.CharHeight, 1);
    window.SetZoom(3);
    Trigger(window, "N1x81");
    EXPECT_EQ(picture.CharHeight, 1);
    EXPECT_EQ(Planes(picture), PicturePlanes{});
    EXPECT_EQ(window.windowTitle(), "tileSmith x0.96");
    window.SwapUndo(); // a fresh history: nothing to undo
    EXPECT_EQ(Planes(picture), PicturePlanes{});
    EXPECT_EQ(window.State().View.ZoomLevel, 1);
    EXPECT_EQ(window.View()->size(), QSize(1024, 768));
}

} // namespace
