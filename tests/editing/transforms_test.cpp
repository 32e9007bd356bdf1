// SPDX-License-Identifier: GPL-3.0-or-later
// The flips, rolls and turn of the selected cells: their geometry, a turn past the edge, and
// rectangles a foreign record or a CharHeight change can leave behind.
#include "editing/transforms.h"
#include "support/test_pictures.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

constexpr Transform kAll[] = {
    Transform::FlipHorizontal, Transform::FlipVertical, Transform::Rotate90, Transform::RollLeft,
    Transform::RollRight,      Transform::RollUp,       Transform::RollDown};

SelectionRecord Rect(int x, int y, int w, int h) {
    SelectionRecord sel;
    sel.exists = true;
    sel.x = x, sel.y = y, sel.w = w, sel.h = h;
    return sel;
}

bool Pixel(const MgsImage& p, int s, int x, int y) {
    return p.PixelPlane[s][PlaneIndex(x / 8, y)] & PixelMask(x);
}

// Everything outside the pixel rectangle (x0, y0, w, h) is as in `before`, bits and
// attribute entries.
void ExpectOutsideUnchanged(const MgsImage& after, const MgsImage& before, int x0, int y0, int w,
                            int h, const char* what) {
    for (int s = 0; s < 2; ++s)
        for (int y = 0; y < kPixelRows; ++y)
            for (int x = 0; x < kPictureWidth; ++x) {
                if (x < x0 || x >= x0 + w || y < y0 || y >= y0 + h) {
                    ASSERT_EQ(Pixel(after, s, x, y), Pixel(before, s, x, y))
                        << what << " pixel " << x << "," << y;
                }
            }
}

// Each transform of the 2 x 2 cells (3..4, 4..5) at 8x8: where each pixel (x, y) of the
// 16 x 16 block and each cell (c, r) of it come from. Outside the block nothing changes.
TEST(Transforms, EachMovesPixelsAndCellAttributesByItsGeometry) {
    struct Case {
        Transform transform;
        QPoint (*pixelFrom)(int x, int y);
        QPoint (*cellFrom)(int c, int r);
    };
    const auto same = [](int c, int r) { return QPoint(c, r); };
    const Case cases[] = {
        {Transform::FlipHorizontal, [](int x, int y) { return QPoint(15 - x, y); },
         [](int c, int r) { return QPoint(1 - c, r); }},
        {Transform::FlipVertical, [](int x, int y) { return QPoint(x, 15 - y); },
         [](int c, int r) { return QPoint(c, 1 - r); }},
        {Transform::Rotate90, [](int x, int y) { return QPoint(y, 15 - x); },
         [](int c, int r) { return QPoint(r, 1 - c); }},
        {Transform::RollLeft, [](int x, int y) { return QPoint((x + 1) % 16, y); }, same},
        {Transform::RollRight, [](int x, int y) { return QPoint((x + 15) % 16, y); }, same},
        {Transform::RollUp, [](int x, int y) { return QPoint(x, (y + 1) % 16); }, same},
        {Transform::RollDown, [](int x, int y) { return QPoint(x, (y + 15) % 16); }, same},
    };
    const MgsImage before = CellPicture(8, 6);
    for (const Case& test : cases) {
        MgsImage expected = before;
        for (int s = 0; s < 2; ++s) {
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < 16; ++x) {
                    const QPoint from = test.pixelFrom(x, y);
                    uint8_t& byte = expected.PixelPlane[s][PlaneIndex(3 + x / 8, 32 + y)];
                    byte = static_cast<uint8_t>(byte & ~PixelMask(x));
                    if (Pixel(before, s, 24 + from.x(), 32 + from.y()))
                        byte |= PixelMask(x);
                    const QPoint cell = test.cellFrom(x / 8, y / 8);
                    expected.AttrPlane[s][PlaneIndex(3 + x / 8, 32 + y)] =
                        before.AttrPlane[s][PlaneIndex(3 + cell.x(), 32 + 8 * cell.y())];
                }
        }
        MgsImage picture = before;
        EXPECT_EQ(ApplyTransform(picture, Rect(3, 4, 2, 2), test.transform), ViewUpdate::Rerender);
        EXPECT_EQ(picture, expected) << static_cast<int>(test.transform);
    }
}

TEST(Rotate, ATurnedBlockPastTheEdgeWritesOnlyTheInsidePart) {
    // Eight columns wide and two cell rows high at the bottom: the turned block is 16 pixels
    // wide and 64 high from row 176, so only its top 16 rows fit.
    MgsImage picture = RandomPicture(8, 7);
    const MgsImage before = picture;
    ApplyTransform(picture, Rect(0, 22, 8, 2), Transform::Rotate90);
    for (int s = 0; s < 2; ++s)
        for (int y = 176; y < 192; ++y)
            for (int x = 0; x < 64; ++x) {
                const bool turned = x < 16;
                // Pixel (15 - r, i) of the turned block came from (i, r).
                EXPECT_EQ(Pixel(picture, s, x, y), turned ? Pixel(before, s, y - 176, 176 + 15 - x)
                                                          : Pixel(before, s, x, y));
            }
    ExpectOutsideUnchanged(picture, before, 0, 176, 16, 16, "rotate at the bottom");

    // A tall one at the right edge: 24 rows high turn into 24 columns, of which 8 fit.
    picture = before;
    ApplyTransform(picture, Rect(31, 0, 1, 3), Transform::Rotate90);
    ExpectOutsideUnchanged(picture, before, 248, 0, 8, 8, "rotate at the right");
    EXPECT_EQ(picture.AttrPlane[0][PlaneIndex(31, 0)], before.AttrPlane[0][PlaneIndex(31, 16)]);
}

TEST(Transforms, AnyRectangleValuesStayInsideThePicture) {
    // Values a pasted record or a CharHeight change can leave behind: each command works on
    // the part inside the picture, exactly as on that part alone.
    const MgsImage before = RandomPicture(8, 8);
    const SelectionRecord wild[] = {Rect(-3, -2, 6, 5), Rect(29, 20, 100, 100),
                                    Rect(INT_MIN, INT_MIN, INT_MAX, INT_MAX),
                                    Rect(0, 0, INT_MAX, INT_MAX), Rect(0, 100, 32, 92)};
    const SelectionRecord tame[] = {Rect(0, 0, 3, 3), Rect(29, 20, 3, 4), Rect(0, 0, 0, 0),
                                    Rect(0, 0, 32, 24), Rect(0, 0, 0, 0)};
    for (std::size_t n = 0; n < std::size(wild); ++n)
        for (Transform t : kAll) {
            MgsImage a = before, b = before;
            ApplyTransform(a, wild[n], t);
            ApplyTransform(b, tame[n], t);
            EXPECT_EQ(a, b) << n << " " << static_cast<int>(t);
        }
}

} // namespace
