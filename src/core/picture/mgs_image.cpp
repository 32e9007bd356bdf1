// SPDX-License-Identifier: GPL-3.0-or-later
// Whole-picture operations of the picture model.
#include "picture/mgs_image.h"

#include "picture/colour.h"

#include <algorithm>

void ClearPicture(MgsImage& picture) {
    for (auto& plane : picture.PixelPlane)
        plane.fill(0);
    for (auto& plane : picture.AttrPlane)
        plane.fill(AttrCell{});
}

void NewPicture(MgsImage& picture, int charHeight) {
    picture.CharHeight = static_cast<uint8_t>(charHeight);
    ClearPicture(picture);
}

void ConvertCharHeight(MgsImage& picture, int charHeight) {
    // Only which stored rows are in effect changes; the planes keep every row.
    picture.CharHeight = static_cast<uint8_t>(charHeight);
}

bool ArePlanesValid(const PicturePlanes& planes) {
    auto validCell = [](const AttrCell& cell) {
        return cell.paper < kColourCount && cell.ink < kColourCount;
    };
    return std::all_of(planes.AttrPlane.begin(), planes.AttrPlane.end(), [&](const auto& plane) {
        return std::all_of(plane.begin(), plane.end(), validCell);
    });
}

bool IsPictureValid(const MgsImage& picture) {
    return IsValidCharHeight(picture.CharHeight) && picture.BorderPair[0] < 8 &&
           picture.BorderPair[1] < 8 && ArePlanesValid(picture);
}
