// SPDX-License-Identifier: GPL-3.0-or-later
// The View menu, drawing on one screen and the History window, through keys and clicks.
#include "display/preview_views.h"
#include "display/status_bar.h"
#include "shell/floating_window.h"
#include "shell/tool_key.h"
#include "support/main_window_fixture.h"
#include "support/test_pictures.h"
#include "support/widgets.h"

#include <QListWidget>

namespace {

using MainWindowHardware = ShownMainWindow;

TEST_F(MainWindowHardware, ViewKeysShowEachScreenTheFlickerAndTheInterlaceInViewAndPreview) {
    window.State().Picture = RandomPicture(8, 4);
    window.RefreshView(true);
    // Paint in the mix first: the single screens must still show the new pixels.
    QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(2, 6));
    const RenderImages& images = window.Images();
    struct Row {
        int key;
        ViewMode mode;
        const QImage* screenAtRow1; // odd picture rows
        const QImage* screenAtRow0; // even picture rows
    };
    const Row rows[] = {
        {Qt::Key_F6, ViewMode::Screen0, &images.ScreenImage[0], &images.ScreenImage[0]},
        {Qt::Key_F7, ViewMode::Screen1, &images.ScreenImage[1], &images.ScreenImage[1]},
        {Qt::Key_F9, ViewMode::Interlace, &images.ScreenImage[1], &images.ScreenImage[0]},
        {Qt::Key_F5, ViewMode::Mix, &images.MixedImage, &images.MixedImage},
    };
    for (const Row& row : rows) {
        QTest::keyClick(&window, static_cast<Qt::Key>(row.key));
        EXPECT_EQ(window.State().View.Mode, row.mode);
        RenderImages fresh = RenderImages::Create();
        RenderPicture(window.State().Picture, fresh);
        for (QPoint p : {QPoint(0, 1), QPoint(37, 12), QPoint(0, 0), QPoint(200, 150)}) {
            const QImage* source = p.y() % 2 ? row.screenAtRow1 : row.screenAtRow0;
            EXPECT_EQ(ViewPixel(p * 4), source->pixel(p)) << p.x() << "," << p.y();
            EXPECT_EQ(Child<PreviewView>(window, "Editor_IMG_Preview")->Shown().pixel(p * 2),
                      source->pixel(p));
        }
        EXPECT_EQ(images.ScreenImage[0], fresh.ScreenImage[0]);
    }

    QTest::keyClick(&window, Qt::Key_F8);
    EXPECT_EQ(window.State().View.Mode, ViewMode::Flicker);
    EXPECT_NE(window.findChild<QWidget*>("FlickerNote"), nullptr); // the one-time note
    const int first = window.State().View.FlickerScreen;
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.State().View.FlickerScreen != first; }, 500));
    const int shown = window.State().View.FlickerScreen;
    EXPECT_EQ(&window.ShownImage(), &images.ScreenImage[shown]);
    QTest::keyClick(&window, Qt::Key_F5);
    QTest::keyClick(&window, Qt::Key_F8);
    EXPECT_EQ(window.findChildren<QWidget*>("FlickerNote").size(), 1);
}

TEST_F(MainWindowHardware, DrawOnKeysSwitchTheToolbarAndStatusAndLeaveTheOtherScreen) {
    window.State().Picture = RandomPicture(8, 2);
    window.State().Drawing.CurrentCharColor = 3;
    QTest::keyClick(&window, Qt::Key_F4);
    EXPECT_TRUE(Child<ToolKey>(window, "KEY_DrawOn_1")->IsPressed());
    EXPECT_FALSE(Child<ToolKey>(window, "KEY_DrawOn_Both")->IsPressed());
    EXPECT_EQ(Child<QLabel>(window, "Status_DrawOn")->text(), "Draw on: screen 1");
    const MgsImage before = window.State().Picture;
    QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(40, 40));
    EXPECT_EQ(window.State().Picture.PixelPlane[0], before.PixelPlane[0]);
    EXPECT_EQ(window.State().Picture.AttrPlane[0], before.AttrPlane[0]);
    EXPECT_NE(window.State().Picture.PixelPlane[1], before.PixelPlane[1]);
    QTest::mouseClick(Child<ToolKey>(window, "KEY_DrawOn_Both"), Qt::LeftButton);
    EXPECT_EQ(window.State().Drawing.DrawScreen, DrawOn::Both);
}

TEST_F(MainWindowHardware, HistoryListsNewestFirstAndAJumpIsOneCtrlZFromUndone) {
    EditorState& state = window.State();
    state.Drawing.CurrentCharColor = 3;
    QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(8, 8));
    window.findChild<QAction*>("History1")->trigger(); // lists what came before it too
    ASSERT_TRUE(window.Panel("Panel_History")->isVisible());
    auto* list = Child<QListWidget>(window, "List_History");
    EXPECT_EQ(list->count(), 1);
    const MgsImage afterPencil = state.Picture;
    window.ConvertCharHeight(2);
    state.Selection.exists = true;
    state.Selection.w = state.Selection.h = 2;
    QTest::keyClick(&window, Qt::Key_Delete);
    const MgsImage afterDelete = state.Picture;
    ASSERT_EQ(list->count(), 3);
    EXPECT_TRUE(list->item(0)->text().startsWith("Delete\n"));
    EXPECT_TRUE(list->item(2)->text().startsWith("Pencil\n"));

    // A click on the oldest makes it the picture; Ctrl+Z swaps back to before the click.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(2)).center());
    EXPECT_EQ(Planes(state.Picture), Planes(afterPencil));
    EXPECT_EQ(list->currentRow(), 2);
    QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Planes(state.Picture), Planes(afterDelete));

    // The step keys move through the entries from the last one reached.
    QTest::keyClick(&window, Qt::Key_Z, Qt::AltModifier | Qt::ShiftModifier);
    EXPECT_EQ(list->currentRow(), 1);
    QTest::keyClick(&window, Qt::Key_Z, Qt::AltModifier);
    EXPECT_EQ(Planes(state.Picture), Planes(afterPencil));
    state.SavedPicture = state.Picture; // nothing unsaved, so New asks nothing
    window.NewPicture(8);
    EXPECT_EQ(list->count(), 0);
}

} // namespace
