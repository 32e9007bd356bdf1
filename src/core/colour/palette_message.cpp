// SPDX-License-Identifier: GPL-3.0-or-later
// Encoding and checking of the palette message's payload.
#include "colour/palette_message.h"

#include "picture/colour.h"

uint32_t EncodePaletteMessage(const AttrSet& attr) {
    return static_cast<uint32_t>(attr.paper0 + 16 * attr.ink0 + 256 * attr.paper1 +
                                 4096 * attr.ink1);
}

std::optional<AttrSet> DecodePaletteMessage(int64_t payload) {
    if (payload < 0 || payload > 0xFFFF)
        return std::nullopt;
    const int w = static_cast<int>(payload);
    const int ink1 = w / 4096;
    const int paper1 = (w - 4096 * ink1) / 256;
    const int ink0 = (w - 4096 * ink1 - 256 * paper1) / 16;
    const int paper0 = w & 15;
    for (int field : {paper0, ink0, paper1, ink1}) {
        if (field >= kColourCount)
            return std::nullopt;
    }
    return AttrSet{static_cast<uint8_t>(paper0), static_cast<uint8_t>(ink0),
                   static_cast<uint8_t>(paper1), static_cast<uint8_t>(ink1)};
}

bool ApplyPaletteMessage(DrawingState& drawing, int64_t payload) {
    const std::optional<AttrSet> attr = DecodePaletteMessage(payload);
    if (!attr)
        return false;
    drawing.CurrentAttr = *attr;
    return true;
}
