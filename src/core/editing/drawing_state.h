// SPDX-License-Identifier: GPL-3.0-or-later
// The drawing state the picture view, the palettes and the keys share: the instrument,
// the paint size, the PIX and RGB switches, the current colours and the rubber-band state.
#pragma once

#include "editing/draw_on.h"
#include "picture/colour.h"
#include "picture/mgs_image.h"

#include <QPoint>

#include <cstdint>

enum class InstrumentKind : uint8_t {
    Paint = 0,
    FillChar = 1,
    Line = 2,
    Rect = 3,
    Ellipse = 4,
    Select = 255,
};

// The four current attribute colours, colour indices 0..14. Screen 0's AttrCell is
// (paper0, ink0), screen 1's is (paper1, ink1).
struct AttrSet {
    uint8_t paper0 = 0;
    uint8_t ink0 = 0;
    uint8_t paper1 = 0;
    uint8_t ink1 = 0;

    constexpr AttrCell Screen0() const { return {paper0, ink0}; }
    constexpr AttrCell Screen1() const { return {paper1, ink1}; }
    friend bool operator==(const AttrSet&, const AttrSet&) = default;
};

// The combined colour 0..3 of CurrentCharColor is bit0 * 2 + bit1: bit0 is the pixel bit
// written on screen 0, bit1 the one on screen 1 (0 shows the cell's paper, 1 its ink).
// Only the index is stored, so the two bits can never disagree with it.
constexpr bool CharColorBit0(int charColor) {
    return ((charColor >> 1) & 1) != 0;
}
constexpr bool CharColorBit1(int charColor) {
    return (charColor & 1) != 0;
}
constexpr int CharColorFromBits(bool bit0, bool bit1) {
    return (bit0 ? 2 : 0) + (bit1 ? 1 : 0);
}

// The four colours of the current attributes, in CharPalette order: what the swatches
// show and the colour of the rubber bands.
constexpr CharColours CurrentCharColours(const AttrSet& attr) {
    return CharPalette(attr.Screen0(), attr.Screen1());
}

// Where the last PaintAt wrote: column, cell row and the snapped pixel inside the column.
// A column of -1 means none, so the next paint always writes.
struct PaintKey {
    int column = -1;
    int cellRow = 0;
    int x = 0;
    int y = 0;
    friend bool operator==(const PaintKey&, const PaintKey&) = default;
};

struct DrawingState {
    InstrumentKind Instrument = InstrumentKind::Paint;
    int PaintSize = 1; // picture pixels per side of the pencil block: 1, 2 or 4
    bool PixMode = true;
    bool RgbMode = true;
    DrawOn DrawScreen = DrawOn::Both; // drawing, Fill Char, Paste and Delete write only this
    int CurrentCharColor = 0;         // 0..3
    AttrSet CurrentAttr;
    QPoint LastPoint;         // view coordinates: start of Shift-lines, polylines, rectangles
    bool ShapeActive = false; // a rubber band is in progress
    PaintKey LastPaintKey;
    bool MouseBlocked = false; // set after the Open dialog, cleared by the next timer tick
    QPoint LastMovePosition;   // previous mouse move over the view; the zoom preview's centre
    QPoint PointerPosition;    // last move seen while not blocked; Copy uses it
    QPoint LastPicturePoint;   // last move inside the picture; where a menu Paste lands
    bool Stroking = false;     // a pencil or fill drag is painting: its moves are joined
    // The undo generation of the copy the current stroke recorded, 0 while it has recorded
    // none. A stroke (a press and its drag, or a whole polyline or rectangle) records one
    // copy, at its first step that changes the picture.
    uint64_t StrokeCopy = 0;

    // Forgets the last painted position so that the next paint writes even in place.
    void ClearLastPaintKey() { LastPaintKey = PaintKey{}; }
};

// PaintSize as used for indexing: anything but 2 or 4 counts as 1, so a block never leaves
// its column byte.
constexpr int SafePaintSize(int paintSize) {
    return paintSize == 2 || paintSize == 4 ? paintSize : 1;
}
