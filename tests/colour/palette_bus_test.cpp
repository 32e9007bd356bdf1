// SPDX-License-Identifier: GPL-3.0-or-later
// The palette's D-Bus payload: only an integer first argument is one.
#include "colour/palette_bus.h"

#include <QDBusMessage>

#include <gtest/gtest.h>

#include <limits>

namespace {

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

} // namespace
