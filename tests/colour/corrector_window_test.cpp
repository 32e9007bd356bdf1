// SPDX-License-Identifier: GPL-3.0-or-later
// The colour corrector window: a button is an undoable edit every view follows, and the
// range dragged on its views is kept inside a new CharHeight.
#include "colour/corrector.h"
#include "colour/corrector_window.h"
#include "colour/image_control.h"
#include "support/main_window_fixture.h"
#include "support/test_pictures.h"
#include "support/widgets.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

class CorrectorWindow : public ShownMainWindow {};

ImageControl* Image(MainWindow& window, const char* name) {
    return Child<ImageControl>(window, name);
}

void Send(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButtons held) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(at), QPointF(target->mapToGlobal(at)), button, held,
                      Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

void Drag(QWidget* view, QPoint from, std::initializer_list<QPoint> moves, QPoint to) {
    Send(view, QEvent::MouseButtonPress, from, Qt::LeftButton);
    for (QPoint at : moves)
        Send(view, QEvent::MouseMove, at, Qt::LeftButton);
    Send(view, QEvent::MouseButtonRelease, to, Qt::NoButton);
}

// What a screen view must show: the renderer's screen image at 2x.
QImage Expected(MainWindow& window, int screen) {
    return CorrectorScreenView(window.Images().ScreenImage[screen]);
}

// A button is an undoable edit shown in every view at once, and an undo shows in the
// corrector's views too.
TEST_F(CorrectorWindow, ButtonsAreUndoableAndEveryViewFollows) {
    window.State().Picture = CellPicture(8, 12);
    window.RefreshView(true);
    window.ToggleCorrector();
    const MgsImage before = window.State().Picture;
    const QImage viewBefore = view->grab().toImage();
    Child<QPushButton>(window, "Button12")->click(); // Invert RGB of screen 1
    EXPECT_NE(window.State().Picture, before);
    EXPECT_NE(view->grab().toImage(), viewBefore);
    QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(window.State().Picture, before);
    EXPECT_EQ(view->grab().toImage(), viewBefore);
    EXPECT_EQ(Image(window, "IMGCorrector1")->Image(), Expected(window, 1));
}

TEST_F(CorrectorWindow, ChangingCharHeightBringsTheRangeBackInside) {
    window.NewPicture(1);
    window.ToggleCorrector();
    Drag(Image(window, "IMGCorrector0"), {64, 300}, {}, {200, 380});
    ASSERT_EQ(window.State().CorrectorRange.r0, 150);
    window.ConvertCharHeight(8);
    const CorrectorRangeRecord& range = window.State().CorrectorRange;
    EXPECT_EQ(QPoint(range.r0, range.r1), QPoint(23, 23));
    EXPECT_EQ(QPoint(range.c0, range.c1), QPoint(4, 12));
    window.NewPicture(2);
    EXPECT_EQ(QPoint(range.r0, range.r1), QPoint(23, 23));
}

} // namespace
