// SPDX-License-Identifier: GPL-3.0-or-later
// The palette rules run on the drawing state alone; the windows forward their clicks here
// and show the images made here.
#include "colour/palette.h"

#include "picture/palette_images.h"

namespace {

bool InStrip(int x) {
    return x >= 0 && x < kStripWidth;
}

uint8_t SwatchAt(int position) {
    return static_cast<uint8_t>(position / 16);
}

} // namespace

void MatchBrightness(uint8_t& target, uint8_t reference) {
    if (target == 0 || reference == 0)
        return;
    // ColourSlot keeps a stray value inside the tables; it maps to black.
    target = reference % 2 == 1 ? ToNormal[ColourSlot(target)] : ToBright[ColourSlot(target)];
}

const char* StripControlName(PaletteStrip strip) {
    switch (strip) {
    case PaletteStrip::Paper0:
        return "IMG_INK0";
    case PaletteStrip::Ink0:
        return "IMG_PAP0";
    case PaletteStrip::Paper1:
        return "IMG_INK1";
    case PaletteStrip::Ink1:
        return "IMG_PAP1";
    }
    return "";
}

bool ClickStrip(DrawingState& drawing, PaletteStrip strip, int x) {
    if (!InStrip(x))
        return false;
    drawing.ClearLastPaintKey();
    AttrSet& attr = drawing.CurrentAttr;
    const uint8_t colour = SwatchAt(x);
    switch (strip) {
    case PaletteStrip::Paper0:
        attr.paper0 = colour;
        MatchBrightness(attr.ink0, attr.paper0);
        break;
    case PaletteStrip::Ink0:
        attr.ink0 = colour;
        MatchBrightness(attr.paper0, attr.ink0);
        break;
    case PaletteStrip::Paper1:
        attr.paper1 = colour;
        MatchBrightness(attr.ink1, attr.paper1);
        break;
    case PaletteStrip::Ink1:
        attr.ink1 = colour;
        MatchBrightness(attr.paper1, attr.ink1);
        break;
    }
    return true;
}

bool ClickFullPalette(DrawingState& drawing, int x, int y) {
    if (x < 0 || x >= kFullPaletteSize || y < 0 || y >= kFullPaletteSize)
        return false;
    drawing.ClearLastPaintKey();
    AttrSet& attr = drawing.CurrentAttr;
    const int charColor = drawing.CurrentCharColor & 3;
    // The clicked cell becomes combination CurrentCharColor: its screen-0 member is paper0
    // or ink0 by bit0, its screen-1 member paper1 or ink1 by bit1.
    if (CharColorBit0(charColor)) {
        attr.ink0 = SwatchAt(x);
        MatchBrightness(attr.paper0, attr.ink0);
    } else {
        attr.paper0 = SwatchAt(x);
        MatchBrightness(attr.ink0, attr.paper0);
    }
    if (CharColorBit1(charColor)) {
        attr.ink1 = SwatchAt(y);
        MatchBrightness(attr.paper1, attr.ink1);
    } else {
        attr.paper1 = SwatchAt(y);
        MatchBrightness(attr.ink1, attr.paper1);
    }
    return true;
}

void SelectCharColor(DrawingState& drawing, int n) {
    if (n < 0 || n > 3)
        return;
    drawing.CurrentCharColor = n;
    drawing.ClearLastPaintKey();
}

const char* ZxButtonControlName(ZxButton button) {
    switch (button) {
    case ZxButton::Pap0:
        return "PalZX_i0";
    case ZxButton::Ink0:
        return "PalZX_p0";
    case ZxButton::Pap1:
        return "PalZX_i1";
    case ZxButton::Ink1:
        return "PalZX_p1";
    }
    return "";
}

void ClickZxButton(DrawingState& drawing, ZxButton button) {
    bool bit0 = CharColorBit0(drawing.CurrentCharColor);
    bool bit1 = CharColorBit1(drawing.CurrentCharColor);
    switch (button) {
    case ZxButton::Pap0:
        bit0 = false;
        break;
    case ZxButton::Ink0:
        bit0 = true;
        break;
    case ZxButton::Pap1:
        bit1 = false;
        break;
    case ZxButton::Ink1:
        bit1 = true;
        break;
    }
    drawing.CurrentCharColor = CharColorFromBits(bit0, bit1);
}

CharColorSelection CharColorSelectionOf(int charColor) {
    CharColorSelection selection;
    const int n = charColor & 3;
    selection.swatch[n] = true;
    const bool bit0 = CharColorBit0(n), bit1 = CharColorBit1(n);
    selection.zxButton[static_cast<int>(ZxButton::Pap0)] = !bit0;
    selection.zxButton[static_cast<int>(ZxButton::Ink0)] = bit0;
    selection.zxButton[static_cast<int>(ZxButton::Pap1)] = !bit1;
    selection.zxButton[static_cast<int>(ZxButton::Ink1)] = bit1;
    return selection;
}

PaletteSources PaletteSources::Create() {
    return {MakeZxPaletteImage(), MakeFullPaletteImage()};
}

PaletteImages MakePaletteImages(const PaletteSources& sources, const AttrSet& attr) {
    PaletteImages images;
    const std::array<int, 4> stripColours = {attr.paper0, attr.ink0, attr.paper1, attr.ink1};
    for (int i = 0; i < 4; ++i) {
        images.strips[i] = sources.ZxPal.copy(); // a deep copy: the source stays clean
        DrawSwatchMarker(images.strips[i], 16 * stripColours[i], 0);
    }
    images.full = sources.FullPal.copy();
    DrawFullPaletteMarkers(images.full, attr);
    images.swatches = CurrentCharColours(attr);
    return images;
}

void DrawFullPaletteMarkers(QImage& full, const AttrSet& attr) {
    // The four combinations in CharPalette order: (paper0, paper1), (paper0, ink1),
    // (ink0, paper1), (ink0, ink1).
    for (int n = 0; n < 4; ++n) {
        const int s0 = CharColorBit0(n) ? attr.ink0 : attr.paper0;
        const int s1 = CharColorBit1(n) ? attr.ink1 : attr.paper1;
        DrawSwatchMarker(full, 16 * s0, 16 * s1);
    }
}
