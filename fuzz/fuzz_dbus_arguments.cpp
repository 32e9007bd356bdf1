// SPDX-License-Identifier: GPL-3.0-or-later
// The palette signal's receiver with any number of arguments of any type, as any program on
// the session bus may send them: nothing but a well-formed integer payload gets through,
// and what gets through decodes to colours 0..14 or is refused.
#include "colour/palette_bus.h"
#include "colour/palette_message.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QVariantMap>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>

namespace {

// Takes `n` bytes from the input (zero-padded at its end).
uint64_t Take(const uint8_t*& data, const uint8_t* end, size_t n) {
    uint64_t value = 0;
    for (size_t i = 0; i < n && data < end; ++i)
        value |= uint64_t(*data++) << (8 * i);
    return value;
}

QVariant Argument(const uint8_t*& data, const uint8_t* end) {
    const uint64_t v = Take(data, end, 8);
    const QString text = QString::number(v, 36);
    switch (Take(data, end, 1) % 16) {
    case 0:
        return QVariant::fromValue(uchar(v));
    case 1:
        return QVariant::fromValue(bool(v & 1));
    case 2:
        return QVariant::fromValue(short(v));
    case 3:
        return QVariant::fromValue(ushort(v));
    case 4:
        return QVariant::fromValue(int(v));
    case 5:
        return QVariant::fromValue(uint(v));
    case 6:
        return QVariant::fromValue(qlonglong(v));
    case 7:
        return QVariant::fromValue(qulonglong(v));
    case 8: {
        double d = 0;
        std::memcpy(&d, &v, sizeof d);
        return QVariant::fromValue(d);
    }
    case 9:
        return QVariant::fromValue(text);
    case 10:
        return QVariant::fromValue(QByteArray::number(v));
    case 11:
        return QVariant::fromValue(QDBusVariant(QVariant::fromValue(int(v))));
    case 12:
        return QVariant::fromValue(QStringList{text, text});
    case 13:
        return QVariant::fromValue(QDBusObjectPath(QStringLiteral("/p") + text));
    case 14:
        return QVariant::fromValue(QVariantMap{{text, QVariant::fromValue(int(v))}});
    default:
        return QVariant::fromValue(QList<int>{int(v), int(v >> 32)});
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const uint8_t* end = data + size;
    QDBusMessage message = QDBusMessage::createSignal(QString::fromLatin1(kPaletteBusPath),
                                                      QString::fromLatin1(kPaletteBusInterface),
                                                      QString::fromLatin1(kPaletteBusMember));
    const size_t count = size == 0 ? 0 : *data++ % 8;
    QList<QVariant> arguments;
    for (size_t i = 0; i < count; ++i)
        arguments.append(Argument(data, end));
    message.setArguments(arguments);

    // The receiver's own slot, as the bus calls it.
    static PaletteMessageBus bus(nullptr);
    std::optional<qint64> received;
    const auto connection = QObject::connect(&bus, &PaletteMessageBus::Received,
                                             [&received](qint64 payload) { received = payload; });
    QMetaObject::invokeMethod(&bus, "OnSignal", Qt::DirectConnection, Q_ARG(QDBusMessage, message));
    QObject::disconnect(connection);
    if (received != PalettePayloadOf(message))
        std::abort();
    if (!received)
        return 0;
    // Only an integer first argument gets this far.
    const int type = arguments.front().metaType().id();
    if (type == QMetaType::Double || type == QMetaType::QString || type == QMetaType::Bool)
        std::abort();
    if (const std::optional<AttrSet> colours = DecodePaletteMessage(*received)) {
        for (uint8_t c : {colours->paper0, colours->ink0, colours->paper1, colours->ink1})
            if (c > 14)
                std::abort();
    }
    return 0;
}
