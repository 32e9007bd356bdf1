// SPDX-License-Identifier: GPL-3.0-or-later
// The option table of tilesmith-convert, its parser and the help text built from it.
#include "convert_options.h"

#include "formats/picture_formats.h"
#include "formats/png_export.h"
#include "formats/thumbnail.h"
#include "picture/mgs_image.h"

#include <span>

namespace {

QString Text(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

const ModeRow& FindMode(ConvertMode mode);

// A mode other than Convert is chosen by its option; --help wins over any other.
QString SetMode(ConvertOptions& options, ConvertMode mode) {
    if (options.Mode == ConvertMode::Help || mode == ConvertMode::Help) {
        options.Mode = ConvertMode::Help;
        return {};
    }
    if (options.Mode != ConvertMode::Convert && options.Mode != mode) {
        return QStringLiteral("%1 and %2 cannot be combined")
            .arg(Text(FindMode(options.Mode).Flag), Text(FindMode(mode).Flag));
    }
    options.Mode = mode;
    return {};
}

// Comma-separated small integers, each within [low, high].
std::optional<QList<int>> ParseIntList(const QString& value, int count, int low, int high) {
    const QStringList parts = value.split(QLatin1Char(','));
    if (parts.size() != count)
        return std::nullopt;
    QList<int> numbers;
    for (const QString& part : parts) {
        bool ok = false;
        const int n = part.trimmed().toInt(&ok);
        if (!ok || n < low || n > high)
            return std::nullopt;
        numbers.append(n);
    }
    return numbers;
}

QString ApplyHelp(ConvertOptions& options, const QString&) {
    return SetMode(options, ConvertMode::Help);
}

QString ApplyVersion(ConvertOptions& options, const QString&) {
    return SetMode(options, ConvertMode::Version);
}

QString ApplyThumbnail(ConvertOptions& options, const QString& value) {
    bool ok = false;
    const int size = value.toInt(&ok);
    if (!ok || size < 1 || size > kLargestThumbnail) {
        return QStringLiteral("--thumbnail takes a size 1..%1 in pixels, not \"%2\"")
            .arg(QString::number(kLargestThumbnail), value);
    }
    options.ThumbnailSize = size;
    return SetMode(options, ConvertMode::Thumbnail);
}

QString ApplyInfo(ConvertOptions& options, const QString&) {
    return SetMode(options, ConvertMode::Info);
}

QString ApplyCharHeight(ConvertOptions& options, const QString& value) {
    bool ok = false;
    const int height = value.toInt(&ok);
    if (!ok || !IsValidCharHeight(height))
        return QStringLiteral("--char-height takes 1, 2, 4 or 8, not \"%1\"").arg(value);
    options.CharHeight = height;
    return {};
}

QString ApplyBorder(ConvertOptions& options, const QString& value) {
    const auto numbers = ParseIntList(value, 2, 0, 7);
    if (!numbers) {
        return QStringLiteral("--border takes two colours 0..7 as A,B, not \"%1\"").arg(value);
    }
    options.Border = std::array<uint8_t, 2>{static_cast<uint8_t>((*numbers)[0]),
                                            static_cast<uint8_t>((*numbers)[1])};
    return {};
}

QString ApplyListPng(ConvertOptions& options, const QString&) {
    return SetMode(options, ConvertMode::ListPng);
}

QString ApplySize(std::optional<int>& size, const char* name, const QString& value) {
    bool ok = false;
    const int number = value.toInt(&ok);
    if (!ok || number < 1 || number > static_cast<int>(PngOptions.size())) {
        return QStringLiteral("%1 takes an option number 1..%2 (see --list-png), not \"%3\"")
            .arg(QString::fromLatin1(name), QString::number(PngOptions.size()), value);
    }
    size = number;
    return {};
}

QString ApplyPng(ConvertOptions& options, const QString& value) {
    return ApplySize(options.Png, "--png", value);
}

QString ApplyGif(ConvertOptions& options, const QString& value) {
    return ApplySize(options.Gif, "--gif", value);
}

QString ApplyScreen(ConvertOptions& options, const QString& value) {
    if (value != QLatin1String("0") && value != QLatin1String("1"))
        return QStringLiteral("--screen takes 0 or 1, not \"%1\"").arg(value);
    options.Screen = value.toInt();
    return {};
}

QString ApplySelection(ConvertOptions& options, const QString& value) {
    const auto numbers = ParseIntList(value, 4, 0, 192);
    if (!numbers || (*numbers)[2] < 1 || (*numbers)[3] < 1) {
        return QStringLiteral("--selection takes X,Y,W,H (left column, top cell row, width in "
                              "columns, height in cell rows; W and H at least 1), not \"%1\"")
            .arg(value);
    }
    options.Selection = CellRect{(*numbers)[0], (*numbers)[1], (*numbers)[2], (*numbers)[3]};
    return {};
}

QString SetPixMode(ConvertOptions& options, SelectionPixMode mode) {
    if (options.PixMode && *options.PixMode != mode)
        return QStringLiteral("--linear and --as-screen cannot be combined");
    options.PixMode = mode;
    return {};
}

QString ApplyLinear(ConvertOptions& options, const QString&) {
    return SetPixMode(options, SelectionPixMode::Linear);
}

QString ApplyAsScreen(ConvertOptions& options, const QString&) {
    return SetPixMode(options, SelectionPixMode::AsScreen);
}

QString ApplyMachine(ConvertOptions& options, const QString& value) {
    options.Machine = FindSpectrumMachine(value);
    if (!options.Machine)
        return QStringLiteral("--machine takes 128 or pentagon, not \"%1\"").arg(value);
    return {};
}

// A value from a short list of names.
template <typename T, size_t N>
std::optional<T> Named(const QString& value,
                       const std::array<std::pair<const char*, T>, N>& names) {
    for (const auto& [name, item] : names) {
        if (value == QLatin1String(name))
            return item;
    }
    return std::nullopt;
}

QString ApplyDither(ConvertOptions& options, const QString& value) {
    options.Dither = Named<DitherMode, 3>(value, {{{"none", DitherMode::None},
                                                   {"ordered", DitherMode::Ordered},
                                                   {"diffusion", DitherMode::Diffusion}}});
    return options.Dither
               ? QString()
               : QStringLiteral("--dither takes none, ordered or diffusion, not \"%1\"").arg(value);
}

QString ApplyFit(ConvertOptions& options, const QString& value) {
    options.Fit = Named<Placement, 3>(
        value,
        {{{"fit", Placement::Fit}, {"fill", Placement::Fill}, {"stretch", Placement::Stretch}}});
    return options.Fit ? QString()
                       : QStringLiteral("--fit takes fit, fill or stretch, not \"%1\"").arg(value);
}

QString ApplyOneScreen(ConvertOptions& options, const QString&) {
    options.OneScreen = true;
    return {};
}

QString ApplyLowFlicker(ConvertOptions& options, const QString&) {
    options.LowFlicker = true;
    return {};
}

// What the option rows cannot say one at a time.
QString CheckCombination(const ConvertOptions& options) {
    if (options.Mode != ConvertMode::Convert)
        return {};
    if ((options.Png ? 1 : 0) + (options.Gif ? 1 : 0) + (options.Selection ? 1 : 0) > 1)
        return QStringLiteral("--png, --gif and --selection cannot be combined");
    if (options.Screen && !options.Png)
        return QStringLiteral("--screen is used with --png");
    if (options.Selection && !options.PixMode)
        return QStringLiteral("--selection needs --linear or --as-screen");
    if (options.PixMode && !options.Selection) {
        return QStringLiteral("%1 is used with --selection")
            .arg(*options.PixMode == SelectionPixMode::Linear ? QStringLiteral("--linear")
                                                              : QStringLiteral("--as-screen"));
    }
    return {};
}

constexpr uint8_t kAnyMode =
    kForConvert | kForInfo | kForHelp | kForListPng | kForVersion | kForThumbnail;

constexpr std::array<OptionRow, 18> kOptions = {{
    {"--help", "", "show this text", kAnyMode, ApplyHelp},
    {"--version", "", "show the version and the licence", kForVersion, ApplyVersion},
    {"--info", "", "print the char height, border pair and format of INPUT", kForInfo, ApplyInfo},
    {"--char-height", "N", "convert the picture to 8xN (1, 2, 4 or 8) before writing", kForConvert,
     ApplyCharHeight},
    {"--border", "A,B", "set the border pair (0..7 each) before writing", kForConvert, ApplyBorder},
    {"--png", "N", "write OUTPUT as a PNG of the mixed picture, size option N (1..11)", kForConvert,
     ApplyPng},
    {"--screen", "S", "with --png: screen S (0 or 1) alone, framed by its own border colour",
     kForConvert, ApplyScreen},
    {"--gif", "N",
     "write OUTPUT as a looping GIF of the two screens alternating at 50 Hz, "
     "size option N (1..11)",
     kForConvert, ApplyGif},
    {"--list-png", "", "list the PNG size options with their numbers", kForListPng, ApplyListPng},
    {"--thumbnail", "SIZE", "write a PNG thumbnail of INPUT that fits SIZE x SIZE pixels",
     kForThumbnail, ApplyThumbnail},
    {"--selection", "X,Y,W,H", "write cells X,Y,W,H (columns, cell rows) as selection files",
     kForConvert, ApplySelection},
    {"--linear", "", "with --selection: pixel rows top to bottom", kForConvert, ApplyLinear},
    {"--as-screen", "", "with --selection: pixel rows in screen memory order", kForConvert,
     ApplyAsScreen},
    {"--machine", "M", "for .z80 and .tap: 128 (128K/+2, the default) or pentagon", kForConvert,
     ApplyMachine},
    {"--dither", "MODE", "image INPUT: none (default), ordered or diffusion", kForConvert,
     ApplyDither},
    {"--fit", "HOW", "image INPUT: fit (default), fill or stretch into 256 x 192",
     kForConvert | kForInfo, ApplyFit},
    {"--one-screen", "", "image INPUT: the same screen twice (15 colours, no mixing)", kForConvert,
     ApplyOneScreen},
    {"--low-flicker", "", "image INPUT: only mixes of colours one brightness step apart",
     kForConvert, ApplyLowFlicker},
}};

constexpr std::array<ModeRow, 6> kModes = {{
    {ConvertMode::Convert, "", 2, "tilesmith-convert [OPTIONS] INPUT OUTPUT"},
    {ConvertMode::Info, "--info", 1, "tilesmith-convert --info INPUT"},
    {ConvertMode::Help, "--help", 0, "tilesmith-convert --help"},
    {ConvertMode::ListPng, "--list-png", 0, "tilesmith-convert --list-png"},
    {ConvertMode::Thumbnail, "--thumbnail", 2,
     "tilesmith-convert --thumbnail SIZE INPUT OUTPUT.png"},
    {ConvertMode::Version, "--version", 0, "tilesmith-convert --version"},
}};

const OptionRow* FindOption(const QString& name) {
    for (const OptionRow& option : kOptions) {
        if (name == Text(option.Name))
            return &option;
    }
    return nullptr;
}

const ModeRow& FindMode(ConvertMode mode) {
    for (const ModeRow& row : kModes) {
        if (row.Mode == mode)
            return row;
    }
    return kModes[0];
}

} // namespace

ParsedArgs ParseConvertArgs(const QStringList& args) {
    ParsedArgs parsed;
    ConvertOptions& options = parsed.Options;
    QList<const OptionRow*> given;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (optionsEnded || !arg.startsWith(QLatin1String("--"))) {
            if (!optionsEnded && arg.startsWith(QLatin1Char('-')) && arg.size() > 1) {
                parsed.Error = QStringLiteral("unknown option \"%1\"").arg(arg);
                return parsed;
            }
            options.Files.append(arg);
            continue;
        }
        if (arg == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        const qsizetype equals = arg.indexOf(QLatin1Char('='));
        const QString name = equals < 0 ? arg : arg.left(equals);
        const OptionRow* option = FindOption(name);
        if (option == nullptr) {
            parsed.Error = QStringLiteral("unknown option \"%1\"").arg(name);
            return parsed;
        }
        QString value;
        if (!option->ValueName.empty()) {
            if (equals >= 0) {
                value = arg.mid(equals + 1);
            } else if (i + 1 < args.size()) {
                value = args[++i];
            } else {
                parsed.Error =
                    QStringLiteral("%1 needs a value %2").arg(name, Text(option->ValueName));
                return parsed;
            }
        } else if (equals >= 0) {
            parsed.Error = QStringLiteral("%1 takes no value").arg(name);
            return parsed;
        }
        parsed.Error = option->Apply(options, value);
        if (!parsed.Error.isEmpty())
            return parsed;
        given.append(option);
    }

    if (options.Mode == ConvertMode::Help)
        return parsed; // --help wins over everything else
    const uint8_t modeBit = static_cast<uint8_t>(1 << static_cast<int>(options.Mode));
    for (const OptionRow* option : given) {
        if ((option->Modes & modeBit) == 0) {
            const std::string_view flag = FindMode(options.Mode).Flag;
            parsed.Error =
                QStringLiteral("%1 cannot be used %2")
                    .arg(Text(option->Name), flag.empty() ? QStringLiteral("when converting")
                                                          : QStringLiteral("with ") + Text(flag));
            return parsed;
        }
    }
    const ModeRow& mode = FindMode(options.Mode);
    if (options.Files.size() != mode.FileCount) {
        parsed.Error = QStringLiteral("expected %1 file name%2, got %3; usage: %4")
                           .arg(QString::number(mode.FileCount),
                                mode.FileCount == 1 ? QString() : QStringLiteral("s"),
                                QString::number(options.Files.size()), Text(mode.Usage));
        return parsed;
    }
    parsed.Error = CheckCombination(options);
    return parsed;
}

QString ConvertUsage() {
    QString text = QStringLiteral("Usage:\n");
    for (const ModeRow& mode : kModes)
        text += QStringLiteral("  %1\n").arg(Text(mode.Usage));
    text += QStringLiteral("\nConverts a tileSmith picture file from one format to another; "
                           "the extensions of\nINPUT and OUTPUT choose the formats "
                           "(case-sensitive).\n\nOptions:\n");
    for (const OptionRow& option : kOptions) {
        QString left = Text(option.Name);
        if (!option.ValueName.empty())
            left += QLatin1Char(' ') + Text(option.ValueName);
        text += QStringLiteral("  %1%2\n").arg(left.leftJustified(20), Text(option.Help));
    }
    QString readable, writable;
    for (const PictureFormat& format : PictureFormats) {
        readable += QLatin1Char(' ') + ExtensionText(format);
        if (format.Write != nullptr)
            writable += QLatin1Char(' ') + ExtensionText(format);
    }
    text += QStringLiteral("\nReads:%1\nWrites:%2\n").arg(readable, writable);
    text += QStringLiteral("Images (.png, .jpg, .jpeg, .bmp, .gif, any case) are converted into "
                           "a picture at\n--char-height (8 by default) with the least colour "
                           "error each cell can reach.\n256 x 192 images are used pixel for "
                           "pixel, and the program's own PNG exports are\nrecognised and read "
                           "back exactly.\n");
    text += QStringLiteral("With --png, OUTPUT is written as a PNG whatever its extension, and "
                           "with --gif\nas a GIF. With "
                           "--selection,\nOUTPUT names the files: its base + \"_selection.ini\", "
                           "\"_pix_0.bin\", \"_pix_1.bin\",\n\"_attr_0.bin\" and "
                           "\"_attr_1.bin\"; OUTPUT itself is not written.\n");
    text += QStringLiteral(".mg1, .mg2, .mg4 and .mg8 hold 8x1, 8x2, 8x4 and 8x8 cells, .img 8x8 "
                           "cells; a picture\nof another char height is converted when that "
                           "changes nothing it shows, and\notherwise only with --char-height "
                           "naming the file's (exit status 2 without).\n");
    text += QStringLiteral(".z80 and .tap hold the picture with a viewer that shows it on a "
                           "Spectrum (--machine).\n");
    text += QStringLiteral("\nExit status: 0 done, 1 a file could not be read or written, "
                           "2 wrong arguments.\nNothing is written when anything fails.\n");
    return text;
}
