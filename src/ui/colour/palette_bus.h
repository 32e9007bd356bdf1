// SPDX-License-Identifier: GPL-3.0-or-later
// The palette message between running copies of the editor, carried as a signal on the
// session D-Bus: every copy that listens, the sender included, receives each broadcast.
#pragma once

#include <QObject>

#include <cstdint>
#include <optional>

class QDBusMessage;

// Where the signal lives on the bus. The member keeps the message's registered name.
inline constexpr char kPaletteBusPath[] = "/org/tilesmith/Palette";
inline constexpr char kPaletteBusInterface[] = "org.tilesmith.Palette";
inline constexpr char kPaletteBusMember[] = "WM_TILESMITH_GET_PALETTE";

// The first parameter of a palette signal as a number, or none when the signal carries no
// integer there (a foreign sender may put anything on the bus). Its range is checked by
// DecodePaletteMessage.
std::optional<int64_t> PalettePayloadOf(const QDBusMessage& message);

class PaletteMessageBus : public QObject {
    Q_OBJECT
public:
    explicit PaletteMessageBus(QObject* parent);

    // Starts listening on the session bus. False without a session bus: the editor then
    // works alone, and a pick still applies in the copy that made it.
    bool Listen();
    bool IsListening() const { return listening_; }
    // Sends the payload (second parameter 0) to every listening copy, this one included.
    // Does nothing without a session bus.
    void Broadcast(uint32_t payload);

signals:
    // A palette signal arrived; the payload is not checked yet.
    void Received(qint64 payload);

private slots:
    void OnSignal(const QDBusMessage& message);

private:
    bool listening_ = false;
};
