// SPDX-License-Identifier: GPL-3.0-or-later
// The palette windows through their widgets: the Full Palette window with its gradient
// palette, the toolbar strip, the D-Bus payload and the Border Palette window.
#include "colour/border_palette.h"
#include "colour/gradient_palette_view.h"
#include "colour/palette_bus.h"
#include "colour/palette_window.h"
#include "support/main_window_fixture.h"

#include <QDBusMessage>
#include <QFrame>
#include <QTimer>

#include <gtest/gtest.h>

#include <limits>

namespace {

constexpr Rgb kWhite = MakeRgb(255, 255, 255);

class Palettes : public ShownMainWindow {
protected:
    void SetUp() override {
        ShownMainWindow::SetUp();
        QTest::keyClick(&window, Qt::Key_C);
    }
    DrawingState& Drawing() { return window.State().Drawing; }
    // Which of the eight swatches and four ZX buttons show pressed.
    std::array<bool, 4> Swatches(bool toolbar) const {
        std::array<bool, 4> pressed{};
        for (int n = 0; n < 4; ++n)
            pressed[n] =
                (toolbar ? palettes->ToolbarSwatch(n) : palettes->WindowSwatch(n))->IsPressed();
        return pressed;
    }
    std::array<bool, 4> ZxButtons() const {
        std::array<bool, 4> pressed{};
        for (int i = 0; i < 4; ++i)
            pressed[i] = palettes->ZxButtonControl(static_cast<ZxButton>(i))->IsPressed();
        return pressed;
    }
    void Click(QWidget* widget, QPoint at = {5, 5}, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(widget, button, {}, at);
    }

    ColourPalettes* palettes = window.Palettes();
};

TEST_F(Palettes, FirstShowDrawsThePalettesForColourZero) {
    EXPECT_EQ(palettes->FullPalette()->Image().pixel(6, 6), kWhite); // marker at (0, 0)
    EXPECT_EQ(palettes->Strip(PaletteStrip::Paper1)->Image().pixel(16 * 9 + 1, 1), ZxColour(9));
    EXPECT_EQ(Swatches(false), (std::array<bool, 4>{true, false, false, false}));
}

// The window's controls reach the core's rules and repaint: the full palette, a strip, a
// digit key, a swatch and a ZX button.
TEST_F(Palettes, ClicksAndKeysSetTheColoursAndRepaint) {
    Drawing().CurrentCharColor = 1;
    Drawing().CurrentAttr = {3, 13, 5, 7};
    Click(palettes->FullPalette(), {100, 200});
    EXPECT_EQ(Drawing().CurrentAttr, (AttrSet{6, 14, 6, 12}));
    EXPECT_EQ(palettes->ToolbarSwatch(1)->Colour(), Mix(6, 12));
    EXPECT_EQ(palettes->FullPalette()->Image().pixel(16 * 6 + 6, 16 * 12 + 6), kWhite);
    // The ink0 strip is IMG_PAP0; any button acts.
    Click(window.findChild<QWidget*>("IMG_PAP0"), {40, 8}, Qt::RightButton);
    EXPECT_EQ(Drawing().CurrentAttr, (AttrSet{6, 2, 6, 12}));
    EXPECT_EQ(palettes->WindowSwatch(0)->Colour(), Mix(6, 6));
    EXPECT_EQ(window.State().Picture, MgsImage{}); // choosing colours never paints

    QTest::keyClick(&window, Qt::Key_At, Qt::ShiftModifier); // Shift+2 on a US layout
    EXPECT_EQ(Drawing().CurrentCharColor, 1);
    Click(palettes->ZxButtonControl(ZxButton::Ink0)); // "INK0" sets bit0: 1 -> 3
    EXPECT_EQ(Swatches(true), (std::array<bool, 4>{false, false, false, true}));
    EXPECT_EQ(Swatches(false), Swatches(true));
    Click(palettes->WindowSwatch(1), {5, 5}, Qt::RightButton); // no click
    EXPECT_EQ(Drawing().CurrentCharColor, 3);
    Click(palettes->ToolbarSwatch(0));
    EXPECT_EQ(Drawing().CurrentCharColor, 0);
    EXPECT_EQ(ZxButtons(), (std::array<bool, 4>{true, false, true, false}));
}

TEST(PaletteBus, OnlyAnIntegerFirstArgumentIsAPayload) {
    const std::pair<QVariantList, std::optional<qint64>> cases[] = {
        {{0x70E1u, 0u}, 0x70E1},
        {{qint64{-5}}, -5}, // left for the decoder to refuse
        {{std::numeric_limits<qulonglong>::max()}, std::nullopt},
        {{QStringLiteral("28897")}, std::nullopt},
        {{}, std::nullopt}};
    for (const auto& [arguments, payload] : cases) {
        QDBusMessage message =
            QDBusMessage::createSignal(kPaletteBusPath, kPaletteBusInterface, kPaletteBusMember);
        message.setArguments(arguments);
        EXPECT_EQ(PalettePayloadOf(message), payload) << arguments.size();
    }
}

// The gradient palette blinks the window's own full palette on its 100 ms timer; a press
// outside every box ends the blink and leaves the palette as it was.
TEST_F(Palettes, GradientPaletteBlinksTheFullPalettesCells) {
    GradientPaletteView* gradient = window.GradientPalette();
    const QImage& full = palettes->FullPalette()->Image();
    const QImage before = full.copy();
    QTest::mousePress(gradient, Qt::LeftButton, {}, QPoint(51, 60)); // the box of (0, 0)
    EXPECT_EQ(gradient->Timer()->interval(), 100);
    EXPECT_TRUE(gradient->Timer()->isActive());
    gradient->Tick();
    EXPECT_EQ(full.pixel(2, 2), kWhite);
    QTest::mousePress(gradient, Qt::LeftButton, {}, QPoint(1, 1));
    EXPECT_FALSE(gradient->Timer()->isActive());
    EXPECT_EQ(full, before);
}

TEST_F(Palettes, BorderPaletteStartsMarkedAtBlackAndAPressSetsTheBorderAndThePreviewFrame) {
    auto* palette = window.findChild<ImageControl*>(QStringLiteral("Img_Palette_Border"));
    ASSERT_NE(palette, nullptr);
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

} // namespace
