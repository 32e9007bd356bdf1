// SPDX-License-Identifier: GPL-3.0-or-later
// Composition by whole scanlines from ScreenImage, so that the renderer's own loops stay
// the only place where planes become colours for the mix.
#include "display/hardware_view.h"

#include "picture/colour.h"

#include <cstring>

namespace {

const Rgb* Line(const QImage& image, int y) {
    return reinterpret_cast<const Rgb*>(image.constScanLine(y));
}

Rgb* Line(QImage& image, int y) {
    return reinterpret_cast<Rgb*>(image.scanLine(y));
}

// Rows `rows` of a 256 x 192 image into a 512 x 384 one, every pixel as a 2 x 2 block.
void Double(const QImage& from, QImage& to, const QRect& rows) {
    for (int y = rows.top(); y <= rows.bottom(); ++y) {
        const Rgb* in = Line(from, y);
        Rgb* out = Line(to, 2 * y);
        for (int x = rows.left(); x <= rows.right(); ++x)
            out[2 * x] = out[2 * x + 1] = in[x];
        std::memcpy(Line(to, 2 * y + 1) + 2 * rows.left(), out + 2 * rows.left(),
                    sizeof(Rgb) * 2 * static_cast<size_t>(rows.width()));
    }
}

void Compose(const RenderImages& rendered, HardwareImages& images, const QRect& area) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        std::memcpy(Line(images.Interlace, y) + area.left(),
                    Line(rendered.ScreenImage[y & 1], y) + area.left(),
                    sizeof(Rgb) * static_cast<size_t>(area.width()));
    for (int s = 0; s < 2; ++s)
        Double(rendered.ScreenImage[s], images.ScreenPreview[s], area);
    Double(images.Interlace, images.InterlacePreview, area);
}

} // namespace

HardwareImages HardwareImages::Create() {
    HardwareImages images;
    images.Interlace = QImage(kPictureWidth, kPictureHeight, QImage::Format_RGB32);
    images.Interlace.fill(Qt::white);
    for (QImage* image :
         {&images.ScreenPreview[0], &images.ScreenPreview[1], &images.InterlacePreview}) {
        *image = QImage(2 * kPictureWidth, 2 * kPictureHeight, QImage::Format_RGB32);
        image->fill(Qt::white);
    }
    return images;
}

void ComposeHardwareImages(const RenderImages& rendered, HardwareImages& images) {
    Compose(rendered, images, QRect(0, 0, kPictureWidth, kPictureHeight));
}

QRect RedrawHardwareCell(const MgsImage& picture, RenderImages& rendered, HardwareImages& images,
                         int column, int cellRow, int attrRow) {
    const int charHeight = SafeCharHeight(picture);
    if (column < 0 || column >= kByteColumns || cellRow < 0 ||
        cellRow >= CellRowCount(charHeight) || attrRow < 0 || attrRow >= kPixelRows)
        return {};
    const QRect rows = CellPixelRect(charHeight, column, cellRow);
    const int i = PlaneIndex(column, attrRow);
    for (int s = 0; s < 2; ++s) {
        const AttrCell cell = picture.AttrPlane[s][i];
        const Rgb colours[2] = {ZxPalette[ColourSlot(cell.paper)], ZxPalette[ColourSlot(cell.ink)]};
        for (int y = rows.top(); y <= rows.bottom(); ++y) {
            const unsigned byte = picture.PixelPlane[s][PlaneIndex(column, y)];
            Rgb* out = Line(rendered.ScreenImage[s], y) + 8 * column;
            for (int k = 0; k < 8; ++k)
                out[k] = colours[(byte >> (7 - k)) & 1u];
        }
    }
    Compose(rendered, images, rows);
    return rows;
}

const QImage& ViewImage(const RenderImages& rendered, const HardwareImages& images, ViewMode mode,
                        int flickerScreen) {
    switch (mode) {
    case ViewMode::Screen0:
        return rendered.ScreenImage[0];
    case ViewMode::Screen1:
        return rendered.ScreenImage[1];
    case ViewMode::Flicker:
        return rendered.ScreenImage[flickerScreen & 1];
    case ViewMode::Interlace:
        return images.Interlace;
    case ViewMode::Mix:
        break;
    }
    return rendered.MixedImage;
}

const QImage& ViewPreviewImage(const RenderImages& rendered, const HardwareImages& images,
                               ViewMode mode, int flickerScreen) {
    switch (mode) {
    case ViewMode::Screen0:
        return images.ScreenPreview[0];
    case ViewMode::Screen1:
        return images.ScreenPreview[1];
    case ViewMode::Flicker:
        return images.ScreenPreview[flickerScreen & 1];
    case ViewMode::Interlace:
        return images.InterlacePreview;
    case ViewMode::Mix:
        break;
    }
    return rendered.PreviewImage;
}
