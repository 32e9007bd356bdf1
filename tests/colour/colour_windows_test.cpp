#include "colour/border_palette.h"
#include "colour/gradient_palette_view.h"
#include "picture/palette_images.h"
#include "shell/floating_window.h"
#include "shell/main_window.h"

#include <QFrame>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

TEST(BorderPaletteWindow, StartsMarkedAtBlackAndAPressSetsTheBorderAndThePreviewFrame) {
    MainWindow window({});
    window.show();
    auto* palette = window.findChild<ImageControl*>(QStringLiteral("Img_Palette_Border"));
    ASSERT_NE(palette, nullptr);
    const QPoint origin = window.Panel(QStringLiteral("Panel_Border"))->contentsRect().topLeft();
    EXPECT_EQ(palette->parentWidget()->geometry(), QRect(origin + QPoint(8, 26), QSize(130, 130)));
    EXPECT_EQ(palette->Image(), MarkedBorderPalette(0, 0));

    QTest::mousePress(palette, Qt::RightButton, {}, QPoint(40, 20));
    EXPECT_EQ(window.State().Picture.BorderPair, (std::array<uint8_t, 2>{2, 1}));
    EXPECT_EQ(window.State().BorderRGB, MakeRgb(0x73, 0, 0x73));
    EXPECT_EQ(palette->Image(), MarkedBorderPalette(2, 1));
    auto* frame = window.findChild<QFrame*>(QStringLiteral("PanelBorderPreview"));
    EXPECT_EQ(frame->palette().color(QPalette::Window), QColor(0x73, 0, 0x73));

    // A second press inside the marked cell: the colour of that cell, not of the marker.
    QTest::mousePress(palette, Qt::LeftButton, {}, QPoint(40, 23));
    EXPECT_EQ(frame->palette().color(QPalette::Window), QColor(0x73, 0, 0x73));
    QTest::mousePress(palette, Qt::LeftButton, {}, QPoint(127, 127));
    EXPECT_EQ(frame->palette().color(QPalette::Window), QColor(0xCA, 0xCA, 0xCA));
}

// Stands in for the Full Palette window's image and its markers.
struct FullPaletteStandIn {
    QImage image = MakeFullPaletteImage();
    int repaints = 0;
};

TEST(GradientPaletteView, SitsInTheFullPaletteWindowAndBlinksTheAttachedImage) {
    MainWindow window({});
    window.show();
    GradientPaletteView* gradient = window.GradientPalette();
    ASSERT_EQ(gradient, window.findChild<ImageControl*>(QStringLiteral("Image_PaletteGradient")));
    FloatingWindow* panel = window.Panel(QStringLiteral("Panel_Color"));
    EXPECT_EQ(gradient->parentWidget(), panel);
    EXPECT_EQ(gradient->geometry(),
              QRect(panel->contentsRect().topLeft() + QPoint(8, 40), QSize(76, 229)));
    QTimer* timer = gradient->findChild<QTimer*>(QStringLiteral("Timer_GradPal"));
    ASSERT_EQ(timer, gradient->Timer());
    EXPECT_EQ(timer->interval(), 100);
    EXPECT_FALSE(timer->isActive());

    FullPaletteStandIn full;
    gradient->AttachFullPalette(&full.image, [&full] { ++full.repaints; });
    QTest::mousePress(gradient, Qt::LeftButton, {}, QPoint(5, 60));
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(gradient->Blink().BlinkCellCount, 8);
    gradient->Tick();
    EXPECT_EQ(full.image.pixel(16 * 13 + 8, 8), MakeRgb(255, 255, 255));
    QTest::mousePress(gradient, Qt::LeftButton, {}, QPoint(1, 1)); // outside every box
    EXPECT_FALSE(timer->isActive());
    EXPECT_EQ(full.image, MakeFullPaletteImage());

    // Left to itself, a blink ends after 21 ticks with every cell in its own colour.
    QTest::mousePress(gradient, Qt::LeftButton, {}, QPoint(51, 60));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !timer->isActive(); }, 5000));
    EXPECT_EQ(full.repaints, 2 + 20); // the first tick, the end of that blink, this one
    EXPECT_EQ(full.image, MakeFullPaletteImage());
}

} // namespace
