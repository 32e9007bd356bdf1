// SPDX-License-Identifier: GPL-3.0-or-later
// The hardware views: each screen alone, the flicker and the interlace, kept right by a
// cell redraw.
#include "display/hardware_view.h"
#include "support/test_pictures.h"

#include <gtest/gtest.h>

namespace {

TEST(HardwareView, EachViewShowsItsScreenOrTheirInterlaceAndACellRedrawMatchesAFullRender) {
    MgsImage picture = RandomPicture(2);
    RenderImages rendered = RenderImages::Create();
    HardwareImages images = HardwareImages::Create();
    RenderPicture(picture, rendered);
    ComposeHardwareImages(rendered, images);

    QImage interlace(256, 192, QImage::Format_RGB32);
    for (int y = 0; y < 192; ++y)
        for (int x = 0; x < 256; ++x)
            interlace.setPixel(x, y, rendered.ScreenImage[y % 2].pixel(x, y));
    struct Row {
        ViewMode mode;
        int flickerScreen;
        QImage expected;
    };
    const Row rows[] = {
        {ViewMode::Mix, 1, rendered.MixedImage},
        {ViewMode::Screen0, 1, rendered.ScreenImage[0]},
        {ViewMode::Screen1, 0, rendered.ScreenImage[1]},
        {ViewMode::Flicker, 0, rendered.ScreenImage[0]},
        {ViewMode::Flicker, 1, rendered.ScreenImage[1]},
        {ViewMode::Interlace, 0, interlace},
    };
    for (const Row& row : rows) {
        const QImage& shown = ViewImage(rendered, images, row.mode, row.flickerScreen);
        EXPECT_EQ(shown, row.expected) << static_cast<int>(row.mode);
    }

    // A painted cell (column 5, cell row 7) redrawn alone equals the full render.
    for (int y = 14; y < 16; ++y)
        for (int s = 0; s < 2; ++s)
            picture.PixelPlane[s][PlaneIndex(5, y)] ^= 0x5A;
    picture.AttrPlane[1][PlaneIndex(5, 14)] = {3, 12};
    RedrawCell(picture, rendered, 5, 7, 14);
    EXPECT_EQ(RedrawHardwareCell(picture, rendered, images, 5, 7, 14), QRect(40, 14, 8, 2));
    RenderImages full = RenderImages::Create();
    HardwareImages fullImages = HardwareImages::Create();
    RenderPicture(picture, full);
    ComposeHardwareImages(full, fullImages);
    for (ViewMode mode : {ViewMode::Screen0, ViewMode::Screen1, ViewMode::Interlace}) {
        EXPECT_EQ(ViewImage(rendered, images, mode, 0), ViewImage(full, fullImages, mode, 0));
        EXPECT_EQ(ViewPreviewImage(rendered, images, mode, 0),
                  ViewPreviewImage(full, fullImages, mode, 0));
    }
    EXPECT_TRUE(RedrawHardwareCell(picture, rendered, images, 32, 0, 0).isEmpty());
}

} // namespace
