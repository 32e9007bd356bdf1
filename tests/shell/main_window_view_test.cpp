// SPDX-License-Identifier: GPL-3.0-or-later
// The view side of the main window: zoom keys and wheel, window and grid keys, the zoom
// selector, the timer's frame, the previews, About and the status bar.
#include "display/preview_views.h"
#include "display/status_bar.h"
#include "display/zoom.h"
#include "editing/key_table.h"
#include "shell/floating_window.h"
#include "shell/tool_key.h"
#include "support/main_window_fixture.h"
#include "support/widgets.h"

#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>

namespace {

void Wheel(QWidget* target, int delta, QPoint at = {5, 5}) {
    QWheelEvent event(QPointF(at), QPointF(target->mapToGlobal(at)), QPoint(), QPoint(0, delta),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &event);
}

class MainWindowView : public ShownMainWindow {
protected:
    QPoint Scroll() const {
        return {window.ScrollBox()->horizontalScrollBar()->value(),
                window.ScrollBox()->verticalScrollBar()->value()};
    }
};

// Keys, icons and the wheel reach the zoom level; the wheel acts once per tick and keeps the
// picture point under the pointer (the arithmetic is the zoom test's).
TEST_F(MainWindowView, ZoomKeysIconsAndWheel) {
    QTest::mouseClick(Child<ToolKey>(window, "KEY_Zoom4_1"), Qt::LeftButton);
    EXPECT_EQ(window.View()->size(), QSize(4096, 3072));
    EXPECT_TRUE(Child<ToolKey>(window, "KEY_Zoom4_1")->IsPressed());
    EXPECT_FALSE(Child<ToolKey>(window, "KEY_Zoom1_1")->IsPressed());
    EXPECT_GT(Scroll().y(), 1000); // the centre is kept: far from the corner
    QTest::mouseClick(window.findChild<QWidget*>("ImageZoom4"), Qt::LeftButton);
    EXPECT_EQ(window.State().View.ZoomLevel, 1);

    window.State().WheelReady = true;
    for (int i = 0; i < 5; ++i)
        Wheel(window.View(), 120);
    EXPECT_EQ(window.State().View.ZoomLevel, 2);
    EXPECT_FALSE(window.State().WheelReady);
    window.OnTimer();
    Wheel(window.View(), -120);
    window.OnTimer();
    Wheel(window.View(), -120); // at the end of the range: nothing, and the gate stays open
    EXPECT_EQ(window.State().View.ZoomLevel, 1);
    EXPECT_TRUE(window.State().WheelReady);

    for (const QPoint at : {QPoint(700, 500), QPoint(1500, 1100)}) {
        window.State().WheelReady = true;
        const QPoint global = window.View()->mapToGlobal(at);
        const int before = window.State().View.ZoomFactor();
        Wheel(window.View(), 120, at);
        const int after = window.State().View.ZoomFactor();
        ASSERT_NE(before, after);
        EXPECT_EQ(window.View()->mapFromGlobal(global) / after, at / before);
    }
}

TEST_F(MainWindowView, WindowAndGridKeysToggleShowTheirKeysAndRepaint) {
    FloatingWindow* palette = window.Panel("Panel_Color");
    QTest::keyClick(&window, Qt::Key_C);
    EXPECT_TRUE(palette->isVisible());
    EXPECT_TRUE(Child<ToolKey>(window, "KEY_Palette")->IsPressed());
    QTest::keyClick(&window, Qt::Key_C);
    EXPECT_FALSE(palette->isVisible() || Child<ToolKey>(window, "KEY_Palette")->IsPressed());
    QTest::keyClick(&window, Qt::Key_V, Qt::AltModifier);
    EXPECT_TRUE(window.Panel("Panel_ZoomPreview")->isVisible());
    EXPECT_FALSE(window.Panel("Panel_Preview")->isVisible());
    QTest::mouseClick(Child<ToolKey>(window, "KEY_BorderPalette"), Qt::RightButton);
    EXPECT_TRUE(window.Panel("Panel_Border")->isVisible());

    QTest::keyClick(&window, Qt::Key_G);
    EXPECT_TRUE(window.State().View.CharGrid && Child<ToolKey>(window, "Key_Grid")->IsPressed());
    QTest::mouseClick(Child<ToolKey>(window, "Key_zGrid"), Qt::LeftButton);
    const QImage view = window.View()->grab(QRect(0, 0, 8, 8)).toImage();
    EXPECT_EQ(view.pixel(0, 0), MakeRgb(255, 255, 255));
    EXPECT_EQ(view.pixel(4, 1), MakeRgb(128, 128, 128));
    QTest::keyClick(&window, Qt::Key_H);
    EXPECT_FALSE(window.State().View.PixelGrid);
}

TEST_F(MainWindowView, RefreshWithoutRerenderShowsTheOldPicture) {
    window.State().Picture.AttrPlane[0][0] = {14, 14};
    window.RefreshView(false);
    auto pixel = [&] { return window.View()->grab(QRect(0, 0, 4, 4)).toImage().pixel(1, 1); };
    EXPECT_EQ(pixel(), MakeRgb(0, 0, 0));
    window.RefreshView(true);
    EXPECT_EQ(pixel(), MixTable[14][0]);
}

// The selector's frame is drawn on the Preview's shown image, never into PreviewImage, and
// moving over the border erases it; a press sets the level and the scroll position.
TEST_F(MainWindowView, ZoomSelectorFramesOnThePreviewOnlyAndAPressZooms) {
    QTest::keyClick(&window, Qt::Key_V);
    ASSERT_TRUE(window.Panel("Panel_Preview")->isVisible());
    auto* preview = window.findChild<PreviewView*>("Editor_IMG_Preview");
    const QImage plain = preview->Shown().copy();
    window.TrackZoomSelector({100, 100});
    EXPECT_NE(preview->Shown(), plain);
    EXPECT_EQ(window.Images().PreviewImage, plain);
    window.CopyPreview();
    EXPECT_EQ(preview->Shown(), plain);

    QTest::keyClick(&window, Qt::Key_Up); // S 8 -> 12
    EXPECT_EQ(window.State().View.SelectorFactor, 12);
    window.TrackZoomSelector({40, 24}); // cell (2, 1)
    window.ApplyZoomSelector();
    EXPECT_EQ(window.State().View.ZoomLevel, 3);
    EXPECT_EQ(Scroll(), QPoint(12 * 2 * 8, 12 * 1 * 8));
    EXPECT_FALSE(window.Panel("Panel_Preview")->isVisible());
    EXPECT_FALSE(Child<ToolKey>(window, "KEY_Preview")->IsPressed());
}

TEST_F(MainWindowView, TimerTickAnimatesAnExistingSelectionOnly) {
    const QImage before = window.View()->grab(QRect(0, 0, 40, 40)).toImage();
    window.OnTimer();
    EXPECT_EQ(window.State().FramePhase, 4);
    EXPECT_TRUE(window.State().WheelReady);
    EXPECT_EQ(window.View()->grab(QRect(0, 0, 40, 40)).toImage(), before);

    SelectionRecord& selection = window.State().Selection;
    selection.exists = true;
    selection.w = selection.h = 1;
    window.OnTimer(); // phase 8: the frame's dashes are the frames test's
    const QImage frame = window.View()->grab(QRect(0, 0, 40, 40)).toImage();
    EXPECT_NE(frame, before);
    EXPECT_EQ(frame.copy(33, 0, 7, 40), before.copy(33, 0, 7, 40)); // outside the cell
}

TEST_F(MainWindowView, AboutIsCentredAndToggles) {
    window.ToggleAbout();
    FloatingWindow* about = window.Panel("Panel_About");
    EXPECT_TRUE(about->isVisible());
    const QSize outer = window.frameGeometry().size();
    EXPECT_EQ(about->pos(), QPoint(static_cast<int>(outer.width() / 2.0 - 345 / 2.0),
                                   static_cast<int>(outer.height() / 2.0 - 161 / 2.0)));
    EXPECT_EQ(about->findChild<QLabel*>("Label12")->text(), "version x0.96");
    window.ToggleAbout();
    EXPECT_FALSE(about->isVisible());
}

// The Preview Zoom window and the status bar follow the pointer.
TEST_F(MainWindowView, ZoomPreviewAndStatusBarFollowThePointer) {
    window.State().Picture.AttrPlane[1][PlaneIndex(20, 96)] = {6, 6};
    window.State().Picture.AttrPlane[0][PlaneIndex(31, 184)] = {2, 14};
    window.RefreshView(true);
    // Pointer over picture pixel (160, 100) at factor 4: the block starts at (116, 56).
    QTest::mouseMove(window.View(), QPoint(640, 400));
    auto* zoom = window.findChild<ZoomPreviewView*>("Editor_IMG_ZoomPreview");
    EXPECT_EQ(zoom->Shown().pixel(2 * (160 - 116), 2 * (100 - 56)), MixTable[0][6]);
    EXPECT_EQ(zoom->Shown().pixel(2 * (159 - 116), 2 * (100 - 56)), MixTable[0][0]);

    // Pixel (255, 191), which may lie outside the visible part of the view.
    QMouseEvent move(QEvent::MouseMove, QPointF(1023, 767),
                     QPointF(window.View()->mapToGlobal(QPoint(1023, 767))), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(window.View(), &move);
    // Near the corner the block stays inside the picture.
    auto* preview = window.findChild<PreviewView*>("Editor_IMG_Preview");
    EXPECT_EQ(zoom->Shown(), preview->Shown().copy(2 * 167, 2 * 104, 176, 176));
    auto text = [&](const char* name) {
        return window.findChild<QLabel*>(QString::fromLatin1(name))->text();
    };
    // The texts themselves are the status text test's.
    EXPECT_EQ(text("Status_Ax") + text("Status_Ay"), "X:255Y:191");
    EXPECT_TRUE(text("Status_Byte").startsWith("Adr: [#57FF,#5AFF]"));
    auto* swatch = window.findChild<QFrame*>("Status_Color0");
    EXPECT_EQ(swatch->palette().color(QPalette::Window).rgb(), MixTable[2][0]);
}

TEST_F(MainWindowView, EveryKeyAndButtonSaysWhatItIsAndSwatchHintsMatchTheirLabels) {
    QStringList silent;
    for (const QWidget* w : window.findChildren<QWidget*>()) {
        const bool control = qobject_cast<const ToolKey*>(w) ||
                             qobject_cast<const QPushButton*>(w) || w->inherits("PaletteButton") ||
                             w->objectName() == "Image6";
        if (control && w->toolTip().isEmpty())
            silent << w->objectName();
    }
    EXPECT_TRUE(silent.isEmpty()) << silent.join(' ').toStdString();
    // "P0+I1" and "PAP0+INK1" are paper 0 with ink 1: the hint names the same.
    for (int n = 0; n < 4; ++n) {
        for (auto [label, swatch] : {std::pair{n + 1, QStringLiteral("Pal4Color%1")},
                                     {n + 7, QStringLiteral("CharPal_SelectedColor%1")}}) {
            QString expected =
                Child<QLabel>(window, QStringLiteral("Label%1").arg(label).toLatin1().constData())
                    ->text();
            if (expected.size() < 6) // the toolbar's short form
                expected.replace('P', "PAP").replace('I', "INK");
            expected.replace('+', " + ");
            EXPECT_TRUE(Child<QWidget>(window, swatch.arg(n).toLatin1().constData())
                            ->toolTip()
                            .startsWith(expected))
                << expected.toStdString();
        }
    }
}

TEST_F(MainWindowView, MenusShowKeysTheKeyTableActsOnWithoutShortcuts) {
    int shown = 0;
    for (const QAction* action : window.findChildren<QAction*>()) {
        EXPECT_TRUE(action->shortcut().isEmpty()) << action->text().toStdString();
        const qsizetype tab = action->text().indexOf('\t');
        if (tab < 0)
            continue;
        ++shown;
        const QKeyCombination key = QKeySequence(action->text().mid(tab + 1))[0];
        EXPECT_FALSE(CommandsForKey(key.key(), key.keyboardModifiers()).empty())
            << action->text().toStdString();
    }
    EXPECT_GE(shown, 18);
    // The current char size carries the check mark in both menus.
    window.ConvertCharHeight(2);
    for (const char* menu : {"CreateNew1", "Changevertical1"})
        emit Child<QMenu>(window, menu)->aboutToShow();
    EXPECT_TRUE(Child<QAction>(window, "N3x81")->isChecked());
    EXPECT_TRUE(Child<QAction>(window, "Convertto8x2")->isChecked());
    EXPECT_FALSE(Child<QAction>(window, "Convertto8x8")->isChecked());
}

TEST(AddressLine, IsCutOnlyBetweenPieces) {
    const QString line = "Adr: [#57FF,#5AFF], Byte:#00/#00, Attr:#4F/#00, AdrAdd:6143,767";
    const QFontMetrics metrics(QApplication::font());
    for (int width = metrics.horizontalAdvance(line); width >= 0; width -= 7) {
        const QString shown = ElideAddressLine(line, metrics, width);
        if (shown == line || shown == QStringLiteral("\u2026"))
            continue;
        ASSERT_TRUE(shown.endsWith(QStringLiteral("\u2026"))) << shown.toStdString();
        const QString kept = shown.chopped(2); // the piece boundary " …"
        EXPECT_TRUE(kept.isEmpty() || line.startsWith(kept + ", ")) << shown.toStdString();
    }
}

} // namespace
