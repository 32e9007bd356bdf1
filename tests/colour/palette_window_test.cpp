// The Full Palette window and the toolbar strip through their widgets, and the palette
// message's arrival.
#include "colour/palette_bus.h"
#include "colour/palette_window.h"
#include "picture/colour.h"
#include "shell/main_window.h"

#include <QDBusMessage>
#include <QTest>

#include <gtest/gtest.h>

#include <limits>

namespace {

constexpr Rgb kWhite = MakeRgb(255, 255, 255);

class Palettes : public ::testing::Test {
protected:
    void SetUp() override {
        window.resize(1300, 1000);
        window.show();
        palettes = window.Palettes();
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

    MainWindow window{QStringList{}};
    ColourPalettes* palettes = nullptr;
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
    Drawing().LastPaintKey = {1, 2, 3, 4};
    Click(palettes->FullPalette(), {100, 200});
    // Column 6 is paper0 and row 12 ink1; their partners become bright.
    EXPECT_EQ(Drawing().CurrentAttr, (AttrSet{6, 14, 6, 12}));
    EXPECT_EQ(Drawing().LastPaintKey, PaintKey{});
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
    QTest::keyClick(&window, Qt::Key_4, Qt::ControlModifier);
    EXPECT_EQ(Drawing().CurrentCharColor, 3);
    // Where Shift turns the key into its symbol, the key still counts.
    QTest::keyClick(&window, Qt::Key_At, Qt::ShiftModifier);
    EXPECT_EQ(Drawing().CurrentCharColor, 1);

    Click(palettes->ToolbarSwatch(0));
    EXPECT_EQ(Drawing().CurrentCharColor, 0);
    Drawing().LastPaintKey = {1, 2, 3, 4};
    Click(palettes->ZxButtonControl(ZxButton::Ink1)); // "INK1" sets bit1: 0 -> 1
    EXPECT_EQ(Drawing().CurrentCharColor, 1);
    Click(palettes->ZxButtonControl(ZxButton::Ink0)); // "INK0" sets bit0: 1 -> 3
    EXPECT_EQ(Drawing().CurrentCharColor, 3);
    EXPECT_EQ(Drawing().LastPaintKey, (PaintKey{1, 2, 3, 4})); // ZX buttons keep it
    EXPECT_EQ(Swatches(true), (std::array<bool, 4>{false, false, false, true}));
    EXPECT_EQ(ZxButtons(), (std::array<bool, 4>{false, true, false, true}));
    Click(palettes->WindowSwatch(1));
    EXPECT_EQ(Drawing().CurrentCharColor, 1);
    EXPECT_EQ(Drawing().LastPaintKey, PaintKey{});
    // A right click on a swatch is no click.
    Click(palettes->WindowSwatch(2), {5, 5}, Qt::RightButton);
    EXPECT_EQ(Drawing().CurrentCharColor, 1);
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

} // namespace

namespace {

// The gradient palette blinks the cells of the window's own full palette, and the colour
// markers stay drawn over them.
TEST_F(Palettes, GradientPaletteBlinksTheFullPalettesCells) {
    Drawing().CurrentAttr = {0, 5, 0, 5}; // a marker on cell (0, 0)
    palettes->RedrawPalettes();
    QWidget* gradient = window.findChild<QWidget*>("Image_PaletteGradient");
    ASSERT_NE(gradient, nullptr);
    QTest::mouseClick(gradient, Qt::LeftButton, {}, QPoint(51, 60)); // the box of (0, 0)
    QTest::qWait(150);
    const QImage& full = palettes->FullPalette()->Image();
    EXPECT_EQ(full.pixel(2, 2), kWhite);                      // the cell shows white
    EXPECT_EQ(full.pixel(4, 4), MakeRgb(0, 0, 0));            // under its marker's outline
    EXPECT_EQ(full.pixel(16 * 5 + 2, 16 * 5 + 2), Mix(5, 5)); // other cells keep their colour
}

} // namespace
