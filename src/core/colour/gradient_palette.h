// SPDX-License-Identifier: GPL-3.0-or-later
// The gradient palette: every distinct mixed colour once, as a 9 x 9 box, and the blink
// that shows which full-palette cells give the colour of a pressed box.
#pragma once

#include "picture/colour.h"

#include <QImage>
#include <QPoint>

#include <array>
#include <cstdint>
#include <functional>
#include <span>

inline constexpr int kFullPaletteCells = kColourCount * kColourCount; // 225
inline constexpr int kGradientBoxSize = 9;
inline constexpr int kGradientWidth = 76;
inline constexpr int kGradientHeight = 229;
// No box is shared by more than this many full-palette cells.
inline constexpr int kMaxBlinkCells = 8;
// Blink steps: white on the odd ones, the cells' own colour on the even ones.
inline constexpr int kBlinkSteps = 20;
inline constexpr int kBlinkIntervalMs = 100;

// For the full-palette cell in column c (screen-0 colour) and row r (screen-1 colour), the
// left and top edge of its box in the gradient picture, at index 15 c + r.
inline constexpr std::array<uint8_t, kFullPaletteCells> GradientSwatchX = {
    47, 2,  11, 2,  11, 2,  11, 2,  11, 2,  11, 2,  11, 2,  11, // c = 0
    2,  20, 29, 2,  11, 20, 29, 2,  11, 20, 29, 2,  65, 56, 29, // c = 1
    11, 29, 38, 11, 11, 29, 38, 11, 11, 29, 38, 65, 11, 47, 38, // c = 2
    2,  2,  11, 20, 29, 20, 29, 2,  11, 2,  65, 20, 29, 56, 29, // c = 3
    11, 11, 11, 29, 38, 29, 38, 11, 11, 65, 11, 29, 38, 47, 38, // c = 4
    2,  20, 29, 20, 29, 20, 29, 2,  65, 56, 47, 56, 47, 56, 29, // c = 5
    11, 29, 38, 29, 38, 29, 38, 65, 11, 47, 38, 47, 38, 47, 38, // c = 6
    2,  2,  11, 2,  11, 2,  65, 20, 29, 20, 29, 20, 29, 56, 29, // c = 7
    11, 11, 11, 11, 11, 65, 11, 29, 38, 29, 38, 29, 38, 47, 38, // c = 8
    2,  20, 29, 2,  65, 56, 47, 20, 29, 20, 29, 56, 47, 56, 29, // c = 9
    11, 29, 38, 65, 11, 47, 38, 29, 38, 29, 38, 47, 38, 47, 38, // c = 10
    2,  2,  65, 20, 29, 56, 47, 20, 29, 56, 47, 20, 29, 56, 29, // c = 11
    11, 65, 11, 29, 38, 47, 38, 29, 38, 47, 38, 29, 38, 47, 38, // c = 12
    2,  56, 47, 56, 47, 56, 47, 56, 47, 56, 47, 56, 47, 20, 29, // c = 13
    11, 29, 38, 29, 38, 29, 38, 29, 38, 29, 38, 29, 38, 29, 38, // c = 14
};
inline constexpr std::array<uint8_t, kFullPaletteCells> GradientSwatchY = {
    56,  110, 110, 218, 218, 83,  83, 164, 164, 137, 137, 191, 191, 56,  56, // c = 0
    110, 110, 110, 83,  65,  101, 92, 137, 155, 119, 128, 56,  191, 110, 11, // c = 1
    110, 110, 110, 101, 83,  101, 92, 119, 137, 119, 128, 110, 56,  110, 11, // c = 2
    218, 83,  101, 218, 218, 65,  74, 191, 173, 56,  137, 209, 200, 218, 47, // c = 3
    218, 65,  83,  218, 218, 65,  74, 209, 191, 218, 56,  209, 200, 218, 47, // c = 4
    83,  101, 101, 65,  65,  83,  83, 56,  164, 110, 128, 218, 200, 83,  2,  // c = 5
    83,  92,  92,  74,  74,  83,  83, 83,  56,  92,  11,  74,  47,  83,  2,  // c = 6
    164, 137, 119, 191, 209, 56,  83, 164, 164, 155, 146, 173, 182, 164, 29, // c = 7
    164, 155, 137, 173, 191, 164, 56, 164, 164, 155, 146, 173, 182, 164, 29, // c = 8
    137, 119, 119, 56,  218, 110, 92, 155, 155, 137, 137, 164, 182, 137, 20, // c = 9
    137, 128, 128, 137, 56,  128, 11, 146, 146, 137, 137, 146, 29,  137, 20, // c = 10
    191, 56,  110, 209, 209, 218, 74, 173, 173, 164, 146, 191, 191, 191, 38, // c = 11
    191, 191, 56,  200, 200, 200, 47, 182, 182, 182, 29,  191, 191, 191, 38, // c = 12
    56,  110, 110, 218, 218, 83,  83, 164, 164, 137, 137, 191, 191, 56,  56, // c = 13
    56,  11,  11,  47,  47,  2,   2,  29,  29,  20,  20,  38,  38,  56,  56, // c = 14
};

constexpr int GradientIndex(int c, int r) {
    return kColourCount * c + r;
}

// A full-palette cell: c is the screen-0 colour, r the screen-1 colour.
struct PaletteCell {
    int c = 0, r = 0;
    friend bool operator==(const PaletteCell&, const PaletteCell&) = default;
};

// The cells whose box contains the point (x, y) of the gradient picture, row by row of the
// full palette (r outer, c inner). Empty outside every box.
struct GradientCells {
    std::array<PaletteCell, kMaxBlinkCells> cells{};
    int count = 0;
    std::span<const PaletteCell> View() const { return {cells.data(), size_t(count)}; }
};
GradientCells GradientCellsAt(QPoint point);

// 76 x 229, transparent outside the boxes: every box in the MixTable colour of its cells,
// and each row of boxes (a gradient of related colours) outlined in black.
QImage MakeGradientPaletteImage();

// The blink of the cells of one box on the full-palette image.
struct GradientBlinkRecord {
    // Top-left corners (16 c, 16 r) of the blinking cells in the full-palette image.
    std::array<QPoint, kMaxBlinkCells> BlinkCells{};
    int BlinkCellCount = 0;
    int BlinkCountdown = 0;
    Rgb BlinkSavedColour = MakeRgb(0, 0, 0);
    bool Running = false; // whether Timer_GradPal runs
};

// Called after the blink repainted cells of the full-palette image: the owner of that image
// draws the four CurrentAttr markers over it again and repaints it.
using PaletteCellsChanged = std::function<void()>;

// A press at `point` on the gradient picture. A running blink ends first: if it has ticked,
// its cells get their own colour back; then `changed` runs. Then the cells of the pressed
// box are listed. Returns true when there are any, that is when Timer_GradPal must start;
// Running tells whether it must run at all. `fullPalette` may be null (nothing to paint).
bool PressGradientPalette(GradientBlinkRecord& blink, QImage* fullPalette, QPoint point,
                          const PaletteCellsChanged& changed);

// One tick of Timer_GradPal. Returns false when the timer must stop.
bool TickGradientPalette(GradientBlinkRecord& blink, QImage* fullPalette,
                         const PaletteCellsChanged& changed);
