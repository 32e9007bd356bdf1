// SPDX-License-Identifier: GPL-3.0-or-later
// The History window through keys and clicks.
#include "shell/floating_window.h"
#include "support/main_window_fixture.h"
#include "support/test_pictures.h"
#include "support/widgets.h"

#include <QListWidget>

namespace {

using MainWindowHardware = ShownMainWindow;

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
