// SPDX-License-Identifier: GPL-3.0-or-later
// Posting does not wait for anyone: a D-Bus signal is fire and forget, and each copy
// handles it in its own event loop, as a broadcast window message would be.
#include "colour/palette_bus.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QMetaType>
#include <QVariant>

#include <limits>

std::optional<int64_t> PalettePayloadOf(const QDBusMessage& message) {
    const QList<QVariant> arguments = message.arguments();
    if (arguments.isEmpty())
        return std::nullopt;
    const QVariant& first = arguments.front();
    switch (first.metaType().id()) {
    case QMetaType::UChar:
    case QMetaType::UShort:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::Int:
    case QMetaType::LongLong:
        return first.toLongLong();
    case QMetaType::ULongLong: {
        const qulonglong value = first.toULongLong();
        if (value > static_cast<qulonglong>(std::numeric_limits<int64_t>::max()))
            return std::nullopt;
        return static_cast<int64_t>(value);
    }
    default:
        return std::nullopt;
    }
}

PaletteMessageBus::PaletteMessageBus(QObject* parent) : QObject(parent) {}

bool PaletteMessageBus::Listen() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    // Any sender: only the name of the signal counts, as with a registered message.
    listening_ = bus.connect(
        QString(), QString::fromLatin1(kPaletteBusPath), QString::fromLatin1(kPaletteBusInterface),
        QString::fromLatin1(kPaletteBusMember), this, SLOT(OnSignal(QDBusMessage)));
    return listening_;
}

void PaletteMessageBus::Broadcast(uint32_t payload) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    QDBusMessage signal = QDBusMessage::createSignal(QString::fromLatin1(kPaletteBusPath),
                                                     QString::fromLatin1(kPaletteBusInterface),
                                                     QString::fromLatin1(kPaletteBusMember));
    signal << payload << 0u;
    bus.send(signal);
}

void PaletteMessageBus::OnSignal(const QDBusMessage& message) {
    if (const std::optional<int64_t> payload = PalettePayloadOf(message))
        emit Received(*payload);
}
