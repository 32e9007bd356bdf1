// What the picture view shows and at which magnification.
#pragma once

inline constexpr int kMinZoomLevel = 1;
inline constexpr int kMaxZoomLevel = 4;

struct ViewState {
    int ZoomLevel = 1;      // 1..4
    bool PixelGrid = false; // grid at every picture pixel
    bool CharGrid = false;  // grid at every attribute cell

    // View pixels per picture pixel: 4, 8, 12 or 16.
    int ZoomFactor() const { return 4 * ZoomLevel; }
};
