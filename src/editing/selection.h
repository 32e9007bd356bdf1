// The selection record: the selected rectangle of cells and a full copy of the planes
// taken at the last Copy. Rectangle values are in cells of the CharHeight current when
// they were set.
#pragma once

#include "picture/mgs_image.h"

#include <cstdint>

struct SelectionRecord {
    bool dragging = false; // a mouse drag is shaping the selection
    bool exists = false;   // a selection is active and framed in the view
    int32_t x = 0;         // left column
    int32_t y = 0;         // top cell row
    int32_t anchorX = 0;   // where the drag started
    int32_t anchorY = 0;
    int32_t w = 0;                                      // width in columns
    int32_t h = 0;                                      // height in cell rows
    int32_t copyX = 0, copyY = 0, copyW = 0, copyH = 0; // the block held in `copy`
    uint8_t framePhase = 0;
    PicturePlanes copy;
};
