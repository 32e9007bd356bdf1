// SPDX-License-Identifier: GPL-3.0-or-later
// The colour corrector window: its keys and menu item, the range dragged on its views,
// the buttons, and the range kept inside a new CharHeight.
#include "colour/corrector.h"
#include "colour/corrector_window.h"
#include "colour/image_control.h"
#include "shell/floating_window.h"
#include "support/main_window_fixture.h"
#include "support/test_pictures.h"
#include "support/widgets.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
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

TEST_F(CorrectorWindow, XTogglesItAndShowingFitsTheCharPanels) {
    window.NewPicture(2);
    FloatingWindow* corrector = window.Panel("Panel_Corrector");
    QTest::keyClick(&window, Qt::Key_X);
    EXPECT_TRUE(corrector->isVisible());
    EXPECT_EQ(window.findChild<QFrame*>("PanelCorrChar1")->height(), 12 * 2 + 4);
    QTest::keyClick(&window, Qt::Key_X);
    EXPECT_FALSE(corrector->isVisible());
    window.NewPicture(8);
    Trigger(window, "ShowHide1");
    EXPECT_EQ(window.findChild<QFrame*>("PanelCorrChar1")->height(), 100);
    // The close box hides it.
    QTest::mouseClick(Child<QLabel>(window, "Image16"), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(corrector->isVisible());
}

TEST_F(CorrectorWindow, DraggingMarksTheSameCellsOnBothViewsAndTheTimerFramesThem) {
    window.State().Picture = RandomPicture(8, 4);
    window.ToggleCorrector();
    ImageControl* view0 = Image(window, "IMGCorrector0");
    ImageControl* view1 = Image(window, "IMGCorrector1");
    Drag(view1, {100, 50}, {{40, 10}, {600, 500}}, {600, 500});
    const CorrectorRangeRecord& range = window.State().CorrectorRange;
    EXPECT_EQ(QRect(QPoint(range.c0, range.r0), QPoint(range.c1, range.r1)),
              QRect(QPoint(6, 3), QPoint(31, 23)));
    EXPECT_EQ(view0->Image(), Expected(window, 0)); // no frame until the tick

    // The strips mark the start cell's colours.
    const AttrCell cell0 = window.State().Picture.AttrPlane[0][PlaneIndex(6, 24)];
    EXPECT_EQ(Image(window, "ImgCorrINK0")->Image(), MarkedZxStrip(cell0.ink));

    window.OnTimer();
    for (int screen : {0, 1}) {
        const QImage shown = (screen == 0 ? view0 : view1)->Image();
        const QImage plain = Expected(window, screen);
        EXPECT_NE(shown, plain);
        // Only the outermost pixels of the range carry the frame.
        EXPECT_EQ(shown.copy(97, 49, 414, 334), plain.copy(97, 49, 414, 334));
        EXPECT_EQ(shown.copy(0, 0, 96, 384), plain.copy(0, 0, 96, 384));
    }
}

TEST_F(CorrectorWindow, ButtonsChangeThePlanesAndRepaintOnlyTheCorrector) {
    window.State().Picture = RandomPicture(4, 6);
    window.RefreshView(true);
    window.ToggleCorrector();
    const QImage screen0 = Image(window, "IMGCorrector0")->Image();
    const QImage screen1 = Image(window, "IMGCorrector1")->Image();
    const QImage preview = window.findChild<QWidget*>("Editor_IMG_Preview")->grab().toImage();
    const QImage rendered1 = window.Images().ScreenImage[1].copy();

    // The whole picture, then exchange: the views trade places.
    Drag(Image(window, "IMGCorrector0"), {0, 0}, {}, {511, 383});
    const MgsImage original = window.State().Picture;
    QTest::mouseClick(window.findChild<QPushButton*>("Button1"), Qt::LeftButton);
    EXPECT_EQ(window.State().Picture.PixelPlane[0], original.PixelPlane[1]);
    EXPECT_EQ(Image(window, "IMGCorrector0")->Image(), screen1);
    EXPECT_EQ(Image(window, "IMGCorrector1")->Image(), screen0);
    // The off-screen images follow; the Preview keeps what it showed until the next refresh.
    EXPECT_EQ(window.Images().ScreenImage[0], rendered1);
    EXPECT_EQ(window.findChild<QWidget*>("Editor_IMG_Preview")->grab().toImage(), preview);

    // "Invert All" on screen 0 keeps its look but not its planes.
    const MgsImage exchanged = window.State().Picture;
    QTest::mouseClick(window.findChild<QPushButton*>("Button2"), Qt::LeftButton);
    EXPECT_NE(window.State().Picture, exchanged);
    EXPECT_EQ(Image(window, "IMGCorrector0")->Image(), screen1);
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
