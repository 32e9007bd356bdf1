// SPDX-License-Identifier: GPL-3.0-or-later
// The picture as the hardware shows it: each screen alone, the two alternating at 50 Hz,
// or interlaced. The views paint one of the renderer's images or one composed from them.
#pragma once

#include "display/renderer.h"
#include "display/view_state.h"

#include <QImage>
#include <QRect>

#include <array>

// A Spectrum frame lasts 20 ms; Flicker shows the other screen at every one.
inline constexpr int kFlickerIntervalMs = 20;

// What the renderer keeps only for the mix: the interlace image, and the double-size
// images of the Preview window for the single screens and the interlace.
struct HardwareImages {
    QImage Interlace;                    // 256 x 192: even rows screen 0, odd rows screen 1
    std::array<QImage, 2> ScreenPreview; // 512 x 384 each
    QImage InterlacePreview;             // 512 x 384

    static HardwareImages Create();
};

// Composes every image from the renderer's ScreenImage, after a full render.
void ComposeHardwareImages(const RenderImages& rendered, HardwareImages& images);

// After RedrawCell: brings the single screens' colours of the same cell up to date in
// ScreenImage and in every composed image. Returns the cell's pixels, as RedrawCell does.
QRect RedrawHardwareCell(const MgsImage& picture, RenderImages& rendered, HardwareImages& images,
                         int column, int cellRow, int attrRow);

// The 256 x 192 image the picture view paints (top left of MixedImage for the mix), and
// the 512 x 384 image the Preview window shows. `flickerScreen` is the screen Flicker
// shows in this frame.
const QImage& ViewImage(const RenderImages& rendered, const HardwareImages& images, ViewMode mode,
                        int flickerScreen);
const QImage& ViewPreviewImage(const RenderImages& rendered, const HardwareImages& images,
                               ViewMode mode, int flickerScreen);
