// SPDX-License-Identifier: GPL-3.0-or-later
// The colour vocabulary of the whole program: the 15 Spectrum colour indices, their RGB
// values, the Spectrum attribute byte, and the table of colours seen when two screens mix.
#pragma once

#include "picture/mgs_image.h"

#include <array>
#include <cstdint>

// 0xFFRRGGBB: the pixel layout of QImage::Format_RGB32 (QRgb), so table entries can be
// stored into image scanlines as they are.
using Rgb = uint32_t;

constexpr Rgb MakeRgb(int r, int g, int b) {
    return 0xFF000000u | (static_cast<Rgb>(r) << 16) | (static_cast<Rgb>(g) << 8) |
           static_cast<Rgb>(b);
}
constexpr int RedOf(Rgb c) {
    return static_cast<int>((c >> 16) & 0xFF);
}
constexpr int GreenOf(Rgb c) {
    return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int BlueOf(Rgb c) {
    return static_cast<int>(c & 0xFF);
}

// Colour indices 0..14: 0 black, 2k-1 the normal and 2k the bright Spectrum colour k.
inline constexpr int kColourCount = 15;

// The tables have a 16th entry so that a damaged value, should one ever get past the
// readers, lands on a defined colour (black, all attribute bits clear) instead of outside
// a table. ColourSlot folds every out-of-range value onto it.
inline constexpr int kTableSize = 16;
constexpr int ColourSlot(int index) {
    return index >= 0 && index < kColourCount ? index : 15;
}

inline constexpr std::array<Rgb, kTableSize> ZxPalette = {
    MakeRgb(0, 0, 0),     MakeRgb(0, 0, 202),     MakeRgb(0, 0, 254),
    MakeRgb(202, 0, 0),   MakeRgb(254, 0, 0),     MakeRgb(202, 0, 202),
    MakeRgb(254, 0, 254), MakeRgb(0, 202, 0),     MakeRgb(0, 254, 0),
    MakeRgb(0, 202, 202), MakeRgb(0, 254, 254),   MakeRgb(202, 202, 0),
    MakeRgb(254, 254, 0), MakeRgb(202, 202, 202), MakeRgb(254, 254, 254),
    MakeRgb(0, 0, 0), // no colour: shown as black
};

inline constexpr std::array<uint8_t, kTableSize> ToNormal = {0, 1, 1, 3,  3,  5,  5,  7,
                                                             7, 9, 9, 11, 11, 13, 13, 0};
inline constexpr std::array<uint8_t, kTableSize> ToBright = {0, 2,  2,  4,  4,  6,  6,  8,
                                                             8, 10, 10, 12, 12, 14, 14, 0};

inline constexpr std::array<uint8_t, kTableSize> PaperBits = {
    0x00, 0x08, 0x48, 0x10, 0x50, 0x18, 0x58, 0x20, 0x60, 0x28, 0x68, 0x30, 0x70, 0x38, 0x78, 0x00};
inline constexpr std::array<uint8_t, kTableSize> InkBits = {
    0x00, 0x01, 0x41, 0x02, 0x42, 0x03, 0x43, 0x04, 0x44, 0x05, 0x45, 0x06, 0x46, 0x07, 0x47, 0x00};

namespace colour_detail {
// The level seen when a channel at level a on one screen alternates with level b on the
// other (levels 0, 202, 254).
constexpr int MixLevel(int a, int b) {
    if (a > b) {
        int t = a;
        a = b;
        b = t;
    }
    if (a == 0)
        return b == 0 ? 0 : (b == 202 ? 115 : 157);
    if (a == 202)
        return b == 202 ? 202 : 230;
    return 254;
}
constexpr Rgb MixColours(Rgb a, Rgb b) {
    return MakeRgb(MixLevel(RedOf(a), RedOf(b)), MixLevel(GreenOf(a), GreenOf(b)),
                   MixLevel(BlueOf(a), BlueOf(b)));
}
constexpr std::array<std::array<Rgb, kTableSize>, kTableSize> BuildMixTable() {
    std::array<std::array<Rgb, kTableSize>, kTableSize> table{};
    for (int s0 = 0; s0 < kTableSize; ++s0)
        for (int s1 = 0; s1 < kTableSize; ++s1)
            table[s0][s1] = MixColours(ZxPalette[s0], ZxPalette[s1]);
    return table;
}
} // namespace colour_detail

// MixTable[s0][s1]: the colour seen for colour s0 on screen 0 alternating with s1 on
// screen 1. Built from the mixing rule at compile time.
inline constexpr auto MixTable = colour_detail::BuildMixTable();

constexpr Rgb ZxColour(int index) {
    return ZxPalette[ColourSlot(index)];
}
constexpr Rgb Mix(int s0, int s1) {
    return MixTable[ColourSlot(s0)][ColourSlot(s1)];
}

// The Spectrum attribute byte of a cell: bright bit, paper and ink colour numbers.
constexpr uint8_t SpectrumAttr(AttrCell cell) {
    return static_cast<uint8_t>(PaperBits[ColourSlot(cell.paper)] | InkBits[ColourSlot(cell.ink)]);
}

// Border colours are Spectrum colour numbers 0..7 at normal brightness.
constexpr int BorderColourIndex(int number) {
    return number <= 0 ? 0 : 2 * (number & 7) - 1;
}
constexpr Rgb BorderMix(int a, int b) {
    return Mix(BorderColourIndex(a), BorderColourIndex(b));
}

// The four colours one cell can show, indexed bit0 * 2 + bit1 by the pixel's bits on
// screen 0 and screen 1: 0 P0+P1, 1 P0+I1, 2 I0+P1, 3 I0+I1.
using CharColours = std::array<Rgb, 4>;
constexpr CharColours CharPalette(AttrCell screen0, AttrCell screen1) {
    return {Mix(screen0.paper, screen1.paper), Mix(screen0.paper, screen1.ink),
            Mix(screen0.ink, screen1.paper), Mix(screen0.ink, screen1.ink)};
}

// The CharPalette of the cell (column, cellRow), read through EffectiveAttrRow.
CharColours CharPaletteOf(const MgsImage& picture, int column, int cellRow);
