// SPDX-License-Identifier: GPL-3.0-or-later
// The one table of picture file formats: extension, reader and writer. The menus, opening
// by name, drops, the emulator preview and tilesmith-convert all look formats up here.
#pragma once

#include "picture/mgs_image.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

enum class ReadStatus : uint8_t {
    Ok,
    TooShort,  // the file ends before the data its layout needs
    BadFormat, // a signature or a value the picture cannot hold: "Error file format"
};

// What a reader found. On anything but Ok the staging picture is to be thrown away.
struct ReadResult {
    ReadStatus Status = ReadStatus::Ok;
    qsizetype Needed = 0;     // TooShort: the least size a file of this kind needs
    int LayoutCharHeight = 0; // MG files: the header's CharHeight, which sets that size
    const char* Variant = ""; // how the bytes were read, e.g. "version 0", "8x1 layout"
    bool BorderRead = false;  // the file supplied BorderPair
};

// A reader parses a whole file into `staging`, which starts as a copy of the current
// picture so that fields a format does not carry (BorderPair) keep their values. It only
// changes `staging`; it never touches a file, a dialog or the live picture.
using FormatReader = ReadResult (*)(std::span<const uint8_t> bytes, MgsImage& staging);
// A writer turns a valid picture into the bytes of a file.
using FormatWriter = QByteArray (*)(const MgsImage& picture);

// Readers and writers, one a layout. Each is usable on its own; the table says which one
// an extension selects.
ReadResult ReadMgs(std::span<const uint8_t> bytes, MgsImage& staging);
QByteArray WriteMgs(const MgsImage& picture);
ReadResult ReadScr(std::span<const uint8_t> bytes, MgsImage& staging);
ReadResult ReadHeaderedScr(std::span<const uint8_t> bytes, MgsImage& staging);
ReadResult ReadImg(std::span<const uint8_t> bytes, MgsImage& staging);
ReadResult ReadHeaderedImg(std::span<const uint8_t> bytes, MgsImage& staging);
QByteArray WriteImg(const MgsImage& picture);
ReadResult ReadMg(std::span<const uint8_t> bytes, MgsImage& staging);
QByteArray WriteMg(const MgsImage& picture);  // row layout, any CharHeight
QByteArray WriteMg1(const MgsImage& picture); // 8x1 layout, any CharHeight
// The writers of the .mg1, .mg2, .mg4 and .mg8 files: the layout and header of the file's
// own char height, holding the picture converted to it (AtCharHeight). Whoever writes a
// file first asks FileCharHeight and ChangedCells whether that conversion loses anything.
QByteArray WriteMg1File(const MgsImage& picture);
QByteArray WriteMg2File(const MgsImage& picture);
QByteArray WriteMg4File(const MgsImage& picture);
QByteArray WriteMg8File(const MgsImage& picture);

inline constexpr qsizetype kMgsFileSize = 36871;   // version 1, as written
inline constexpr qsizetype kMgsV0FileSize = 36869; // version 0: no border bytes
inline constexpr qsizetype kZxHeaderSize = 17;     // the header of .$scr and .$img
inline constexpr qsizetype kMgHeaderSize = 256;
// No format reads further than this; bytes after it are ignored.
inline constexpr qsizetype kLongestPictureFile = kMgsFileSize;

// The size of the MG file WriteMg or WriteMg1 produces for a CharHeight.
constexpr qsizetype MgFileSize(int charHeight, bool layout8x1) {
    return kMgHeaderSize + 2 * 6144 + (layout8x1 ? 6912 : 2 * 32 * (192 / charHeight));
}

struct PictureFormat {
    std::string_view Extension;   // dot included; compared exactly, case-sensitively
    std::string_view Description; // for lists and messages
    FormatReader Read;
    FormatWriter Write;       // nullptr: the program imports this format only
    bool LoadSetsCurrentFile; // a load names the file: CurrentFileName, CurrentFileExt, title
    bool SaveSetsCurrentFile; // so does a save (the native file only; exports do not)
    bool ResetsZoom;          // a load ends at zoom level 1
};

// clang-format off
inline constexpr std::array<PictureFormat, 9> PictureFormats = {{
    {".mgs", "tileSmith picture", ReadMgs, WriteMgs, true, true, true},
    {".mg1", "MG screen", ReadMg, WriteMg1File, true, false, true},
    {".mg2", "MG screen", ReadMg, WriteMg2File, true, false, true},
    {".mg4", "MG screen", ReadMg, WriteMg4File, true, false, true},
    {".mg8", "MG screen", ReadMg, WriteMg8File, true, false, true},
    {".img", "two Spectrum screens", ReadImg, WriteImg, false, false, true},
    {".$img", "two Spectrum screens with a 17-byte header", ReadHeaderedImg, nullptr, false, false,
     true},
    {".scr", "Spectrum screen", ReadScr, nullptr, false, false, true},
    {".$scr", "Spectrum screen with a 17-byte header", ReadHeaderedScr, nullptr, false, false,
     true},
}};
// clang-format on

// The char height a written file of this format holds whatever the picture's: 1, 2, 4 or
// 8 for the MG files, 8 for .img; 0 when the file keeps the picture's own (.mgs).
int FileCharHeight(const PictureFormat& format);

// The text from the last "." after the last path separator, dot included; empty when the
// file name has no dot.
QString FileExtension(const QString& path);

// The row for an extension (exact, case-sensitive), or nullptr.
const PictureFormat* FindFormat(QStringView extension);
// The row for a file name's extension in any case: PIC.SCR is a .scr file, as names from
// other systems are often in capitals.
inline const PictureFormat* FormatForPath(const QString& path) {
    return FindFormat(FileExtension(path).toLower());
}
QString ExtensionText(const PictureFormat& format);

// The naming rule of every save command: a name longer than four characters that does not
// end exactly in `ext` (four characters, dot included) gets `ext` appended.
QString EnsureExtension(const QString& name, QStringView ext);

// Runs the format's reader and then checks that the result is a picture the model can
// hold (CharHeight 1, 2, 4 or 8, colour indices 0..14, border colours 0..7); anything else
// is BadFormat. `staging` is only meaningful when the status is Ok.
ReadResult ParsePicture(const PictureFormat& format, std::span<const uint8_t> bytes,
                        MgsImage& staging);
