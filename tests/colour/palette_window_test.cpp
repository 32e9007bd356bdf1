// SPDX-License-Identifier: GPL-3.0-or-later
// The palette windows through their widgets: the D-Bus payload and the Border Palette
// window. The colour rules themselves are the core's palette tests.
#include "colour/border_palette.h"
#include "colour/palette_bus.h"
#include "colour/palette_window.h"
#include "support/main_window_fixture.h"

#include <QDBusMessage>
#include <QFrame>

#include <gtest/gtest.h>

#include <limits>

namespace {

using Palettes = ShownMainWindow;

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
