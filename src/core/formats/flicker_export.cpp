// SPDX-License-Identifier: GPL-3.0-or-later
// giflib encodes into memory, so that the file itself goes through the same safe write as
// every other file. Every colour of a screen is one of the 15 Spectrum colours, so one
// 16-entry palette serves both frames without any colour reduction.
#include "formats/flicker_export.h"

#include "display/renderer.h"
#include "formats/picture_file.h"
#include "picture/colour.h"

#include <gif_lib.h>

#include <memory>
#include <vector>

namespace {

int WriteToBytes(GifFileType* gif, const GifByteType* data, int length) {
    static_cast<QByteArray*>(gif->UserData)->append(reinterpret_cast<const char*>(data), length);
    return length;
}

int PaletteIndex(const uint8_t* rgb) {
    const Rgb colour = MakeRgb(rgb[0], rgb[1], rgb[2]);
    for (int i = 0; i < kTableSize; ++i)
        if (ZxPalette[i] == colour)
            return i;
    return 0; // cannot happen: every pixel comes from ZxPalette
}

// One frame: its delay, then the image, all in palette indices.
bool PutFrame(GifFileType* gif, const QImage& frame) {
    const GraphicsControlBlock control{DISPOSAL_UNSPECIFIED, false, kFlickerGifDelay,
                                       NO_TRANSPARENT_COLOR};
    GifByteType extension[4];
    const size_t length = EGifGCBToExtension(&control, extension);
    if (EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension) ==
            GIF_ERROR ||
        EGifPutImageDesc(gif, 0, 0, frame.width(), frame.height(), false, nullptr) == GIF_ERROR)
        return false;
    std::vector<GifPixelType> line(static_cast<size_t>(frame.width()));
    for (int y = 0; y < frame.height(); ++y) {
        const uint8_t* in = frame.constScanLine(y);
        for (int x = 0; x < frame.width(); ++x)
            line[static_cast<size_t>(x)] = static_cast<GifPixelType>(PaletteIndex(in + 3 * x));
        if (EGifPutLine(gif, line.data(), frame.width()) == GIF_ERROR)
            return false;
    }
    return true;
}

bool PutLoopForever(GifFileType* gif) {
    static const GifByteType kName[] = "NETSCAPE2.0";
    static const GifByteType kLoop[] = {1, 0, 0}; // sub-block 1, repeat count 0: for ever
    return EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) != GIF_ERROR &&
           EGifPutExtensionBlock(gif, 11, kName) != GIF_ERROR &&
           EGifPutExtensionBlock(gif, 3, kLoop) != GIF_ERROR &&
           EGifPutExtensionTrailer(gif) != GIF_ERROR;
}

} // namespace

QImage ComposeScreenImage(const MgsImage& picture, int screen, const PngOption& option) {
    RenderImages images = RenderImages::Create();
    RenderPicture(picture, images);
    const int s = screen == 1 ? 1 : 0;
    const Rgb border = ZxColour(BorderColourIndex(picture.BorderPair[s]));
    return ComposePngImage(images.ScreenImage[s], option, border);
}

GifBytes EncodeFlickerGif(const MgsImage& picture, const PngOption& option) {
    GifBytes result;
    const QImage frames[2] = {ComposeScreenImage(picture, 0, option),
                              ComposeScreenImage(picture, 1, option)};
    GifColorType colours[16] = {};
    for (int i = 0; i < kTableSize; ++i)
        colours[i] = {static_cast<GifByteType>(RedOf(ZxPalette[i])),
                      static_cast<GifByteType>(GreenOf(ZxPalette[i])),
                      static_cast<GifByteType>(BlueOf(ZxPalette[i]))};
    const std::unique_ptr<ColorMapObject, void (*)(ColorMapObject*)> map(
        GifMakeMapObject(16, colours), GifFreeMapObject);
    int error = 0;
    GifFileType* gif = EGifOpen(&result.Bytes, WriteToBytes, &error);
    if (!gif || !map) {
        result.Error = QStringLiteral("the GIF library could not start");
        return result;
    }
    EGifSetGifVersion(gif, true);
    bool ok =
        EGifPutScreenDesc(gif, option.Width(), option.Height(), 4, 0, map.get()) != GIF_ERROR &&
        PutLoopForever(gif) && PutFrame(gif, frames[0]) && PutFrame(gif, frames[1]);
    const int reason = ok ? 0 : gif->Error;
    if (EGifCloseFile(gif, &error) == GIF_ERROR)
        ok = false;
    if (!ok) {
        result.Bytes.clear();
        result.Error = QStringLiteral("the GIF library failed: %1")
                           .arg(QString::fromLatin1(GifErrorString(reason ? reason : error)));
    }
    return result;
}

QString ExportScreenPng(const MgsImage& picture, int screen, const PngOption& option,
                        const QString& path) {
    return WritePng(ComposeScreenImage(picture, screen, option), path);
}

QString ExportFlickerGif(const MgsImage& picture, const PngOption& option, const QString& path) {
    const GifBytes gif = EncodeFlickerGif(picture, option);
    if (!gif.Error.isEmpty())
        return QStringLiteral("Cannot write %1: %2").arg(path, gif.Error);
    return WriteFileBytes(path, gif.Bytes);
}
