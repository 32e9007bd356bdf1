// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing on one screen only: an edit runs as usual, and the screen it must not touch is
// put back byte for byte afterwards, whatever the edit wrote.
#pragma once

#include "picture/mgs_image.h"

#include <cstdint>
#include <optional>

enum class DrawOn : uint8_t { Both, Screen0, Screen1 };

// Keeps the screen that `on` leaves alone and restores it when it goes out of scope.
// With DrawOn::Both it keeps nothing.
class OtherScreenGuard {
public:
    OtherScreenGuard(MgsImage& picture, DrawOn on);
    ~OtherScreenGuard();
    OtherScreenGuard(const OtherScreenGuard&) = delete;
    OtherScreenGuard& operator=(const OtherScreenGuard&) = delete;

private:
    struct Kept {
        int screen;
        PixelPlaneBytes pixels;
        AttrPlaneCells attrs;
    };
    MgsImage& picture_;
    std::optional<Kept> kept_;
};
