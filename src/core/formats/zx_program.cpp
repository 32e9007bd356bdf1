// SPDX-License-Identifier: GPL-3.0-or-later
// The snapshot and tape writers around the assembled viewers.
#include "formats/zx_program.h"

#include "Viewer8x1_128.h"
#include "Viewer8x1_Pentagon.h"
#include "Viewer8x2_128.h"
#include "Viewer8x2_Pentagon.h"
#include "Viewer8x4_128.h"
#include "Viewer8x4_Pentagon.h"
#include "Viewer8x8.h"
#include "formats/picture_file.h"
#include "formats/zx_screen.h"
#include "picture/colour.h"

#include <algorithm>

namespace {

constexpr int kPageSize = 16384;
constexpr int kScreenPage = 5;      // screen 0, at 4000h
constexpr int kShadowPage = 7;      // screen 1, paged at C000h
constexpr int kViewerPage = 2;      // 8000h
constexpr int kEnginePage = 0;      // paged at C000h by a viewer that needs more room
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
static_assert(Viewer8x4_Pentagon::HANDLER == kViewerInterruptAddress);

// A viewer turns the picture into its code block. A block that carries the screens as
// payload (for the tape) says where; the snapshot also puts the screens in place itself.
struct ViewerImage {
    QByteArray Block;
    qsizetype Screens = -1; // offset of screen 0 and then screen 1 (6912 bytes each), or -1
    // When the block carries screen 1 (its bitmap, or all of it) for the viewer to copy,
    // screen 0 travels apart and loads straight to 4000h: this many bytes of it, the bitmap
    // (6144) or the whole screen (6912). 0 when the block carries neither.
    int Screen0Apart = 0;
    // Data the viewer reads from page 5 at kPage5Data (the Pentagon does not hold it up);
    // only a snapshot can bring it, so such a viewer has no tape.
    QByteArray Page5;
    // Code the viewer runs from page 0 at C000h, which the ULA never holds up, or data it
    // copies from there.
    QByteArray Page0;
    // What loads at 4000h when that is not screen 0 as it is.
    QByteArray Page5Screen;
};
constexpr uint16_t kPage5Data = 0x6000;

// The bytes of assembled viewer code between two of its labels.
QByteArray CodeBetween(const QByteArray& block, uint16_t from, uint16_t to) {
    return block.mid(from - kViewerAddress, to - from);
}
// The address the next byte appended to the viewer block will load at.
uint16_t NextAddress(const QByteArray& block) {
    return static_cast<uint16_t>(kViewerAddress + block.size());
}
// Writes `value` into the viewer block at the Spectrum address `at`.
void PutAt(QByteArray& block, int at, uint16_t value) {
    Put16(block, at - kViewerAddress, value);
}

// A viewer's code up to `end`, the address where the picture's data begins, with the
// picture's border pair written into the two bytes the viewer reads it from.
QByteArray ViewerCode(std::span<const uint8_t> code, uint16_t end, uint16_t border0,
                      uint16_t border1, const MgsImage& picture) {
    QByteArray block(reinterpret_cast<const char*>(code.data()),
                     static_cast<qsizetype>(code.size()));
    block.resize(end - kViewerAddress);
    block[border0 - kViewerAddress] = static_cast<char>(picture.BorderPair[0] & 7);
    block[border1 - kViewerAddress] = static_cast<char>(picture.BorderPair[1] & 7);
    return block;
}

ViewerImage Build8x8(const MgsImage& picture) {
    ViewerImage image;
    image.Block = ViewerCode(Viewer8x8::Code, Viewer8x8::payload, Viewer8x8::border0,
                             Viewer8x8::border1, picture);
    image.Screens = image.Block.size();
    AppendZxScreen(image.Block, picture, 0);
    AppendZxScreen(image.Block, picture, 1);
    return image;
}

// The places of one multicolour assembly that the stamping needs.
struct EngineSymbols {
    std::span<const uint8_t> Code;
    uint16_t Border0, Border1, Bitmap1, Screen0, Screen1, Done, Row, RowEnd, Engines;
    uint16_t Window[8], WindowValues[6], Upper, Regs, Loads[8];
};
#define TILESMITH_ENGINE(ns)                                                                       \
    EngineSymbols {                                                                                \
        ns::Code, ns::border0, ns::border1, ns::bitmap1, ns::screen0, ns::screen1, ns::done,       \
            ns::row, ns::row_end, ns::engines,                                                     \
            {ns::w1, ns::w2, ns::w3, ns::w4, ns::w5, ns::w6, ns::w7, ns::w8},                      \
            {ns::w6hl, ns::w6de, ns::w7hl, ns::w7de, ns::w8hl, ns::w8de}, ns::upper, ns::regs, {   \
            ns::rhl, ns::rde, ns::rbc, ns::rix, ns::riy, ns::rhl2, ns::rde2, ns::rbc2              \
        }                                                                                          \
    }

// The attribute bytes of one cell row of a screen, 32 columns.
std::array<uint8_t, 32> AttrRow(const MgsImage& picture, int screen, int pixelRow) {
    std::array<uint8_t, 32> row{};
    for (int c = 0; c < kByteColumns; ++c)
        row[c] = SpectrumAttr(
            picture.AttrPlane[screen][PlaneIndex(c, EffectiveAttrRow(picture, pixelRow, c))]);
    return row;
}

uint16_t Pair(const std::array<uint8_t, 32>& row, int c) {
    return static_cast<uint16_t>(row[c] | row[c + 1] << 8);
}

// The 8x4 engines: for each screen 25 copies of the row code, each stamped with its
// attribute addresses and values, then a jump back to the interrupt's end, then the
// accumulator/flag bytes the copies pop.
ViewerImage BuildMulticolour(const MgsImage& picture, const EngineSymbols& e) {
    ViewerImage image;
    QByteArray& block = image.Block;
    block = ViewerCode(e.Code, e.Engines, e.Border0, e.Border1, picture);
    auto put16 = [&block](uint16_t address, uint16_t value) { PutAt(block, address, value); };
    const QByteArray row = CodeBetween(block, e.Row, e.RowEnd);
    constexpr int kCopies = 25;
    const std::array<uint8_t, 32> blank{};
    for (int screen = 0; screen < 2; ++screen) {
        const uint16_t attrs = screen == 0 ? 0x5800 : 0xD800;
        const uint16_t engine = NextAddress(block);
        const uint16_t rowSize = static_cast<uint16_t>(row.size());
        const uint16_t popData = static_cast<uint16_t>(engine + kCopies * rowSize + 3);
        put16((screen == 0 ? e.Screen0 : e.Screen1) + 2, e.Upper - e.Row + engine);
        for (int j = 0; j < kCopies; ++j) {
            const uint16_t base = static_cast<uint16_t>(engine + j * rowSize);
            block.append(row);
            auto at = [&](uint16_t label) { return static_cast<uint16_t>(label - e.Row + base); };
            // The window: the lower half of character row j - 1.
            const uint16_t lowerRow = static_cast<uint16_t>(attrs + (j == 0 ? 24 : j - 1) * 32);
            const auto lower = j == 0 ? blank : AttrRow(picture, screen, (j - 1) * 8 + 4);
            for (int w = 0; w < 8; ++w)
                put16(at(e.Window[w]) + 1, static_cast<uint16_t>(lowerRow + 4 * (w + 1)));
            for (int v = 0; v < 6; ++v)
                put16(at(e.WindowValues[v]) + 1, Pair(lower, 20 + 2 * v));
            // The upper half of character row j: sixteen pushes from the right end.
            const auto upper = j < 24 ? AttrRow(picture, screen, j * 8) : blank;
            put16(at(e.Upper) + 1, static_cast<uint16_t>(attrs + j * 32 + 32));
            for (int i = 0; i < 16; ++i)
                put16(at(e.Upper) + 3 + 4 * i + 1, Pair(upper, 30 - 2 * i));
            // The registers for the next window, the lower half of row j.
            const auto next = j < 24 ? AttrRow(picture, screen, j * 8 + 4) : blank;
            put16(at(e.Regs) + 1, static_cast<uint16_t>(popData + 4 * j));
            constexpr int kLoadColumn[8] = {0, 2, 4, 8, 10, 12, 14, 16};
            for (int r = 0; r < 8; ++r) {
                const int operand = (r == 3 || r == 4) ? 2 : 1; // LD IX / LD IY: DD/FD prefix
                put16(at(e.Loads[r]) + operand, Pair(next, kLoadColumn[r]));
            }
        }
        block.append(static_cast<char>(0xC3)); // JP done
        Append16(block, e.Done);
        for (int j = 0; j < kCopies; ++j) {
            const auto next = j < 24 ? AttrRow(picture, screen, j * 8 + 4) : blank;
            for (int c : {18, 19, 6, 7}) // popped as F, A for the second set, then the first
                block.append(static_cast<char>(next[c]));
        }
    }
    put16(e.Bitmap1, NextAddress(block));
    std::array<uint8_t, kZxBitmapSize> bitmap{};
    PlaneToZxBitmap(picture.PixelPlane[1], bitmap);
    block.append(reinterpret_cast<const char*>(bitmap.data()), kZxBitmapSize);
    image.Screen0Apart = kZxBitmapSize;
    return image;
}

// The 8x2 engine: per screen 25 copies, copy j with three windows for pixel rows 2, 4
// and 6 of character row j - 1, the top row of row j, and three register loads whose 20
// bytes each lie in page 5.
ViewerImage Build8x2(const MgsImage& picture) {
    namespace v = Viewer8x2_Pentagon;
    ViewerImage image;
    QByteArray& block = image.Block;
    block = ViewerCode(v::Code, v::engines, v::border0, v::border1, picture);
    const QByteArray row = CodeBetween(block, v::row, v::row_end);
    constexpr int kCopies = 25;
    // Operand offsets inside WINDOW: the five stack addresses, then the six immediates.
    constexpr int kWindowSp[5] = {1, 7, 17, 23, 35};
    constexpr int kWindowEnd[5] = {6, 12, 18, 24, 32};
    constexpr int kWindowHl[6] = {26, 30, 38, 42, 46, 50};
    constexpr int kWindowHlColumn[6] = {22, 20, 30, 28, 26, 24};
    constexpr int kPreloadColumn[10] = {12, 14, 16, 8, 10, 18, 0, 2, 4, 6};
    const std::array<uint8_t, 32> blank{};
    auto put = [&block](int at, uint16_t value) { PutAt(block, at, value); };
    for (int screen = 0; screen < 2; ++screen) {
        const uint16_t attrs = screen == 0 ? 0x5800 : 0xD800;
        const int engine = NextAddress(block);
        put((screen == 0 ? v::screen0 : v::screen1) + 2,
            static_cast<uint16_t>(v::upper - v::row + engine));
        for (int j = 0; j < kCopies; ++j) {
            const int base = engine + j * static_cast<int>(row.size());
            block.append(row);
            auto at = [&](int label) { return label - v::row + base; };
            const int lowerRow = j == 0 ? 24 : j - 1;
            const int windows[3] = {v::win1, v::win2, v::win3};
            const int preloads[3] = {v::pre1, v::pre2, v::pre0};
            for (int w = 0; w < 3; ++w) {
                // Window w writes pixel row 2w + 2 of character row j - 1; the loads after
                // it serve the next window: rows 4 and 6 of row j - 1, then row 2 of row j.
                const auto values =
                    j == 0 ? blank : AttrRow(picture, screen, (j - 1) * 8 + 2 * w + 2);
                for (int k = 0; k < 5; ++k)
                    put(at(windows[w]) + kWindowSp[k],
                        static_cast<uint16_t>(attrs + lowerRow * 32 + kWindowEnd[k]));
                for (int k = 0; k < 6; ++k)
                    put(at(windows[w]) + kWindowHl[k], Pair(values, kWindowHlColumn[k]));
                const int nextRow = w < 2 ? (j - 1) * 8 + 2 * w + 4 : j * 8 + 2;
                const auto next = (w < 2 && j == 0) || (w == 2 && j == 24)
                                      ? blank
                                      : AttrRow(picture, screen, nextRow);
                const uint16_t data = static_cast<uint16_t>(kPage5Data + image.Page5.size());
                put(at(preloads[w]) + 1, data);
                for (int c : kPreloadColumn) {
                    image.Page5.append(static_cast<char>(next[c]));
                    image.Page5.append(static_cast<char>(next[c + 1]));
                }
            }
            const auto top = j < 24 ? AttrRow(picture, screen, j * 8) : blank;
            put(at(v::upper) + 1, static_cast<uint16_t>(attrs + j * 32 + 32));
            for (int i = 0; i < 16; ++i)
                put(at(v::upper) + 3 + 4 * i + 1, Pair(top, 30 - 2 * i));
        }
        block.append(static_cast<char>(0xC3)); // JP done
        Append16(block, v::done);
    }
    return image;
}

// The places of an 8x1 assembly that the stamping needs.
struct LineSymbols {
    std::span<const uint8_t> Code;
    uint16_t Border0, Border1, Bitmap1, Screen0, Screen1, Done, Line, Loads, LineEnd, Engines;
    uint16_t Load[8]; // the LD instructions of the loads, in the order of kLoadColumn
};
#define TILESMITH_LINE_ENGINE(ns)                                                                  \
    LineSymbols {                                                                                  \
        ns::Code, ns::border0, ns::border1, ns::bitmap1, ns::screen0, ns::screen1, ns::done,       \
            ns::line, ns::loads, ns::line_end, ns::engines, {                                      \
            ns::l_hl2, ns::l_de2, ns::l_bc2, ns::l_hl, ns::l_de, ns::l_bc, ns::l_ix, ns::l_iy      \
        }                                                                                          \
    }

// The 8x1 engine: per screen the loads for pixel row 0, then 192 copies of the line code,
// each pushing the middle columns of its row from eight register pairs and loading them
// from immediates for the next. Screen 1's engine follows the frame code in page 2; screen
// 0's fills page 0, which its frames page in at C000h. The block ends with all of screen 1,
// which the viewer copies to page 7, as the side columns' attributes are never rewritten.
ViewerImage Build8x1(const MgsImage& picture, const LineSymbols& v) {
    ViewerImage image;
    image.Block = ViewerCode(v.Code, v.Engines, v.Border0, v.Border1, picture);
    const QByteArray line(reinterpret_cast<const char*>(v.Code.data()) + (v.Line - kViewerAddress),
                          v.LineEnd - v.Line);
    // The column pair each load carries; LD IX and LD IY have a prefix byte.
    constexpr int kLoadColumn[8] = {12, 10, 8, 22, 20, 18, 16, 14};
    auto engine = [&](int screen) {
        QByteArray code;
        auto stampLoads = [&](qsizetype lineStart, int y) {
            const auto row =
                y < kPixelRows ? AttrRow(picture, screen, y) : std::array<uint8_t, 32>{};
            for (int r = 0; r < 8; ++r)
                Put16(code, lineStart + v.Load[r] + (r < 6 ? 1 : 2) - v.Line,
                      Pair(row, kLoadColumn[r]));
        };
        // The engine opens with the loads of a line, for pixel row 0.
        code.append(line.mid(v.Loads - v.Line));
        stampLoads(v.Line - v.Loads, 0);
        const uint16_t attrs = screen == 0 ? 0x5800 : 0xD800;
        for (int y = 0; y < kPixelRows; ++y) {
            const qsizetype at = code.size();
            code.append(line);
            Put16(code, at + 1, static_cast<uint16_t>(attrs + (y / 8) * 32 + 24));
            stampLoads(at, y + 1);
        }
        code.append(static_cast<char>(0xC3)); // JP done
        Append16(code, v.Done);
        return code;
    };
    PutAt(image.Block, v.Screen1 + 2, NextAddress(image.Block));
    image.Block.append(engine(1));
    PutAt(image.Block, v.Screen0 + 2, 0xC000);
    image.Page0 = engine(0);
    PutAt(image.Block, v.Bitmap1, NextAddress(image.Block));
    AppendZxScreen(image.Block, picture, 1);
    image.Screen0Apart = kZxScreenSize;
    return image;
}

// The bitmap of one page of the 128K's 8x4 viewer: pixel rows 0-3 of every cell row from
// screen `upper`, rows 4-7 from the other.
QByteArray HalvesBitmap(const MgsImage& picture, int upper) {
    PixelPlaneBytes plane = picture.PixelPlane[upper];
    for (int y = 4; y < kPixelRows; y += 8) {
        for (int r = y; r < y + 4; ++r) {
            for (int c = 0; c < kByteColumns; ++c)
                plane[PlaneIndex(c, r)] = picture.PixelPlane[1 - upper][PlaneIndex(c, r)];
        }
    }
    std::array<uint8_t, kZxBitmapSize> bitmap{};
    PlaneToZxBitmap(plane, bitmap);
    return {reinterpret_cast<const char*>(bitmap.data()), kZxBitmapSize};
}

// The 8x4 engines of the 128K: per screen the loads of the first push slot, then 25
// copies of the cell row code. Copy j pushes, for the frame after, the upper half of cell
// row j - 1 into the page shown last (slots 0 and 1) and the lower half of row j into the
// page shown first (slots 4 and 5); writes with no row to go to land in page 7 past its
// screen. Page 7's bitmap travels in page 0.
ViewerImage Build8x4_128(const MgsImage& picture) {
    namespace v = Viewer8x4_128;
    ViewerImage image;
    QByteArray& block = image.Block;
    block = ViewerCode(v::Code, v::engines, v::border0, v::border1, picture);
    const QByteArray row = CodeBetween(block, v::row, v::row_end);
    const QByteArray loads = CodeBetween(block, v::entry, v::row);
    // The immediates of LOADS and the column (of the slot's sixteen) each pair carries.
    constexpr int kLoadAt[8] = {1, 4, 7, 11, 14, 17, 21, 25};
    constexpr int kLoadColumn[8] = {4, 2, 0, 14, 12, 10, 8, 6};
    constexpr uint16_t kSpare = 0xDB00;
    struct Slot {
        uint16_t Sp;
        std::array<uint8_t, 32> Values;
        int First; // the first of the sixteen columns
    };
    auto slot = [&](int shown, int j, int k) -> Slot {
        const int other = 1 - shown;
        const bool upper = k < 2;
        const int cellRow = upper ? j - 1 : j;
        const int first = k % 2 == 0 ? 16 : 0;
        if (cellRow < 0 || cellRow >= kPixelRows / 8)
            return {static_cast<uint16_t>(kSpare + first + 16), {}, first};
        // Screen 0's upper halves are in page 5 and its lower in page 7; screen 1's the other way.
        const uint16_t attrs = (other == 0) == upper ? 0x5800 : 0xD800;
        return {static_cast<uint16_t>(attrs + cellRow * 32 + first + 16),
                AttrRow(picture, other, cellRow * 8 + (upper ? 0 : 4)), first};
    };
    auto stampLoads = [&](qsizetype at, const Slot& s) {
        for (int r = 0; r < 8; ++r)
            Put16(block, at + kLoadAt[r], Pair(s.Values, s.First + kLoadColumn[r]));
    };
    constexpr int kCopies = 25;
    constexpr int kPushSlots[4] = {0, 1, 4, 5};
    for (int shown = 0; shown < 2; ++shown) {
        PutAt(block, (shown == 0 ? v::screen0 : v::screen1) + 2, NextAddress(block));
        block.append(loads);
        stampLoads(block.size() - loads.size(), slot(shown, 0, 0));
        for (int j = 0; j < kCopies; ++j) {
            const qsizetype base = block.size();
            block.append(row);
            const uint16_t pushAt[4] = {v::s0, v::s1, v::s4, v::s5};
            for (int k = 0; k < 4; ++k)
                Put16(block, base + pushAt[k] - v::row + 1, slot(shown, j, kPushSlots[k]).Sp);
            // Each LOADS follows a push slot's LD SP and pushes (14 bytes) or a switch (7)
            // and serves the next push slot.
            stampLoads(base + v::s0 - v::row + 14, slot(shown, j, 1));
            stampLoads(base + v::s3 - v::row + 7, slot(shown, j, 4));
            stampLoads(base + v::s4 - v::row + 14, slot(shown, j, 5));
            stampLoads(base + v::s7 - v::row + 7, slot(shown, j + 1, 0));
            // Lines 4-7 come from the page lines 0-3 did not: 1Fh shows page 7, 17h page 5.
            block[base + v::s3 - v::row + 4] = static_cast<char>(shown == 0 ? 0x1F : 0x17);
            block[base + v::s7 - v::row + 4] = static_cast<char>(shown == 0 ? 0x17 : 0x1F);
        }
        block.append(static_cast<char>(0xC3)); // JP done
        Append16(block, v::done);
    }
    image.Page5Screen = HalvesBitmap(picture, 0);
    image.Page0 = HalvesBitmap(picture, 1);
    image.Screen0Apart = kZxBitmapSize;
    return image;
}

// The 8x2 engines of the 128K: per screen the copies and the loads of the first slot, 24
// copies of the cell row code and the copy for the next frame. Frame `shown` shows page 5
// in band b of cell row k when k + b + shown is even; the other page's attribute row is
// rewritten meanwhile. The immediates are stamped by following the code: each push takes
// the pair last loaded into its register and lands where SP points.
ViewerImage Build8x2_128(const MgsImage& picture) {
    namespace v = Viewer8x2_128;
    ViewerImage image;
    QByteArray& block = image.Block;
    block = ViewerCode(v::Code, v::engines, v::border0, v::border1, picture);
    const QByteArray entry = CodeBetween(block, v::entry, v::row),
                     row = CodeBetween(block, v::row, v::row_end),
                     exit = CodeBetween(block, v::exit, v::exit_end);
    constexpr int kCellRows = kPixelRows / 8;
    std::array<std::array<std::array<uint8_t, 32>, kPixelRows / 2>, 2> bands{};
    for (int screen = 0; screen < 2; ++screen) {
        for (int band = 0; band < kPixelRows / 2; ++band)
            bands[screen][band] = AttrRow(picture, screen, band * 2);
    }
    auto page5Shows = [](int k, int band, int shown) { return (k + band + shown) % 2 == 0; };
    // The attributes each page starts a frame with: the first band it shows in each row.
    QByteArray start[2]; // page 5's for screen 0 and 1, then page 7's
    for (int page = 0; page < 2; ++page) {
        for (int shown = 0; shown < 2; ++shown) {
            for (int k = 0; k < kCellRows; ++k) {
                const int band = page5Shows(k, 0, shown) == (page == 0) ? 0 : 1;
                const auto& values = bands[shown][k * 4 + band];
                start[page].append(reinterpret_cast<const char*>(values.data()), 32);
            }
        }
    }
    constexpr uint16_t kPage7Data = 0xE000;
    for (int shown = 0; shown < 2; ++shown) {
        const qsizetype begin = block.size();
        const auto address = [&](qsizetype at) {
            return static_cast<uint16_t>(kViewerAddress + begin + at);
        };
        PutAt(block, (shown == 0 ? v::screen0 : v::screen1) + 2, address(0));
        block.append(entry);
        for (int k = 0; k < kCellRows; ++k)
            block.append(row);
        const qsizetype exitAt = block.size() - begin;
        block.append(exit);
        // The copies: page 5's rows and page 7's rows 0-1 for this frame, then page 7's
        // rows 2-23 for the next. Their loops jump within this copy of the code.
        const struct {
            qsizetype Loop;
            uint16_t Source;
        } copies[3] = {{v::copy1 - v::entry, static_cast<uint16_t>(kPage5Data + 768 * shown)},
                       {v::copy2 - v::entry, static_cast<uint16_t>(kPage7Data + 768 * shown)},
                       {exitAt + v::copy3 - v::exit,
                        static_cast<uint16_t>(kPage7Data + 768 * (1 - shown) + 64)}};
        for (const auto& c : copies) {
            Put16(block, begin + c.Loop - 8, c.Source);
            Put16(block, begin + c.Loop + 65, address(c.Loop));
        }
        // Follow the code from the first load to the exit.
        qsizetype at = begin + (v::copy2 - v::entry) + 67;
        const qsizetype end = begin + exitAt;
        std::array<qsizetype, 8> loaded{}; // HL, DE, BC, HL', DE', BC', IX, IY
        loaded.fill(-1);
        int bank = 0, slot = 0, out = 0;
        qsizetype portAt = -1;
        uint16_t sp = 0;
        auto byte = [&](qsizetype i) { return static_cast<uint8_t>(block[i]); };
        auto value = [&](uint16_t a) {
            const bool page5 = a < 0x8000;
            const int offset = a - (page5 ? 0x5800 : 0xD800), k = offset / 32;
            const bool first = page5Shows(k, 0, shown) == page5;
            return bands[shown][k * 4 + (first ? 2 : 3)][offset % 32];
        };
        auto push = [&](int reg) {
            // Only the attribute rows' own 768 bytes on either page: anything else means
            // the code is not the one this follows.
            const int offset = sp - 2 - (sp < 0x8000 ? 0x5800 : 0xD800);
            if (loaded[reg] < 0 || offset < 0 || offset + 1 >= 32 * kCellRows)
                return false;
            sp = static_cast<uint16_t>(sp - 2);
            Put16(block, loaded[reg], static_cast<uint16_t>(value(sp) | value(sp + 1) << 8));
            loaded[reg] = -1;
            return true;
        };
        while (at < end) {
            const uint8_t op = byte(at);
            const int pair = op == 0x21 ? 0 : op == 0x11 ? 1 : op == 0x01 ? 2 : -1;
            const int pushed = op == 0xE5 ? 0 : op == 0xD5 ? 1 : op == 0xC5 ? 2 : -1;
            if (pair >= 0) {
                loaded[pair + 3 * bank] = at + 1;
                at += 3;
            } else if (pushed >= 0) {
                if (!push(pushed + 3 * bank))
                    return {};
                at += 1;
            } else if ((op == 0xDD || op == 0xFD) && byte(at + 1) == 0x21) {
                loaded[op == 0xDD ? 6 : 7] = at + 2;
                at += 4;
            } else if ((op == 0xDD || op == 0xFD) && byte(at + 1) == 0xE5) {
                if (!push(op == 0xDD ? 6 : 7))
                    return {};
                at += 2;
            } else if (op == 0x31) { // LD SP: columns 20, 4, 0 of X, then 30, 14, 0 of Y
                if (slot >= 6 * kCellRows)
                    return {};
                const int k = slot / 6, n = slot % 6;
                const bool xIs5 = page5Shows(k, 0, shown);
                const uint16_t x = static_cast<uint16_t>((xIs5 ? 0x5800 : 0xD800) + 32 * k);
                const uint16_t y = static_cast<uint16_t>((xIs5 ? 0xD800 : 0x5800) + 32 * k);
                constexpr int kTop[6] = {32, 20, 4, 32, 30, 14};
                sp = static_cast<uint16_t>((n < 3 ? x : y) + kTop[n]);
                Put16(block, at + 1, sp);
                ++slot;
                at += 3;
            } else if (op == 0xD3) { // the switch after band b of cell row k
                const int k = out / 3, b = out % 3;
                if (portAt < 0 || out >= 3 * kCellRows)
                    return {};
                block[portAt] = static_cast<char>(page5Shows(k, b + 1, shown) ? 0x17 : 0x1F);
                ++out;
                at += 2;
            } else if (op == 0x3E) {
                portAt = at + 1;
                at += 2;
            } else if (op == 0x20) {
                at += 2;
            } else if (op == 0xD9) {
                bank = 1 - bank;
                at += 1;
            } else if (op == 0x00 || op == 0x3D || op == 0x03 || op == 0x0B) {
                at += 1;
            } else {
                return {};
            }
        }
        if (slot != 6 * kCellRows || out != 3 * kCellRows)
            return {};
    }
    // The data the viewer places at 6000h and E000h, then the bitmaps: page 5 holds screen
    // (k + b) % 2 in band b of cell row k, page 7 the other; page 7's travels in page 0.
    PutAt(block, v::bitmap1, NextAddress(block));
    block.append(start[0] + start[1]);
    for (int page = 0; page < 2; ++page) {
        PixelPlaneBytes plane = picture.PixelPlane[0];
        for (int y = 0; y < kPixelRows; ++y) {
            const int screen = page5Shows(y / 8, y % 8 / 2, 0) == (page == 0) ? 0 : 1;
            for (int c = 0; c < kByteColumns; ++c)
                plane[PlaneIndex(c, y)] = picture.PixelPlane[screen][PlaneIndex(c, y)];
        }
        std::array<uint8_t, kZxBitmapSize> bitmap{};
        PlaneToZxBitmap(plane, bitmap);
        (page == 0 ? image.Page5Screen : image.Page0) =
            QByteArray(reinterpret_cast<const char*>(bitmap.data()), kZxBitmapSize);
    }
    image.Screen0Apart = kZxBitmapSize;
    return image;
}

ViewerImage BuildViewer(const MgsImage& picture, SpectrumMachine machine) {
    switch (picture.CharHeight) {
    case 8:
        return Build8x8(picture);
    case 4:
        if (machine == SpectrumMachine::Pentagon)
            return BuildMulticolour(picture, TILESMITH_ENGINE(Viewer8x4_Pentagon));
        return Build8x4_128(picture);
    case 2:
        if (machine == SpectrumMachine::Pentagon)
            return Build8x2(picture);
        return Build8x2_128(picture);
    case 1:
        if (machine == SpectrumMachine::Pentagon)
            return Build8x1(picture, TILESMITH_LINE_ENGINE(Viewer8x1_Pentagon));
        return Build8x1(picture, TILESMITH_LINE_ENGINE(Viewer8x1_128));
    default:
        return {};
    }
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

// 10 CLEAR 32767: LOAD "" CODE : RANDOMIZE USR 32768, with one LOAD "" CODE a block.
QByteArray LoaderProgram(int codeBlocks) {
    constexpr char kClear = '\xFD', kLoad = '\xEF', kCode = '\xAF', kRandomize = '\xF9',
                   kUsr = '\xC0';
    QByteArray body;
    body.append(kClear);
    AppendBasicNumber(body, kViewerAddress - 1);
    for (int i = 0; i < codeBlocks; ++i) {
        body.append(':');
        body.append(kLoad);
        body.append("\"\"");
        body.append(kCode);
    }
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
    return BuildViewer(picture, machine).Block;
}

QByteArray WriteZ80(const MgsImage& picture, SpectrumMachine machine) {
    const QByteArray block = ViewerBlock(picture, machine);
    // A screen that the block carries at its end is copied out before the vector table is
    // built over it, so only the interrupt's jump at HANDLER bounds the block.
    if (block.isEmpty() || block.size() > Viewer8x8::HANDLER - kViewerAddress)
        return {};
    QByteArray z80(86, '\0');
    Put16(z80, 8, Viewer8x8::STACK_TOP); // SP
    z80[10] = static_cast<char>(0x3F);   // I, as the ROM leaves it
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
    // The screens are in place from the first frame, as far as the tape would put them
    // there: the copy that the viewer makes of a bitmap in its block is its own to prove.
    const ViewerImage viewer = BuildViewer(picture, machine);
    const bool screen1Copied = viewer.Screen0Apart != 0;
    for (int screen = 0; screen < (screen1Copied ? 1 : 2); ++screen) {
        QByteArray bytes = screen == 0 ? viewer.Page5Screen : QByteArray();
        if (bytes.isEmpty())
            AppendZxScreen(bytes, picture, screen);
        std::copy(bytes.begin(), bytes.end(),
                  pages[screen == 0 ? kScreenPage : kShadowPage].begin());
    }
    std::copy(viewer.Page5.begin(), viewer.Page5.end(),
              pages[kScreenPage].begin() + (kPage5Data - 0x4000));
    std::copy(viewer.Page0.begin(), viewer.Page0.end(), pages[kEnginePage].begin());
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
    const ViewerImage viewer = BuildViewer(picture, machine);
    if (viewer.Block.isEmpty() || !viewer.Page5.isEmpty())
        return {};
    const QByteArray& block = viewer.Block;
    // BASIC leaves page 0 at C000h, so page 0's code loads there like any other block.
    // Screen 0, when it travels apart, comes last and straight to the screen, so that no
    // "Bytes:" message of a later block is printed over it.
    const QByteArray program =
        LoaderProgram(1 + (viewer.Page0.isEmpty() ? 0 : 1) + (viewer.Screen0Apart != 0 ? 1 : 0));
    QByteArray tap =
        TapHeader(0, "tileSmith", program.size(), 10, static_cast<uint16_t>(program.size()));
    tap.append(TapBlock(0xFF, Bytes(program)));
    tap.append(TapHeader(3, "picture", block.size(), kViewerAddress, 32768));
    tap.append(TapBlock(0xFF, Bytes(block)));
    if (!viewer.Page0.isEmpty()) {
        tap.append(TapHeader(3, "engine", viewer.Page0.size(), 0xC000, 32768));
        tap.append(TapBlock(0xFF, Bytes(viewer.Page0)));
    }
    if (viewer.Screen0Apart != 0) {
        QByteArray screen = viewer.Page5Screen;
        if (screen.isEmpty())
            AppendZxScreen(screen, picture, 0);
        screen.truncate(viewer.Screen0Apart);
        tap.append(TapHeader(3, "screen", screen.size(), 0x4000, 32768));
        tap.append(TapBlock(0xFF, Bytes(screen)));
    }
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
        const std::string_view caption = SpectrumMachines[static_cast<size_t>(machine)].Caption;
        return QStringLiteral("Cannot write %1: there is no %2 of 8x%3 pictures for the %4. "
                              "Snapshots show all four modes on both machines, and so do "
                              "tapes, except 8x2 pictures on the Pentagon.")
            .arg(path,
                 QString::fromLatin1(format.Description.data(),
                                     static_cast<qsizetype>(format.Description.size()))
                     .toLower(),
                 QString::number(picture.CharHeight),
                 QString::fromLatin1(caption.data(), static_cast<qsizetype>(caption.size())));
    }
    return WriteFileBytes(path, bytes);
}
