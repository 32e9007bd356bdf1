// SPDX-License-Identifier: GPL-3.0-or-later
// The rules of the Full Palette window and the toolbar colour strip: choosing colours in
// the four ZX strips and the full palette, choosing the combined colour, and the images
// and swatch colours those controls show. The widgets only forward clicks and show images.
#pragma once

#include "editing/drawing_state.h"
#include "picture/colour.h"

#include <QImage>

#include <array>

// Paper and ink of one screen must share the bright bit, as on the Spectrum. Brings
// `target` to the brightness of `reference`; black on either side has no brightness and
// leaves it alone.
void MatchBrightness(uint8_t& target, uint8_t reference);

// The four ZX strips by what they choose. Their control names say the opposite: the paper0
// strip is IMG_INK0, the ink0 strip IMG_PAP0, the paper1 strip IMG_INK1, the ink1 strip
// IMG_PAP1.
enum class PaletteStrip { Paper0 = 0, Ink0 = 1, Paper1 = 2, Ink1 = 3 };
const char* StripControlName(PaletteStrip strip);

inline constexpr int kStripWidth = kColourCount * 16;      // 240
inline constexpr int kFullPaletteSize = kColourCount * 16; // 240

// A button press at x on a strip: chooses colour x div 16 and matches the other colour of
// that screen to it; clears LastPaintKey. Returns false, changing nothing, for an x
// outside the strip. On true the caller redraws the palettes.
bool ClickStrip(DrawingState& drawing, PaletteStrip strip, int x);

// A button press at (x, y) on the full palette: column x div 16 becomes the screen-0 colour
// and row y div 16 the screen-1 colour of the current combination, each matched in
// brightness with its partner, screen 0 first; clears LastPaintKey. False, changing
// nothing, outside the 240 x 240 image. On true the caller redraws the palettes.
bool ClickFullPalette(DrawingState& drawing, int x, int y);

// A click on swatch N of either row, or key N + 1: CurrentCharColor := N and LastPaintKey
// cleared. Ignored for N outside 0..3. The caller then shows the char-colour selection.
void SelectCharColor(DrawingState& drawing, int n);

// The four ZX buttons, each setting one bit of CurrentCharColor; LastPaintKey stays.
enum class ZxButton {
    Pap0, // PalZX_i0, "PAP0": bit0 := 0
    Ink0, // PalZX_p0, "INK0": bit0 := 1
    Pap1, // PalZX_i1, "PAP1": bit1 := 0
    Ink1, // PalZX_p1, "INK1": bit1 := 1
};
const char* ZxButtonControlName(ZxButton button);
void ClickZxButton(DrawingState& drawing, ZxButton button);

// Which controls ShowCharColorSelection shows pressed: swatch N of both rows, and the ZX
// buttons indexed by ZxButton.
struct CharColorSelection {
    std::array<bool, 4> swatch{};
    std::array<bool, 4> zxButton{};
    friend bool operator==(const CharColorSelection&, const CharColorSelection&) = default;
};
CharColorSelection CharColorSelectionOf(int charColor);

// The fixed source pictures that RedrawPalettes copies from, made once.
struct PaletteSources {
    QImage ZxPal;   // IMG_SRC_ZXPAL, 240 x 16
    QImage FullPal; // IMG_SRC_FULLPAL, 240 x 240
    static PaletteSources Create();
};

// Everything RedrawPalettes shows for a set of current colours.
struct PaletteImages {
    std::array<QImage, 4> strips; // indexed by PaletteStrip: a marker at the strip's colour
    QImage full;                  // the full palette with a marker at each combination
    CharColours swatches{};       // Pal4Color0..3 and CharPal_SelectedColor0..3
};
PaletteImages MakePaletteImages(const PaletteSources& sources, const AttrSet& attr);

// Marks the four combinations of `attr` on a full-palette image, over whatever it shows:
// RedrawPalettes uses it on a fresh copy, the gradient palette's blink over its own cells.
void DrawFullPaletteMarkers(QImage& full, const AttrSet& attr);
