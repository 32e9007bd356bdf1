// SPDX-License-Identifier: GPL-3.0-or-later
// The one picture the editor holds: two Spectrum screens, each a one-bit pixel plane
// and an attribute entry for every byte column and pixel row.
#pragma once

#include <array>
#include <cstdint>

inline constexpr int kByteColumns = 32;
inline constexpr int kPixelRows = 192;
inline constexpr int kPictureWidth = kByteColumns * 8;
inline constexpr int kPictureHeight = kPixelRows;
inline constexpr int kPlaneSize = kByteColumns * kPixelRows; // 6144 entries

struct AttrCell {
    uint8_t paper = 0; // shown where the pixel bit is 0
    uint8_t ink = 0;   // shown where the pixel bit is 1
    friend bool operator==(const AttrCell&, const AttrCell&) = default;
};
static_assert(sizeof(AttrCell) == 2);

using PixelPlaneBytes = std::array<uint8_t, kPlaneSize>;
using AttrPlaneCells = std::array<AttrCell, kPlaneSize>;

// Both kinds of plane are column-major: all 192 rows of column 0 come first. Keeping the
// bytes of one column together is what every cell operation walks along.
constexpr int PlaneIndex(int column, int row) {
    return column * kPixelRows + row;
}

// Bit 7 is the leftmost pixel of a byte.
constexpr uint8_t PixelMask(int x) {
    return static_cast<uint8_t>(0x80u >> (x & 7));
}

// The four planes on their own: what undo saves and what the selection record copies.
struct PicturePlanes {
    std::array<PixelPlaneBytes, 2> PixelPlane{};
    std::array<AttrPlaneCells, 2> AttrPlane{};
    friend bool operator==(const PicturePlanes&, const PicturePlanes&) = default;
};

struct MgsImage : PicturePlanes {
    uint8_t CharHeight = 8;              // 8, 4, 2 or 1 pixel rows per attribute cell
    std::array<uint8_t, 2> BorderPair{}; // Spectrum border colours 0..7, one per screen
    friend bool operator==(const MgsImage&, const MgsImage&) = default;
};

constexpr bool IsValidCharHeight(int h) {
    return h == 1 || h == 2 || h == 4 || h == 8;
}

// The CharHeight to compute with. The model keeps CharHeight valid; should a value ever not
// be, it counts as 8, so that no division or index built on it can go wrong.
constexpr int SafeCharHeight(int charHeight) {
    return IsValidCharHeight(charHeight) ? charHeight : 8;
}

// Number of cell rows on a screen: 24, 48, 96 or 192.
constexpr int CellRowCount(int charHeight) {
    return kPixelRows / charHeight;
}

// The stored attribute row that applies to pixel row `row` of byte column `column`. In the
// 8x1 mode the eight columns at each side keep 8-row cells.
// Every CharHeight is a power of two, so rounding down to a cell's first row is a mask;
// this runs for every pixel row of every render, where a division would dominate.
constexpr int EffectiveAttrRow(int charHeight, int row, int column) {
    if (charHeight == 1 && (column < 8 || column >= 24))
        return row & ~7;
    return row & -charHeight;
}
inline int SafeCharHeight(const MgsImage& picture) {
    return SafeCharHeight(picture.CharHeight);
}
inline int EffectiveAttrRow(const MgsImage& picture, int row, int column) {
    return EffectiveAttrRow(picture.CharHeight, row, column);
}

// All pixels clear, every attribute paper 0 and ink 0. CharHeight and BorderPair stay.
void ClearPicture(MgsImage& picture);

// The picture-level halves of the "New" and "Change char size" menu items; the caller
// resets the zoom and re-renders. Neither touches BorderPair. `charHeight` must be valid.
void NewPicture(MgsImage& picture, int charHeight);
void ConvertCharHeight(MgsImage& picture, int charHeight);

// True when every value is one the model can hold: a valid CharHeight, colour indices
// 0..14 and border colours 0..7. Readers accept a file only when this holds.
bool IsPictureValid(const MgsImage& picture);
bool ArePlanesValid(const PicturePlanes& planes);
