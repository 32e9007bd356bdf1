// SPDX-License-Identifier: GPL-3.0-or-later
// What the picture view shows and at which magnification.
#pragma once

#include <cstdint>

// Mix is the gigascreen as the eye sees it; the others show what the hardware does.
enum class ViewMode : uint8_t { Mix, Screen0, Screen1, Flicker, Interlace };

inline constexpr int kMinZoomLevel = 1;
inline constexpr int kMaxZoomLevel = 4;

struct ViewState {
    int ZoomLevel = 1;             // 1..4
    bool PixelGrid = false;        // grid at every picture pixel
    bool CharGrid = false;         // grid at every attribute cell
    ViewMode Mode = ViewMode::Mix; // which picture the view and the Preview show
    int FlickerScreen = 0;         // the screen Flicker shows in this frame

    // The Preview window's zoom selector: the factor a click there selects (8, 12 or 16)
    // and the 8 x 8-pixel block under the pointer.
    int SelectorFactor = 8;
    int SelectorCol = 0;
    int SelectorRow = 0;

    // View pixels per picture pixel: 4, 8, 12 or 16.
    int ZoomFactor() const { return 4 * ZoomLevel; }
};
