// SPDX-License-Identifier: GPL-3.0-or-later
// Every reader over any bytes: a load either fails cleanly or yields a picture the model
// can hold, which then renders and writes back without leaving the planes.
//
// Random bytes rarely get past a signature or a length check, so most inputs are edits of
// a real file: the first byte picks the format and the mode, the next two a length, and
// the rest are (offset, value) pairs written over a valid file of that format.
#include "display/renderer.h"
#include "formats/picture_formats.h"

#include <QByteArray>

#include <cstdint>
#include <cstdlib>
#include <span>

namespace {

// A valid file of every format, from a picture with something in every plane.
QByteArray ValidFile(const PictureFormat& format) {
    MgsImage picture;
    for (int i = 0; i < kPlaneSize; ++i) {
        picture.PixelPlane[0][i] = static_cast<uint8_t>(i * 7);
        picture.PixelPlane[1][i] = static_cast<uint8_t>(i * 13);
        picture.AttrPlane[0][i] = {static_cast<uint8_t>(i % 15), static_cast<uint8_t>(i % 11)};
        picture.AttrPlane[1][i] = {static_cast<uint8_t>(i % 13), static_cast<uint8_t>(i % 7)};
    }
    const QByteArray img = WriteImg(picture);
    if (format.Write)
        return format.Write(picture);
    if (format.Extension == ".scr")
        return img.left(6912);
    if (format.Extension == ".$scr")
        return QByteArray(kZxHeaderSize, '\0') + img.left(6912);
    return QByteArray(kZxHeaderSize, '\0') + img; // .$img
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3)
        return 0;
    const PictureFormat& format = PictureFormats[(data[0] & 15) % PictureFormats.size()];
    QByteArray file;
    if (data[0] & 0x80) {
        file =
            QByteArray(reinterpret_cast<const char*>(data + 3), static_cast<qsizetype>(size - 3));
    } else {
        static std::array<QByteArray, PictureFormats.size()> valid;
        QByteArray& base = valid[&format - PictureFormats.data()];
        if (base.isEmpty())
            base = ValidFile(format);
        file = base;
        if (data[0] & 0x40) // keep a prefix of the length the input asks for
            file.truncate((data[1] << 8 | data[2]) % (file.size() + 1));
        for (size_t i = 3; i + 2 < size && !file.isEmpty(); i += 3)
            file[(data[i] << 8 | data[i + 1]) % file.size()] = static_cast<char>(data[i + 2]);
    }
    const std::span<const uint8_t> bytes(reinterpret_cast<const uint8_t*>(file.constData()),
                                         static_cast<size_t>(file.size()));
    MgsImage staging;
    const ReadResult result = ParsePicture(format, bytes, staging);
    if (result.Status != ReadStatus::Ok)
        return 0;
    if (!IsPictureValid(staging))
        std::abort(); // a reader let through a value the model cannot hold
    static RenderImages images = RenderImages::Create();
    RenderPicture(staging, images);
    for (const PictureFormat& writer : PictureFormats)
        if (writer.Write)
            (void)writer.Write(staging);
    return 0;
}
