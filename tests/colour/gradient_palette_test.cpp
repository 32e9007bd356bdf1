// SPDX-License-Identifier: GPL-3.0-or-later
// The gradient palette: its tables and picture, and the blink of the full palette's cells.
#include "colour/gradient_palette.h"

#include "picture/palette_images.h"

#include <gtest/gtest.h>

namespace {

constexpr Rgb kWhite = MakeRgb(255, 255, 255);

// The full-palette image with the markers its owner draws, counting the redraws.
struct FullPalette {
    QImage image = MakeFullPaletteImage();
    int markerRedraws = 0;
    PaletteCellsChanged changed = [this] {
        ++markerRedraws;
        DrawSwatchMarker(image, 0, 0); // a CurrentAttr marker on cell (0, 0)
    };
};

TEST(GradientBlink, BlinksTheCellsWhiteAndBackThenStops) {
    FullPalette full;
    GradientBlinkRecord blink;
    ASSERT_TRUE(PressGradientPalette(blink, &full.image, {5, 60}, full.changed));
    EXPECT_EQ(blink.BlinkCellCount, 8);
    EXPECT_EQ(blink.BlinkCells[0], QPoint(16 * 13, 0));
    EXPECT_EQ(blink.BlinkCells[7], QPoint(0, 16 * 13));
    const Rgb grey = MakeRgb(115, 115, 115);

    for (int tick = 1; tick <= 20; ++tick) {
        ASSERT_TRUE(TickGradientPalette(blink, &full.image, full.changed));
        const Rgb want = tick % 2 == 1 ? kWhite : grey;
        for (int i = 0; i < 8; ++i) {
            EXPECT_EQ(full.image.pixel(blink.BlinkCells[i]), want) << tick;
            EXPECT_EQ(full.image.pixel(blink.BlinkCells[i] + QPoint(15, 15)), want) << tick;
        }
        EXPECT_EQ(full.image.pixel(16 * 12, 0), MixTable[12][0]); // a neighbour untouched
    }
    EXPECT_EQ(full.markerRedraws, 20);
    EXPECT_FALSE(TickGradientPalette(blink, &full.image, full.changed));
    EXPECT_FALSE(blink.Running);
    EXPECT_EQ(full.image, [] {
        QImage plain = MakeFullPaletteImage();
        DrawSwatchMarker(plain, 0, 0);
        return plain;
    }());

    // Black with black: only cell (0, 0), under the marker, which is drawn over it again.
    ASSERT_TRUE(PressGradientPalette(blink, &full.image, {51, 60}, full.changed));
    TickGradientPalette(blink, &full.image, full.changed);
    EXPECT_EQ(full.image.pixel(1, 1), kWhite);
    EXPECT_EQ(full.image.pixel(4, 4), MakeRgb(0, 0, 0));
    EXPECT_EQ(full.image.pixel(17, 1), MixTable[1][0]);
}

TEST(GradientBlink, ASecondPressBeforeTheFirstTickPaintsNothing) {
    FullPalette full;
    full.changed();
    const QImage before = full.image;
    GradientBlinkRecord blink;
    blink.BlinkSavedColour = MakeRgb(9, 9, 9); // left from an older blink
    PressGradientPalette(blink, &full.image, {5, 60}, full.changed);
    ASSERT_TRUE(PressGradientPalette(blink, &full.image, {11, 64}, full.changed));
    EXPECT_EQ(full.image, before);
    EXPECT_EQ(blink.BlinkCountdown, 20);
    // The new blink takes its colour from its own first cell.
    TickGradientPalette(blink, &full.image, full.changed);
    TickGradientPalette(blink, &full.image, full.changed);
    EXPECT_EQ(full.image.pixel(blink.BlinkCells[0] + QPoint(2, 2)), MakeRgb(157, 157, 157));
}

} // namespace
