// SPDX-License-Identifier: GPL-3.0-or-later
// The selection: its record's bytes, foreign clipboard blocks, Paste's clipping and target,
// the selecting drag, Delete and Copy as text.
#include "editing/selection.h"
#include "picture/colour.h"
#include "support/test_pictures.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

namespace O = SelectionOffset;

int32_t Int32At(const std::vector<uint8_t>& bytes, std::size_t offset) {
    return static_cast<int32_t>(bytes[offset] | bytes[offset + 1] << 8 | bytes[offset + 2] << 16 |
                                static_cast<uint32_t>(bytes[offset + 3]) << 24);
}

void PutInt32(std::vector<uint8_t>& bytes, std::size_t offset, int32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[offset + i] = static_cast<uint8_t>(static_cast<uint32_t>(value) >> (8 * i));
}

// A view point inside cell (column, cellRow) at zoom factor `z`.
QPoint ViewPointOf(int column, int cellRow, int z, int charHeight) {
    return {column * 8 * z + 3, cellRow * charHeight * z + 1};
}

// A record that has copied `picture` with copy rectangle (x, y, w, h).
SelectionRecord CopiedBlock(const MgsImage& picture, int x, int y, int w, int h) {
    SelectionRecord sel;
    sel.exists = true;
    sel.x = x, sel.y = y, sel.w = w, sel.h = h;
    CopySelection(sel, picture, false, {}, 4, 0);
    return sel;
}

// Every cell of `picture` inside `pasted` holds the rows of the cell (dx, dy) cells away in
// `source`, both screens, pixels and attributes; every other cell is as in `before`.
void ExpectPasted(const MgsImage& picture, const MgsImage& before, const PicturePlanes& source,
                  CellRect pasted, int dx, int dy) {
    const int ch = picture.CharHeight;
    for (int c = 0; c < kByteColumns; ++c)
        for (int r = 0; r < CellRowCount(ch); ++r) {
            const bool in = c >= pasted.x && c < pasted.x + pasted.w && r >= pasted.y &&
                            r < pasted.y + pasted.h;
            const PicturePlanes& from = in ? source : before;
            for (int k = 0; k < ch; ++k) {
                const int to = PlaneIndex(c, r * ch + k);
                const int at = in ? PlaneIndex(c + dx, (r + dy) * ch + k) : to;
                for (int s = 0; s < 2; ++s) {
                    ASSERT_EQ(picture.PixelPlane[s][to], from.PixelPlane[s][at]) << c << "," << r;
                    ASSERT_EQ(picture.AttrPlane[s][to], from.AttrPlane[s][at]) << c << "," << r;
                }
            }
        }
}

TEST(SelectionRecordBytes, EveryFieldAtItsOffset) {
    SelectionRecord sel;
    sel.dragging = sel.exists = true;
    sel.x = 0x01020304, sel.y = -2, sel.anchorX = 7, sel.anchorY = 8, sel.w = 9, sel.h = 10;
    sel.copyX = 11, sel.copyY = 12, sel.copyW = 13, sel.copyH = 14;
    sel.framePhase = 12;
    sel.copy.PixelPlane[0][PlaneIndex(3, 100)] = 0xA2;
    sel.copy.PixelPlane[1][kPlaneSize - 1] = 0xB1;
    sel.copy.AttrPlane[0][PlaneIndex(3, 100)] = {5, 6};
    sel.copy.AttrPlane[1][kPlaneSize - 1] = {13, 14};

    const std::vector<uint8_t> bytes = SelectionRecordBytes(sel);
    ASSERT_EQ(bytes.size(), 36912u);
    EXPECT_EQ((std::vector<uint8_t>(bytes.begin(), bytes.begin() + 8)),
              (std::vector<uint8_t>{1, 1, 0, 0, 0x04, 0x03, 0x02, 0x01})); // little-endian
    const std::vector<int32_t> fields = {-2, 7, 8, 9, 10, 11, 12, 13, 14};
    for (std::size_t i = 0; i < fields.size(); ++i)
        EXPECT_EQ(Int32At(bytes, 8 + 4 * i), fields[i]) << "field at " << 8 + 4 * i;
    EXPECT_EQ(bytes[44], 12);
    EXPECT_EQ(bytes[45 + 3 * 192 + 100], 0xA2);
    EXPECT_EQ(bytes[6189 + kPlaneSize - 1], 0xB1);
    EXPECT_EQ(bytes[12333 + 2 * (3 * 192 + 100)], 5); // paper, then ink
    EXPECT_EQ(bytes[12333 + 2 * (3 * 192 + 100) + 1], 6);
    EXPECT_EQ(bytes[24621 + 2 * (kPlaneSize - 1)], 13);
    EXPECT_EQ(bytes[24621 + 2 * (kPlaneSize - 1) + 1], 14);
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), 0), 36912 - 25); // nothing else written
    EXPECT_EQ(ClipboardBlock(sel).size(), 36913u);
}

TEST(ClipboardBlock, WrongSizeOrImpossibleColoursAreRejectedAndChangeNothing) {
    const MgsImage picture = RandomPicture(8, 3);
    const SelectionRecord own = CopiedBlock(picture, 1, 2, 3, 4);
    std::vector<uint8_t> good = ClipboardBlock(CopiedBlock(RandomPicture(8, 4), 5, 5, 2, 2));

    SelectionRecord sel = own;
    for (std::size_t size : {std::size_t{0}, std::size_t{1}, kSelectionRecordSize,
                             kClipboardBlockSize + 1, std::size_t{100000}}) {
        std::vector<uint8_t> block = good;
        block.resize(size);
        EXPECT_FALSE(ReadClipboardBlock(block, sel).isEmpty()) << size;
        EXPECT_EQ(sel, own);
    }
    for (std::size_t offset :
         {O::CopyAttr0, O::CopyAttr0 + 2 * kPlaneSize - 1, O::CopyAttr1 + 77}) {
        std::vector<uint8_t> block = good;
        block[offset] = 15;
        EXPECT_FALSE(ReadClipboardBlock(block, sel).isEmpty()) << offset;
        EXPECT_EQ(sel, own);
    }
    // Reserved bytes and the trailing byte carry nothing.
    good[2] = good[36910] = good.back() = 0x55;
    EXPECT_TRUE(ReadClipboardBlock(good, sel).isEmpty());
    EXPECT_EQ(sel.copyX, 5);
}

TEST(Paste, HostileBlocksWriteOnlyInsideThePlanes) {
    const MgsImage source = CellPicture(8, 11), before = CellPicture(8, 12);
    std::vector<uint8_t> block = ClipboardBlock(CopiedBlock(source, 0, 0, 1, 1));
    PutInt32(block, O::CopyX, -5);
    PutInt32(block, O::CopyW, 10);
    PutInt32(block, O::CopyY, -3);
    PutInt32(block, O::CopyH, INT_MAX);
    // Left of and above the picture: the block's second column and row land on cell (0, 0),
    // and its last row would come from row 192.
    MgsImage picture = before;
    SelectionRecord sel;
    const PasteResult result = Paste(sel, picture, block, true, {-20, -20}, 4);
    EXPECT_EQ(result.update, ViewUpdate::Rerender);
    EXPECT_TRUE(result.blockError.isEmpty());
    ExpectPasted(picture, before, source, {0, 0, 4, 23}, 1, 1);

    // Copied at 8x1, cell rows 20..24 are pixel rows 20..24; at 8x8 the same numbers are
    // pixel rows 160..199, and 192..199 do not exist.
    const MgsImage fine = CellPicture(1, 21);
    picture = before;
    Paste(sel, picture, ClipboardBlock(CopiedBlock(fine, 6, 20, 2, 5)), true,
          ViewPointOf(10, 2, 4, 8), 4);
    ExpectPasted(picture, before, fine, {10, 2, 2, 4}, -4, 18);
    picture = before;
    Paste(sel, picture, ClipboardBlock(CopiedBlock(fine, 0, 180, 4, 12)), true, {}, 4);
    EXPECT_EQ(picture, before);

    // A block of our own past the right and bottom edges.
    sel = CopiedBlock(source, 5, 3, 4, 2);
    picture = before;
    Paste(sel, picture, {}, true, ViewPointOf(30, 23, 8, 8), 8);
    ExpectPasted(picture, before, source, {30, 23, 2, 1}, -25, -20);
}

TEST(Paste, TargetIsThePointerElseTheSelectionElseTheLastPicturePoint) {
    SelectionRecord sel;
    sel.x = 3, sel.y = 5, sel.w = 2, sel.h = 2;
    const QPoint pointer(400, 300), last(40, 30);
    const struct {
        bool over, exists;
        int charHeight;
        QPoint target;
    } cases[] = {
        {true, true, 8, pointer},           // Ctrl+V over the picture
        {false, true, 8, {3 * 32, 5 * 32}}, // the menu: the selection's top-left cell
        {false, true, 2, {3 * 32, 5 * 8}},  // in cell rows of the current CharHeight
        {false, false, 8, last},            // no selection: where the pointer last was
    };
    for (const auto& c : cases) {
        sel.exists = c.exists;
        EXPECT_EQ(PasteTarget(sel, c.over, pointer, last, 4, c.charHeight), c.target);
    }
}

TEST(SelectionMouse, DragGrowsInAnyDirectionFromTheAnchor) {
    const int z = 8, ch = 8;
    SelectionRecord sel;
    SelectionMousePress(sel, ViewPointOf(5, 3, z, ch), z, ch);
    SelectionMouseMove(sel, ViewPointOf(2, 7, z, ch), z, ch);
    EXPECT_EQ((CellRect{sel.x, sel.y, sel.w, sel.h}), (CellRect{2, 3, 4, 5}));

    // A drag that leaves the view holds to the picture's edge.
    SelectionMouseMove(sel, {-500, 1 << 30}, z, ch);
    EXPECT_EQ((CellRect{sel.x, sel.y, sel.w, sel.h}), (CellRect{0, 3, 6, 21}));
}

TEST(Delete, FillsEveryRowOfTheSelectedCells) {
    const MgsImage before = RandomPicture(4, 51);
    MgsImage picture = before;
    SelectionRecord sel;
    sel.x = 3, sel.y = 10, sel.w = 2, sel.h = 3;
    EXPECT_EQ(DeleteSelection(picture, sel, {1, 3}, {5, 7}, 2), ViewUpdate::None);
    EXPECT_EQ(picture, before);

    sel.exists = true;
    EXPECT_EQ(DeleteSelection(picture, sel, {1, 3}, {5, 7}, 2), ViewUpdate::Rerender);
    PicturePlanes filled;
    filled.PixelPlane[0].fill(0xFF);
    filled.AttrPlane[0].fill({1, 3});
    filled.AttrPlane[1].fill({5, 7});
    ExpectPasted(picture, before, filled, {3, 10, 2, 3}, 0, 0);

    // A rectangle left over from 8x1 (192 cell rows) at 8x8 stays inside the planes.
    SelectAll(sel, 1);
    DeleteSelection(picture, sel, {2, 4}, {6, 8}, 1);
    EXPECT_TRUE(std::all_of(picture.PixelPlane[1].begin(), picture.PixelPlane[1].end(),
                            [](uint8_t b) { return b == 0xFF; }));
    EXPECT_EQ(picture.AttrPlane[0][kPlaneSize - 1], (AttrCell{2, 4}));
}

TEST(CopyAsText, OneLinePerPixelRowOrOneLineForOneColumn) {
    MgsImage picture;
    picture.CharHeight = 2;
    picture.PixelPlane[0][PlaneIndex(4, 10)] = 0x0A;
    picture.PixelPlane[0][PlaneIndex(5, 10)] = 0xFF;
    picture.PixelPlane[0][PlaneIndex(4, 11)] = 0x00;
    picture.PixelPlane[0][PlaneIndex(5, 11)] = 0xc3;
    picture.PixelPlane[1][PlaneIndex(4, 10)] = 0x81;
    SelectionRecord sel;
    sel.x = 4, sel.y = 5, sel.w = 2, sel.h = 1;
    EXPECT_TRUE(SelectionText(sel, picture, false).isNull());

    sel.exists = true;
    EXPECT_EQ(SelectionText(sel, picture, false), "\tDB\t#0A,#FF\r\n\tDB\t#00,#C3\r\n");
    EXPECT_EQ(SelectionText(sel, picture, true),
              ";--- pixels screen 0\r\n\tDB\t#0A,#FF\r\n\tDB\t#00,#C3\r\n"
              ";--- pixels screen 1\r\n\tDB\t#81,#00\r\n\tDB\t#00,#00\r\n");

    // One column, two cell rows: every byte top to bottom on one line.
    sel.w = 1, sel.h = 2;
    EXPECT_EQ(SelectionText(sel, picture, false), "\tDB\t#0A,#00,#00,#00");
    sel.y = 96; // nothing of it inside the picture
    EXPECT_TRUE(SelectionText(sel, picture, true).isNull());
}

} // namespace
