// SPDX-License-Identifier: GPL-3.0-or-later
// The payload of the palette message that every running copy of the editor applies: the
// four current colours, four bits each.
#pragma once

#include "editing/drawing_state.h"

#include <cstdint>
#include <optional>

// paper0 + 16 ink0 + 256 paper1 + 4096 ink1.
uint32_t EncodePaletteMessage(const AttrSet& attr);

// The four colours of a payload, or none when it cannot have come from a copy of the
// editor: a field above 14, or any bit above 15 set (negative values included). The
// message comes from outside the program, so it is checked before it reaches a table.
std::optional<AttrSet> DecodePaletteMessage(int64_t payload);

// The receiving side: makes a well-formed payload the current colours and returns true;
// the caller then redraws the palettes and the char-colour selection. A malformed payload
// changes nothing and returns false. CurrentCharColor and LastPaintKey stay as they are.
bool ApplyPaletteMessage(DrawingState& drawing, int64_t payload);
