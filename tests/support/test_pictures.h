// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures the tests build for themselves.
#pragma once

#include "picture/cell_layout.h"
#include "picture/mgs_image.h"

#include <random>

// Every pixel byte and attribute entry filled from a fixed seed, colours 0..14.
inline MgsImage RandomPicture(int charHeight, unsigned seed = 1) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> byte(0, 255), colour(0, 14);
    MgsImage picture;
    picture.CharHeight = static_cast<uint8_t>(charHeight);
    for (int s = 0; s < 2; ++s) {
        for (auto& b : picture.PixelPlane[s])
            b = static_cast<uint8_t>(byte(random));
        for (auto& cell : picture.AttrPlane[s])
            cell = {static_cast<uint8_t>(colour(random)), static_cast<uint8_t>(colour(random))};
    }
    return picture;
}

// A random picture as edits leave it: each cell holds one attribute in all its rows.
inline MgsImage CellPicture(int charHeight, unsigned seed = 1) {
    return AtCharHeight(RandomPicture(charHeight, seed), charHeight);
}

// The planes alone, to compare pictures and snapshots without CharHeight and border.
inline const PicturePlanes& Planes(const PicturePlanes& planes) {
    return planes;
}
