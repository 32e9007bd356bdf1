// SPDX-License-Identifier: GPL-3.0-or-later
// The colour corrector's core: the range dragged and clamped, each button's rewrite, and
// the screen views at twice the size.
#include "colour/corrector.h"

#include "display/renderer.h"
#include "display/view_painter.h"
#include "picture/colour.h"
#include "support/test_pictures.h"

#include <gtest/gtest.h>

namespace {

CorrectorRangeRecord Range(int c0, int r0, int c1, int r1) {
    CorrectorRangeRecord range;
    range.c0 = c0, range.r0 = r0, range.c1 = c1, range.r1 = r1;
    return range;
}

RenderImages Rendered(const MgsImage& picture) {
    RenderImages images = RenderImages::Create();
    RenderPicture(picture, images);
    return images;
}

TEST(CorrectorRange, GrowsOnlyRightAndDownAndStopsAtThePictureEdge) {
    CorrectorRangeRecord range;
    CorrectorPress(range, {100, 50}, 8);
    EXPECT_EQ(QPoint(range.c0, range.r0), QPoint(6, 3));
    EXPECT_EQ(QPoint(range.c1, range.r1), QPoint(6, 3));
    EXPECT_TRUE(range.dragging);

    CorrectorMove(range, {40, 10}, 8);
    EXPECT_EQ(QPoint(range.c1, range.r1), QPoint(6, 3));
    CorrectorMove(range, {600, 500}, 8);
    EXPECT_EQ(QPoint(range.c1, range.r1), QPoint(31, 23));
    CorrectorRelease(range, {-30, -30}, 8);
    EXPECT_EQ(QPoint(range.c1, range.r1), QPoint(6, 3));
    CorrectorRelease(range, {0, 700}, 2); // cell rows of the CharHeight, inside the picture
    EXPECT_EQ(range.r1, 95);
    EXPECT_EQ(CorrectorCellAt({-1, -1}, 8), QPoint(-1, -1));
}

TEST(CorrectorRange, ClampedToTheCellRowsOfANewCharHeight) {
    CorrectorRangeRecord range = Range(3, 100, 40, 150);
    ClampCorrectorRange(range, 1);
    EXPECT_EQ(range.c1, 31);
    ClampCorrectorRange(range, 8);
    EXPECT_EQ(QRect(QPoint(range.c0, range.r0), QPoint(range.c1, range.r1)),
              QRect(QPoint(3, 23), QPoint(31, 23)));

    // Unclamped, as a load could leave it, it still never reaches outside the planes.
    MgsImage picture = RandomPicture(8);
    const MgsImage before = picture;
    range = Range(30, 150, 60, 190);
    ApplyCorrectorOperation(picture, range, CorrectorOperation::Exchange);
    EXPECT_EQ(picture, before);
    EXPECT_EQ(CorrectorStripIndices(picture, range)[0],
              picture.AttrPlane[0][PlaneIndex(30, 191)].paper);
    QImage view = CorrectorScreenView(Rendered(picture).ScreenImage[0]);
    DrawCorrectorFrame(view, range, 8, 4, LinePatterns::Create()); // stays inside the image
}

// What each operation leaves in a byte or entry of screen s: kept, inverted/swapped, or
// taken from the other screen as it was before.
enum class Becomes { Same, Inverted, Other };

struct OperationCase {
    CorrectorOperation op;
    Becomes pix0, attr0, pix1, attr1;
};

TEST(CorrectorOperations, EachButtonRewritesExactlyItsPartOfTheRange) {
    using B = Becomes;
    using Op = CorrectorOperation;
    const OperationCase cases[] = {
        {Op::InvertAll0, B::Inverted, B::Inverted, B::Same, B::Same},
        {Op::InvertRgb0, B::Same, B::Inverted, B::Same, B::Same},
        {Op::InvertPix0, B::Inverted, B::Same, B::Same, B::Same},
        {Op::InvertAll1, B::Same, B::Same, B::Inverted, B::Inverted},
        {Op::InvertRgb1, B::Same, B::Same, B::Same, B::Inverted},
        {Op::InvertPix1, B::Same, B::Same, B::Inverted, B::Same},
        {Op::InvertAllBoth, B::Inverted, B::Inverted, B::Inverted, B::Inverted},
        {Op::InvertRgbBoth, B::Same, B::Inverted, B::Same, B::Inverted},
        {Op::InvertPixBoth, B::Inverted, B::Same, B::Inverted, B::Same},
        {Op::CopyRAll, B::Same, B::Same, B::Other, B::Other},
        {Op::CopyRRgb, B::Same, B::Same, B::Same, B::Other},
        {Op::CopyRPix, B::Same, B::Same, B::Other, B::Same},
        {Op::CopyLAll, B::Other, B::Other, B::Same, B::Same},
        {Op::CopyLRgb, B::Same, B::Other, B::Same, B::Same},
        {Op::CopyLPix, B::Other, B::Same, B::Same, B::Same},
        {Op::Exchange, B::Other, B::Other, B::Other, B::Other},
    };
    // Columns 5..6, cell rows 3..4 of an 8x4 picture: pixel rows 12..19 of every entry.
    const CorrectorRangeRecord range = Range(5, 3, 6, 4);
    for (const OperationCase& k : cases) {
        const MgsImage original = CellPicture(4, 5);
        MgsImage picture = original;
        ApplyCorrectorOperation(picture, range, k.op);
        for (int c = 0; c < kByteColumns; ++c) {
            for (int y = 0; y < kPixelRows; ++y) {
                const int i = PlaneIndex(c, y);
                const bool inside = c >= 5 && c <= 6 && y >= 12 && y <= 19;
                for (int s = 0; s < 2; ++s) {
                    const B pixRule = !inside ? B::Same : (s == 0 ? k.pix0 : k.pix1);
                    const B attrRule = !inside ? B::Same : (s == 0 ? k.attr0 : k.attr1);
                    const uint8_t pix = original.PixelPlane[s][i];
                    const AttrCell attr = original.AttrPlane[s][i];
                    const uint8_t wantPix = pixRule == B::Same ? pix
                                            : pixRule == B::Inverted
                                                ? uint8_t(pix ^ 0xFF)
                                                : original.PixelPlane[1 - s][i];
                    const AttrCell wantAttr = attrRule == B::Same ? attr
                                              : attrRule == B::Inverted
                                                  ? AttrCell{attr.ink, attr.paper}
                                                  : original.AttrPlane[1 - s][i];
                    ASSERT_EQ(picture.PixelPlane[s][i], wantPix)
                        << int(k.op) << " screen " << s << " c " << c << " y " << y;
                    ASSERT_EQ(picture.AttrPlane[s][i], wantAttr)
                        << int(k.op) << " screen " << s << " c " << c << " y " << y;
                }
            }
        }
    }
}

// The screen views: every pixel a 2 x 2 square.
TEST(CorrectorImages, ScreenViewIsTheScreenAtTwiceItsSize) {
    const QImage screen = Rendered(RandomPicture(8, 9)).ScreenImage[0];
    EXPECT_EQ(CorrectorScreenView(screen), screen.scaled(512, 384)); // nearest neighbour
}

} // namespace
