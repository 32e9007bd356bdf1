// SPDX-License-Identifier: GPL-3.0-or-later
// A palette message from any program on the session bus: only well-formed payloads change
// the colours, and whatever is taken draws the palettes without leaving a table.
#include "colour/palette.h"
#include "colour/palette_message.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    int64_t payload = 0;
    std::memcpy(&payload, data, std::min(size, sizeof payload));
    DrawingState drawing;
    if (!ApplyPaletteMessage(drawing, payload))
        return 0;
    const AttrSet& a = drawing.CurrentAttr;
    if (a.paper0 > 14 || a.ink0 > 14 || a.paper1 > 14 || a.ink1 > 14)
        std::abort();
    if (EncodePaletteMessage(a) != static_cast<uint32_t>(payload))
        std::abort(); // what is applied is exactly what was sent
    static const PaletteSources sources = PaletteSources::Create();
    (void)MakePaletteImages(sources, a);
    return 0;
}
