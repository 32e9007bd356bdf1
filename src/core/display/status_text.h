// SPDX-License-Identifier: GPL-3.0-or-later
// What the status bar shows about the pointer: the pixel and cell coordinates, the
// Spectrum addresses of the pixel and attribute bytes, those bytes on both screens, and
// the four colours of the cell under the pointer.
#pragma once

#include "picture/colour.h"
#include "picture/mgs_image.h"

#include <QPoint>
#include <QString>

#include <cstdint>
#include <optional>

// Move: the pointer moved over the view. Paint: a paint was asked for at the point; the
// texts differ by a blank after each colon and the paint form snaps X to the paint size.
enum class PointerInfoVariant { Move, Paint };

// The numbers behind the texts, taken at one moment (a paint takes them before it writes,
// so the bytes shown are those under the pointer before the paint).
struct PointerInfo {
    PointerInfoVariant variant = PointerInfoVariant::Move;
    int x = 0;                    // the X label's number: the pixel x, snapped in the paint form
    int y = 0;                    // pixel y
    int column = 0;               // byte column
    int cellRow = 0;              // cell row of the current CharHeight
    int scrOffset = 0;            // offset of the pixel byte in the Spectrum bitmap, 0..6143
    int attrOffset = 0;           // offset of its 8-row attribute, 0..767
    uint8_t byte0 = 0, byte1 = 0; // pixel bytes of screen 0 and 1
    uint8_t attr0 = 0, attr1 = 0; // Spectrum attribute bytes of the effective attribute row
    friend bool operator==(const PointerInfo&, const PointerInfo&) = default;
};

// None when the view point lies outside the view of 256 x 192 picture pixels at
// `zoomFactor`. `paintSize` matters only to the paint form.
std::optional<PointerInfo> TakePointerInfo(const MgsImage& picture, int zoomFactor, int paintSize,
                                           QPoint viewPoint, PointerInfoVariant variant);

// The texts of Status_Ax, Status_Ay, Status_Bx, Status_By and Status_Byte.
struct PointerInfoTexts {
    QString Ax, Ay, Bx, By, Byte;
};
PointerInfoTexts PointerInfoText(const PointerInfo& info);

// The CharPalette of the cell under a view point (Status_Color0..3); none outside the view.
std::optional<CharColours> CellColoursAt(const MgsImage& picture, int zoomFactor, QPoint viewPoint);
