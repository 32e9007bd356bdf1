// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures that run on a Spectrum: our Z80 viewer with the picture in it, written as a
// 128K snapshot (.z80) or as a tape (.tap) with a BASIC loader, for a 128K/+2 or a Pentagon.
#pragma once

#include "picture/mgs_image.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

enum class SpectrumMachine : uint8_t { Spectrum128, Pentagon };

struct SpectrumMachineName {
    SpectrumMachine Machine;
    std::string_view Option;  // tilesmith-convert --machine
    std::string_view Caption; // what the editor offers
};
inline constexpr std::array<SpectrumMachineName, 2> SpectrumMachines = {{
    {SpectrumMachine::Spectrum128, "128", "ZX Spectrum 128K / +2"},
    {SpectrumMachine::Pentagon, "pentagon", "Pentagon 128"},
}};
std::optional<SpectrumMachine> FindSpectrumMachine(QStringView option);

// Where the viewer runs: its code block is loaded at kViewerAddress (page 2, which the
// ULA never holds up) and started there.
inline constexpr uint16_t kViewerAddress = 0x8000;
// Every IM 2 vector leads here: once a frame, at the interrupt. An emulator's debugger can
// count frames with a breakpoint on it.
inline constexpr uint16_t kViewerInterruptAddress = 0xBDBD;

// The code block: the viewer for the picture's CharHeight and machine, with the picture's
// screens, attributes and border pair in it. Empty when no viewer exists for them.
QByteArray ViewerBlock(const MgsImage& picture, SpectrumMachine machine);

// A version 3 .z80 snapshot (128K or Pentagon, port 7FFDh = 17h) that starts the viewer.
QByteArray WriteZ80(const MgsImage& picture, SpectrumMachine machine);
// A .tap: a BASIC loader that autostarts at line 10, then the code block.
QByteArray WriteTap(const MgsImage& picture, SpectrumMachine machine);

struct SpectrumProgramFormat {
    std::string_view Extension; // dot included, compared exactly
    std::string_view Description;
    QByteArray (*Write)(const MgsImage& picture, SpectrumMachine machine);
};
inline constexpr std::array<SpectrumProgramFormat, 2> SpectrumProgramFormats = {{
    {".z80", "Spectrum snapshot", WriteZ80},
    {".tap", "Spectrum tape", WriteTap},
}};
const SpectrumProgramFormat* FindSpectrumProgramFormat(QStringView extension);

// Writes the file through the same safe path as every save; an empty text on success.
QString SaveSpectrumProgram(const QString& path, const SpectrumProgramFormat& format,
                            const MgsImage& picture, SpectrumMachine machine);

// One block of a tape as it is stored in a .tap: the flag byte, the data and the XOR
// checksum of both, after a two-byte little-endian length.
QByteArray TapBlock(uint8_t flag, std::span<const uint8_t> data);
