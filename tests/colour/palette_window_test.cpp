// SPDX-License-Identifier: GPL-3.0-or-later
// The palette windows through their widgets: the Full Palette window with its gradient
// palette, the toolbar strip, the palette message's arrival and the Border Palette window.
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
    EXPECT_EQ(palettes->FullPalette()->Image().pixel(16 * 3 + 1, 16 * 7 + 1), Mix(3, 7));
    EXPECT_EQ(palettes->Strip(PaletteStrip::Paper1)->Image().pixel(16 * 9 + 1, 1), ZxColour(9));
    EXPECT_EQ(Swatches(false), (std::array<bool, 4>{true, false, false, false}));
    EXPECT_EQ(ZxButtons(), (std::array<bool, 4>{true, false, true, false}));
}

TEST_F(Palettes, FullPaletteAndStripClicksSetTheColours) {
    Drawing().CurrentCharColor = 1;
    Drawing().CurrentAttr = {3, 13, 5, 7};
    Click(palettes->FullPalette(), {100, 200});
    // Column 6 is paper0 and row 12 ink1; their partners become bright.
    EXPECT_EQ(Drawing().CurrentAttr, (AttrSet{6, 14, 6, 12}));
    EXPECT_EQ(palettes->ToolbarSwatch(1)->Colour(), Mix(6, 12));
    EXPECT_EQ(palettes->FullPalette()->Image().pixel(16 * 6 + 6, 16 * 12 + 6), kWhite);

    // The ink0 strip is IMG_PAP0; any button acts.
    Drawing().CurrentAttr = {3, 13, 0, 0};
    Click(palettes->Strip(PaletteStrip::Ink0), {40, 8}, Qt::RightButton);
    EXPECT_EQ(Drawing().CurrentAttr, (AttrSet{4, 2, 0, 0}));
    EXPECT_EQ(window.findChild<QWidget*>("IMG_PAP0"), palettes->Strip(PaletteStrip::Ink0));
    EXPECT_EQ(palettes->Strip(PaletteStrip::Ink0)->Image().pixel(16 * 2 + 6, 6), kWhite);
    EXPECT_EQ(palettes->WindowSwatch(0)->Colour(), Mix(4, 0));
    EXPECT_EQ(window.State().Picture, MgsImage{}); // choosing colours never paints
}

TEST_F(Palettes, KeysSwatchesAndZxButtonsChooseTheCombinedColour) {
    QTest::keyClick(&window, Qt::Key_3, Qt::ShiftModifier); // digits ignore modifiers
    EXPECT_EQ(Drawing().CurrentCharColor, 2);
    EXPECT_EQ(Swatches(false), (std::array<bool, 4>{false, false, true, false}));
    EXPECT_EQ(Swatches(true), Swatches(false));
    EXPECT_EQ(ZxButtons(), (std::array<bool, 4>{false, true, true, false})); // INK0, PAP1
    // Where Shift turns the key into its symbol, the key still counts.
    QTest::keyClick(&window, Qt::Key_At, Qt::ShiftModifier);
    EXPECT_EQ(Drawing().CurrentCharColor, 1);

    Click(palettes->ToolbarSwatch(0));
    EXPECT_EQ(Drawing().CurrentCharColor, 0);
    Click(palettes->ZxButtonControl(ZxButton::Ink0)); // "INK0" sets bit0: 0 -> 2
    EXPECT_EQ(Drawing().CurrentCharColor, 2);
    EXPECT_EQ(Swatches(true), (std::array<bool, 4>{false, false, true, false}));
    Click(palettes->WindowSwatch(3));
    EXPECT_EQ(Drawing().CurrentCharColor, 3);
    // A right click on a swatch is no click.
    Click(palettes->WindowSwatch(1), {5, 5}, Qt::RightButton);
    EXPECT_EQ(Drawing().CurrentCharColor, 3);
}

TEST_F(Palettes, PaletteMessagesApplyWhenWellFormed) {
    Drawing().CurrentCharColor = 2;
    window.OnPaletteMessage(0x70E1);
    EXPECT_EQ(Drawing().CurrentAttr, (AttrSet{1, 14, 0, 7}));
    EXPECT_EQ(Drawing().CurrentCharColor, 2);
    EXPECT_EQ(palettes->ToolbarSwatch(3)->Colour(), Mix(14, 7));
    window.OnPaletteMessage(0xF0E1); // ink1 15: ignored
    EXPECT_EQ(Drawing().CurrentAttr, (AttrSet{1, 14, 0, 7}));
}

TEST(PaletteBus, OnlyAnIntegerFirstArgumentIsAPayload) {
    auto signal = [] {
        return QDBusMessage::createSignal(kPaletteBusPath, kPaletteBusInterface, kPaletteBusMember);
    };
    QDBusMessage sent = signal();
    sent << 0x70E1u << 0u;
    EXPECT_EQ(PalettePayloadOf(sent), 0x70E1);
    QDBusMessage wide = signal();
    wide << qint64{-5};
    EXPECT_EQ(PalettePayloadOf(wide), -5); // left for the decoder to refuse
    QDBusMessage huge = signal();
    huge << std::numeric_limits<qulonglong>::max();
    EXPECT_EQ(PalettePayloadOf(huge), std::nullopt);
    QDBusMessage text = signal();
    text << QStringLiteral("28897");
    EXPECT_EQ(PalettePayloadOf(text), std::nullopt);
    EXPECT_EQ(PalettePayloadOf(signal()), std::nullopt);
}

// The gradient palette blinks the cells of the window's own full palette on its timer, with
// the colour markers drawn over them; a press outside every box ends the blink.
TEST_F(Palettes, GradientPaletteBlinksTheFullPalettesCells) {
    Drawing().CurrentAttr = {0, 5, 0, 5}; // a marker on cell (0, 0)
    palettes->RedrawPalettes();
    GradientPaletteView* gradient = window.GradientPalette();
    EXPECT_EQ(gradient->Timer()->interval(), 100);
    const QImage& full = palettes->FullPalette()->Image();
    const QImage before = full.copy();
    QTest::mousePress(gradient, Qt::LeftButton, {}, QPoint(51, 60)); // the box of (0, 0)
    EXPECT_TRUE(gradient->Timer()->isActive());
    gradient->Tick();
    EXPECT_EQ(full.pixel(2, 2), kWhite);                      // the cell shows white
    EXPECT_EQ(full.pixel(4, 4), MakeRgb(0, 0, 0));            // under its marker's outline
    EXPECT_EQ(full.pixel(16 * 5 + 2, 16 * 5 + 2), Mix(5, 5)); // other cells keep their colour
    QTest::mousePress(gradient, Qt::LeftButton, {}, QPoint(1, 1));
    EXPECT_FALSE(gradient->Timer()->isActive());
    EXPECT_EQ(full, before);
    // Left to itself, a blink ends after 21 ticks.
    QTest::mousePress(gradient, Qt::LeftButton, {}, QPoint(5, 60));
    for (int tick = 0; tick < 21; ++tick)
        gradient->Tick();
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
