// SPDX-License-Identifier: GPL-3.0-or-later
// The snapshot and tape writers around the assembled viewers.
#include "formats/spectrum_program.h"

#include "formats/picture_file.h"
#include "formats/zx_screen.h"
#include "picture/colour.h"
#include "viewer8x8.h"

#include <algorithm>

namespace {

constexpr int kPageSize = 16384;
constexpr int kScreenPage = 5;      // screen 0, at 4000h
constexpr int kShadowPage = 7;      // screen 1, paged at C000h
constexpr int kViewerPage = 2;      // 8000h
constexpr uint8_t kPort7ffd = 0x17; // ROM 1, page 7 at C000h, screen 0 shown

void Put16(QByteArray& bytes, qsizetype at, uint16_t value) {
    bytes[at] = static_cast<char>(value & 0xFF);
    bytes[at + 1] = static_cast<char>(value >> 8);
}

void Append16(QByteArray& bytes, uint16_t value) {
    bytes.append(static_cast<char>(value & 0xFF));
    bytes.append(static_cast<char>(value >> 8));
}

// A Spectrum screen as the ULA reads it: interleaved bitmap, then 24 rows of attributes
// taken from the top row of every 8-row cell.
void AppendZxScreen(QByteArray& bytes, const MgsImage& picture, int screen) {
    std::array<uint8_t, kZxBitmapSize> bitmap{};
    PlaneToZxBitmap(picture.PixelPlane[screen], bitmap);
    bytes.append(reinterpret_cast<const char*>(bitmap.data()), kZxBitmapSize);
    for (int row = 0; row < kPixelRows; row += 8) {
        for (int c = 0; c < kByteColumns; ++c)
            bytes.append(
                static_cast<char>(SpectrumAttr(picture.AttrPlane[screen][PlaneIndex(c, row)])));
    }
}

static_assert(Viewer8x8::CODE == kViewerAddress && Viewer8x8::HANDLER == kViewerInterruptAddress);

struct Viewer {
    int CharHeight;
    std::span<const uint8_t> Code;
    uint16_t Payload; // where the picture data starts
    uint16_t Border0; // the two border colour bytes
    uint16_t Border1;
    uint16_t StackTop;
};

const Viewer* FindViewer(int charHeight, SpectrumMachine) {
    static const std::array<Viewer, 1> viewers = {{
        {8, Viewer8x8::Code, Viewer8x8::payload, Viewer8x8::border0, Viewer8x8::border1,
         Viewer8x8::STACK_TOP},
    }};
    for (const Viewer& viewer : viewers) {
        if (viewer.CharHeight == charHeight)
            return &viewer;
    }
    return nullptr;
}

// The ".z80" run-length code: five or more equal bytes, or two or more EDh bytes, become
// ED ED count byte; a byte after a lone EDh is never the start of a run.
QByteArray CompressZ80Page(std::span<const uint8_t> page) {
    QByteArray out;
    size_t i = 0;
    while (i < page.size()) {
        const uint8_t b = page[i];
        size_t run = 1;
        while (i + run < page.size() && page[i + run] == b && run < 255)
            ++run;
        if (run >= 5 || (b == 0xED && run >= 2)) {
            out.append(static_cast<char>(0xED));
            out.append(static_cast<char>(0xED));
            out.append(static_cast<char>(run));
            out.append(static_cast<char>(b));
            i += run;
        } else if (b == 0xED) {
            out.append(static_cast<char>(b));
            if (i + 1 < page.size())
                out.append(static_cast<char>(page[i + 1]));
            i += 2;
        } else {
            out.append(static_cast<char>(b));
            ++i;
        }
    }
    return out;
}

// A BASIC number as the ROM stores it after its digits: 0Eh, then the small-integer form.
void AppendBasicNumber(QByteArray& line, int value) {
    line.append(QByteArray::number(value));
    line.append(static_cast<char>(0x0E));
    line.append(static_cast<char>(0));
    line.append(static_cast<char>(0));
    Append16(line, static_cast<uint16_t>(value));
    line.append(static_cast<char>(0));
}

// 10 CLEAR 32767: LOAD "" CODE : RANDOMIZE USR 32768
QByteArray LoaderProgram() {
    constexpr char kClear = '\xFD', kLoad = '\xEF', kCode = '\xAF', kRandomize = '\xF9',
                   kUsr = '\xC0';
    QByteArray body;
    body.append(kClear);
    AppendBasicNumber(body, kViewerAddress - 1);
    body.append(':');
    body.append(kLoad);
    body.append("\"\"");
    body.append(kCode);
    body.append(':');
    body.append(kRandomize);
    body.append(kUsr);
    AppendBasicNumber(body, kViewerAddress);
    body.append('\r');
    QByteArray program;
    program.append(static_cast<char>(0)); // line number, big-endian
    program.append(static_cast<char>(10));
    Append16(program, static_cast<uint16_t>(body.size()));
    program.append(body);
    return program;
}

QByteArray TapHeader(uint8_t type, std::string_view name, qsizetype length, uint16_t param1,
                     uint16_t param2) {
    QByteArray header;
    header.append(static_cast<char>(type));
    QByteArray padded(name.data(), static_cast<qsizetype>(name.size()));
    header.append(padded.leftJustified(10, ' ', true));
    Append16(header, static_cast<uint16_t>(length));
    Append16(header, param1);
    Append16(header, param2);
    const auto* data = reinterpret_cast<const uint8_t*>(header.constData());
    return TapBlock(0x00, {data, static_cast<size_t>(header.size())});
}

std::span<const uint8_t> Bytes(const QByteArray& bytes) {
    return {reinterpret_cast<const uint8_t*>(bytes.constData()), static_cast<size_t>(bytes.size())};
}

} // namespace

std::optional<SpectrumMachine> FindSpectrumMachine(QStringView option) {
    for (const SpectrumMachineName& name : SpectrumMachines) {
        if (option == QLatin1String(name.Option.data(), static_cast<qsizetype>(name.Option.size())))
            return name.Machine;
    }
    return std::nullopt;
}

QByteArray ViewerBlock(const MgsImage& picture, SpectrumMachine machine) {
    const Viewer* viewer = FindViewer(picture.CharHeight, machine);
    if (viewer == nullptr)
        return {};
    QByteArray block(reinterpret_cast<const char*>(viewer->Code.data()),
                     static_cast<qsizetype>(viewer->Code.size()));
    block.resize(viewer->Payload - kViewerAddress);
    block[viewer->Border0 - kViewerAddress] = static_cast<char>(picture.BorderPair[0] & 7);
    block[viewer->Border1 - kViewerAddress] = static_cast<char>(picture.BorderPair[1] & 7);
    AppendZxScreen(block, picture, 0);
    AppendZxScreen(block, picture, 1);
    return block;
}

QByteArray WriteZ80(const MgsImage& picture, SpectrumMachine machine) {
    const QByteArray block = ViewerBlock(picture, machine);
    if (block.isEmpty())
        return {};
    const Viewer* viewer = FindViewer(picture.CharHeight, machine);
    QByteArray z80(86, '\0');
    Put16(z80, 8, viewer->StackTop);   // SP
    z80[10] = static_cast<char>(0x3F); // I, as the ROM leaves it
    z80[12] = static_cast<char>((picture.BorderPair[0] & 7) << 1);
    z80[29] = 1;                    // IM 1, interrupts off: the viewer sets its own
    Put16(z80, 30, 54);             // version 3 extra header
    Put16(z80, 32, kViewerAddress); // PC
    z80[34] = static_cast<char>(machine == SpectrumMachine::Pentagon ? 9 : 4);
    z80[35] = static_cast<char>(kPort7ffd);
    z80[61] = static_cast<char>(0xFF); // 0000h-3FFFh is ROM
    z80[62] = static_cast<char>(0xFF);
    std::array<std::array<uint8_t, kPageSize>, 8> pages{};
    std::copy(block.begin(), block.end(), pages[kViewerPage].begin());
    // The screens are in place from the first frame; the viewer copies them again anyway.
    const qsizetype payload = viewer->Payload - kViewerAddress;
    std::copy(block.begin() + payload, block.begin() + payload + kZxScreenSize,
              pages[kScreenPage].begin());
    std::copy(block.begin() + payload + kZxScreenSize, block.begin() + payload + 2 * kZxScreenSize,
              pages[kShadowPage].begin());
    for (int page = 0; page < 8; ++page) {
        const QByteArray packed = CompressZ80Page(pages[page]);
        Append16(z80, static_cast<uint16_t>(packed.size()));
        z80.append(static_cast<char>(page + 3));
        z80.append(packed);
    }
    return z80;
}

QByteArray TapBlock(uint8_t flag, std::span<const uint8_t> data) {
    QByteArray block;
    Append16(block, static_cast<uint16_t>(data.size() + 2));
    block.append(static_cast<char>(flag));
    uint8_t checksum = flag;
    for (uint8_t b : data) {
        block.append(static_cast<char>(b));
        checksum ^= b;
    }
    block.append(static_cast<char>(checksum));
    return block;
}

QByteArray WriteTap(const MgsImage& picture, SpectrumMachine machine) {
    const QByteArray block = ViewerBlock(picture, machine);
    if (block.isEmpty())
        return {};
    const QByteArray program = LoaderProgram();
    QByteArray tap =
        TapHeader(0, "tileSmith", program.size(), 10, static_cast<uint16_t>(program.size()));
    tap.append(TapBlock(0xFF, Bytes(program)));
    tap.append(TapHeader(3, "picture", block.size(), kViewerAddress, 32768));
    tap.append(TapBlock(0xFF, Bytes(block)));
    return tap;
}

const SpectrumProgramFormat* FindSpectrumProgramFormat(QStringView extension) {
    for (const SpectrumProgramFormat& format : SpectrumProgramFormats) {
        if (extension ==
            QLatin1String(format.Extension.data(), static_cast<qsizetype>(format.Extension.size())))
            return &format;
    }
    return nullptr;
}

QString SaveSpectrumProgram(const QString& path, const SpectrumProgramFormat& format,
                            const MgsImage& picture, SpectrumMachine machine) {
    const QByteArray bytes = format.Write(picture, machine);
    if (bytes.isEmpty()) {
        return QStringLiteral("Cannot write %1: there is no Spectrum viewer for 8x%2 pictures")
            .arg(path, QString::number(picture.CharHeight));
    }
    return WriteFileBytes(path, bytes);
}
