// SPDX-License-Identifier: GPL-3.0-or-later
// The floating windows: title-bar drags, maximising the picture window, the sizing band and
// the minimum size.
#include "shell/floating_window.h"
#include "shell/main_window.h"
#include "support/main_window_fixture.h"

#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class FloatingWindows : public ShownMainWindow {};

// Drives a title-bar drag with events whose screen positions move by `delta`, as the real
// pointer does while the window moves under it.
void DragTitleBar(PanelTitleBar* bar, QPoint delta) {
    const QPoint local(40, 8);
    const QPoint global = bar->mapToGlobal(local);
    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(bar, &press);
    // Halfway, then the rest: each event's local position is stale because the window moved.
    for (QPoint step : {delta / 2, delta}) {
        QMouseEvent move(QEvent::MouseMove, local, global + step, Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(bar, &move);
    }
    QMouseEvent release(QEvent::MouseButtonRelease, local, global + delta, Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(bar, &release);
}

TEST_F(FloatingWindows, TitleBarDragMovesByExactlyThePointerDelta) {
    FloatingWindow* palette = window.Panel("Panel_Color");
    palette->show();
    const QPoint start = palette->pos();
    DragTitleBar(palette->TitleBar(), QPoint(30, -10));
    EXPECT_EQ(palette->pos(), start + QPoint(30, -10));
    // Not clamped: a window may leave the main window.
    DragTitleBar(palette->TitleBar(), QPoint(-500, -300));
    EXPECT_EQ(palette->pos(), start + QPoint(-470, -310));
    // The maximised picture window does not move.
    TFreePanel* picture = window.PictureWindow();
    const QRect before = picture->geometry();
    DragTitleBar(picture->TitleBar(), QPoint(30, 30));
    EXPECT_EQ(picture->geometry(), before);
}

TEST_F(FloatingWindows, MaximiseRestoreSizingBandAndMinimumSize) {
    // A window that started maximised restores to the initial restore rectangle.
    TFreePanel* picture = window.PictureWindow();
    window.TogglePictureMaximised();
    EXPECT_EQ(picture->Align(), FloatingWindow::Alignment::Free);
    EXPECT_EQ(picture->geometry(), QRect(2, 42, 640, 480));
    using A = TPanelCaption::HitArea;
    const std::pair<QPoint, A> hits[] = {{{639, 479}, A::BottomRight}, {{634, 474}, A::Client},
                                         {{635, 475}, A::BottomRight}, {{634, 300}, A::Client},
                                         {{635, 300}, A::Right},       {{5, 5}, A::TopLeft},
                                         {{639, 0}, A::TopRight},      {{0, 479}, A::BottomLeft},
                                         {{300, 2}, A::Top},           {{2, 300}, A::Left}};
    for (auto [point, area] : hits)
        EXPECT_EQ(picture->HitTest(point), area) << point.x() << "," << point.y();

    // Dragging the bottom-right corner far up and left stops at 524 x 414.
    const QPoint corner(638, 478);
    QTest::mousePress(picture, Qt::LeftButton, {}, corner);
    QMouseEvent move(QEvent::MouseMove, QPointF(corner - QPoint(400, 400)),
                     QPointF(picture->mapToGlobal(corner) - QPoint(400, 400)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(picture, &move);
    QTest::mouseRelease(picture, Qt::LeftButton, {}, corner - QPoint(400, 400));
    EXPECT_EQ(picture->geometry(), QRect(2, 42, 524, 414));

    // Maximised, nothing is an edge; restored, the same rectangle again.
    picture->setGeometry(100, 90, 700, 500);
    window.TogglePictureMaximised();
    EXPECT_EQ(picture->Align(), FloatingWindow::Alignment::Client);
    EXPECT_NE(picture->geometry(), QRect(100, 90, 700, 500));
    EXPECT_EQ(picture->HitTest({1, 1}), A::Client);
    window.TogglePictureMaximised();
    EXPECT_EQ(picture->geometry(), QRect(100, 90, 700, 500));
}

} // namespace
