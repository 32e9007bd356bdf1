// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the picture into the off-screen images that every view copies from: the mixed
// picture, its double-size preview and the two screens on their own.
#pragma once

#include "picture/mgs_image.h"

#include <QImage>
#include <QRect>

#include <array>

struct RenderImages {
    QImage MixedImage;                 // 512 x 384 allocated, 256 x 192 used (top left)
    QImage PreviewImage;               // 512 x 384: each picture pixel as a 2 x 2 block
    std::array<QImage, 2> ScreenImage; // 256 x 192 each: one screen in its own colours

    // New images start white, as the platform's do.
    static RenderImages Create();
};

// Recomputes all four images from the planes.
void RenderPicture(const MgsImage& picture, RenderImages& images);

// Redraws one attribute cell into MixedImage and PreviewImage after painting, with the
// colours of stored row `attrRow`. ScreenImage waits for the next full render. Returns
// the redrawn area in picture pixels (empty when the cell lies outside the picture), so
// that the views repaint just that.
QRect RedrawCell(const MgsImage& picture, RenderImages& images, int column, int cellRow,
                 int attrRow);

// The pixel rows of cell (column, cellRow): CharHeight rows, or in the 8x1 mode the whole
// 8-row block of a side column, which shares one attribute.
QRect CellPixelRect(int charHeight, int column, int cellRow);
