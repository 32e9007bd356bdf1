// SPDX-License-Identifier: GPL-3.0-or-later
// The snapshot and tape files, read back the way a Spectrum and an emulator read them.
#include "formats/zx_program.h"
#include "formats/zx_screen.h"
#include "picture/colour.h"
#include "support/test_pictures.h"

#include <QList>

#include <gtest/gtest.h>

#include <map>
#include <tuple>

namespace {

int Word(const QByteArray& bytes, qsizetype at) {
    return static_cast<uint8_t>(bytes[at]) | static_cast<uint8_t>(bytes[at + 1]) << 8;
}

// The pages of a version 3 snapshot, each expanded from the ED ED run code.
std::map<int, QByteArray> Z80Pages(const QByteArray& z80) {
    std::map<int, QByteArray> pages;
    qsizetype at = 32 + Word(z80, 30);
    while (at + 3 <= z80.size()) {
        const int length = Word(z80, at);
        const int page = static_cast<uint8_t>(z80[at + 2]);
        const QByteArray packed = z80.mid(at + 3, length);
        QByteArray page16k;
        for (qsizetype i = 0; i < packed.size();) {
            if (i + 3 < packed.size() && packed[i] == '\xED' && packed[i + 1] == '\xED') {
                page16k.append(QByteArray(static_cast<uint8_t>(packed[i + 2]), packed[i + 3]));
                i += 4;
            } else {
                page16k.append(packed[i++]);
            }
        }
        pages[page] = page16k;
        at += 3 + length;
    }
    return pages;
}

TEST(SpectrumProgram, SnapshotStartsTheViewerWithBothScreensInPlace) {
    MgsImage picture = RandomPicture(8, 3);
    picture.BorderPair = {6, 1};
    // Runs of EDh are the escape of the page code; they must survive it.
    picture.PixelPlane[0].fill(0xED);
    for (auto [machine, hardware] :
         {std::pair{SpectrumMachine::Spectrum128, 4}, std::pair{SpectrumMachine::Pentagon, 9}}) {
        const QByteArray z80 = WriteZ80(picture, machine);
        EXPECT_EQ(Word(z80, 6), 0);   // PC 0: version 2 or later
        EXPECT_EQ(Word(z80, 30), 54); // version 3
        EXPECT_EQ(Word(z80, 32), kViewerAddress);
        EXPECT_EQ(z80[34], hardware);
        EXPECT_EQ(z80[35], 0x17);         // port 7FFDh: ROM 1, page 7 at C000h
        EXPECT_EQ((z80[12] >> 1) & 7, 6); // border
        const auto pages = Z80Pages(z80);
        ASSERT_EQ(pages.size(), 8u);
        for (const auto& [id, page] : pages)
            ASSERT_EQ(page.size(), 16384) << "page " << id - 3;
        const QByteArray block = ViewerBlock(picture, machine);
        EXPECT_TRUE(pages.at(2 + 3).startsWith(block));
        for (int screen = 0; screen < 2; ++screen) {
            const QByteArray& page = pages.at(screen == 0 ? 5 + 3 : 7 + 3);
            for (int y : {0, 1, 8, 100, 191}) {
                for (int c : {0, 17, 31}) {
                    EXPECT_EQ(static_cast<uint8_t>(page[ZxScreenOffset(y, c)]),
                              picture.PixelPlane[screen][PlaneIndex(c, y)]);
                    EXPECT_EQ(static_cast<uint8_t>(page[kZxBitmapSize + (y / 8) * 32 + c]),
                              SpectrumAttr(picture.AttrPlane[screen][PlaneIndex(c, y & ~7)]));
                }
            }
        }
    }
}

// A tape's blocks without their flag and checksum; every checksum and flag checked.
QList<QByteArray> TapBlocks(const QByteArray& tap) {
    QList<QByteArray> blocks;
    for (qsizetype at = 0; at + 2 <= tap.size();) {
        const int length = Word(tap, at);
        EXPECT_LE(at + 2 + length, tap.size());
        const QByteArray block = tap.mid(at + 2, length);
        uint8_t sum = 0;
        for (char b : block)
            sum ^= static_cast<uint8_t>(b);
        EXPECT_EQ(sum, 0) << "checksum of block " << blocks.size();
        EXPECT_EQ(static_cast<uint8_t>(block[0]), blocks.size() % 2 ? 0xFF : 0x00);
        blocks.append(block.mid(1, length - 2));
        at += 2 + length;
    }
    return blocks;
}

TEST(SpectrumProgram, TapeHasALoaderAndTheCodeBlocksWithRightChecksums) {
    // 8x8: one code block with both screens; 8x4: screen 0's bitmap loads to the screen;
    // 8x1: screen 0's engine loads to page 0 at C000h, then all of screen 0; 8x4 on the
    // 128K: page 7's bitmap loads to page 0, then page 5's (rows 4-7 of each cell row from
    // screen 1); 8x2 on the 128K likewise (odd bands of even cell rows from screen 1).
    const std::tuple<int, SpectrumMachine, int, int> cases[] = {
        // char height, machine, LOAD "" CODEs, bytes of screen 0 loaded apart
        {8, SpectrumMachine::Spectrum128, 1, 0},
        {4, SpectrumMachine::Pentagon, 2, kZxBitmapSize},
        {1, SpectrumMachine::Spectrum128, 3, kZxScreenSize},
        {1, SpectrumMachine::Pentagon, 3, kZxScreenSize},
        {4, SpectrumMachine::Spectrum128, 3, kZxBitmapSize},
        {2, SpectrumMachine::Spectrum128, 3, kZxBitmapSize},
    };
    for (const auto& [height, machine, loads, screen0] : cases) {
        const MgsImage picture = RandomPicture(height, 4);
        const QList<QByteArray> blocks = TapBlocks(WriteTap(picture, machine));
        ASSERT_EQ(blocks.size(), 2 + 2 * loads);
        const QByteArray& program = blocks[1];
        EXPECT_EQ(blocks[0][0], 0);                     // a BASIC program
        EXPECT_EQ(Word(blocks[0], 11), program.size()); // its length
        EXPECT_EQ(Word(blocks[0], 13), 10);             // autostart line
        EXPECT_EQ(Word(program, 0), 10 << 8);           // line 10, big-endian
        EXPECT_EQ(Word(program, 2), program.size() - 4);
        EXPECT_EQ(program.count("\xEF\"\"\xAF"), loads);                    // LOAD "" CODE
        EXPECT_TRUE(program.contains("32768\x0E\x00\x00\x00\x80\x00"_qba)); // USR 32768
        EXPECT_EQ(blocks[2][0], 3);                                         // CODE
        EXPECT_EQ(Word(blocks[2], 13), kViewerAddress);                     // loads where it runs
        EXPECT_EQ(blocks[3], ViewerBlock(picture, machine));
        EXPECT_EQ(Word(blocks[2], 11), blocks[3].size());
        if (loads == 3) { // the tape leaves page 0 as the snapshot has it, which Fuse runs
            EXPECT_EQ(Word(blocks[4], 13), 0xC000);
            EXPECT_EQ(Word(blocks[4], 11), blocks[5].size());
            EXPECT_TRUE(Z80Pages(WriteZ80(picture, machine)).at(0 + 3).startsWith(blocks[5]));
        }
        if (screen0 != 0) {
            const QByteArray& header = blocks[blocks.size() - 2];
            const QByteArray& screen = blocks.last();
            EXPECT_EQ(Word(header, 13), 0x4000);
            ASSERT_EQ(screen.size(), screen0);
            EXPECT_EQ(static_cast<uint8_t>(screen[ZxScreenOffset(184, 31)]),
                      picture.PixelPlane[height == 2 ? 1 : 0][PlaneIndex(31, 184)]);
            const int halves = height == 4 && loads == 3 ? 1 : 0;
            EXPECT_EQ(static_cast<uint8_t>(screen[ZxScreenOffset(191, 31)]),
                      picture.PixelPlane[halves][PlaneIndex(31, 191)]);
            if (screen0 == kZxScreenSize) { // a side column's attribute
                EXPECT_EQ(static_cast<uint8_t>(screen[kZxBitmapSize + 23 * 32 + 31]),
                          SpectrumAttr(picture.AttrPlane[0][PlaneIndex(31, 184)]));
            }
        }
    }
}

TEST(SpectrumProgram, OnlyModesWithAViewerForTheMachineAreWritten) {
    using enum SpectrumMachine;
    const std::tuple<int, SpectrumMachine, bool, bool> cases[] = {
        // char height, machine, snapshot written, tape written
        {8, Spectrum128, true, true}, {8, Pentagon, true, true},    {4, Pentagon, true, true},
        {4, Spectrum128, true, true}, {2, Pentagon, true, false},   {2, Spectrum128, true, true},
        {1, Pentagon, true, true},    {1, Spectrum128, true, true},
    };
    for (const auto& [height, machine, z80, tap] : cases) {
        const MgsImage picture = RandomPicture(height, 9);
        EXPECT_EQ(!WriteZ80(picture, machine).isEmpty(), z80) << height;
        EXPECT_EQ(!WriteTap(picture, machine).isEmpty(), tap) << height;
    }
}

} // namespace
