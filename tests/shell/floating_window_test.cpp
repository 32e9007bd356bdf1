// SPDX-License-Identifier: GPL-3.0-or-later
// The floating windows' title-bar drags.
#include "shell/floating_window.h"
#include "shell/main_window.h"
#include "support/main_window_fixture.h"

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

} // namespace
