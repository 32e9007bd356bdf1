// SPDX-License-Identifier: GPL-3.0-or-later
// Command-line arguments of tilesmith-convert. Options are rows of one table, so a new
// option is a new row and, if it needs one, a new field below.
#pragma once

#include "colour/picture_conversion.h"
#include "editing/selection.h"
#include "formats/picture_import.h"
#include "formats/selection_export.h"
#include "formats/zx_program.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

enum class ConvertMode : uint8_t {
    Convert,   // INPUT OUTPUT
    Info,      // --info INPUT
    Help,      // --help
    ListPng,   // --list-png
    Version,   // --version
    Thumbnail, // --thumbnail SIZE INPUT OUTPUT.png
};

struct ConvertOptions {
    ConvertMode Mode = ConvertMode::Convert;
    QStringList Files; // the positional arguments, in order
    std::optional<int> CharHeight;
    std::optional<std::array<uint8_t, 2>> Border;
    std::optional<int> Png;                  // --png N: option N (1..11) of the PNG export
    std::optional<int> Gif;                  // --gif N: the flicker as a GIF, PNG size N
    std::optional<int> Screen;               // --screen 0|1: with --png, that screen alone
    std::optional<CellRect> Selection;       // --selection X,Y,W,H: columns and cell rows
    std::optional<SelectionPixMode> PixMode; // --linear or --as-screen
    std::optional<SpectrumMachine> Machine;  // --machine, for .z80 and .tap
    int ThumbnailSize = 0;                   // --thumbnail SIZE: fits SIZE x SIZE pixels
    // How an image INPUT (PNG, JPEG, BMP, GIF) becomes a picture.
    std::optional<DitherMode> Dither;
    std::optional<Placement> Fit;
    bool OneScreen = false;
    bool LowFlicker = false;
    bool ImageOptionGiven() const { return Dither || Fit || OneScreen || LowFlicker; }
};

// Which modes an option may be given in.
enum ModeMask : uint8_t {
    kForConvert = 1 << static_cast<int>(ConvertMode::Convert),
    kForInfo = 1 << static_cast<int>(ConvertMode::Info),
    kForHelp = 1 << static_cast<int>(ConvertMode::Help),
    kForListPng = 1 << static_cast<int>(ConvertMode::ListPng),
    kForVersion = 1 << static_cast<int>(ConvertMode::Version),
    kForThumbnail = 1 << static_cast<int>(ConvertMode::Thumbnail),
};

struct OptionRow {
    std::string_view Name;      // "--char-height"
    std::string_view ValueName; // "N"; empty for an option without a value
    std::string_view Help;
    uint8_t Modes; // the modes it may be combined with
    // Stores the option; returns a message when the value is wrong.
    QString (*Apply)(ConvertOptions& options, const QString& value);
};

// Positional arguments each mode takes, and its usage line.
struct ModeRow {
    ConvertMode Mode;
    std::string_view Flag; // the option that selects it; empty for Convert
    int FileCount;
    std::string_view Usage;
};

struct ParsedArgs {
    ConvertOptions Options;
    QString Error; // empty when the arguments are usable
};

// `args` excludes the program name. Accepts "--name VALUE", "--name=VALUE", and "--" to end
// the options (for a file whose name begins with "-").
ParsedArgs ParseConvertArgs(const QStringList& args);
QString ConvertUsage();
