// SPDX-License-Identifier: GPL-3.0-or-later
#include "display/frames.h"
#include "display/view_painter.h"
#include "picture/colour.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace {

constexpr Rgb kBlack = MakeRgb(0, 0, 0);
constexpr Rgb kWhite = MakeRgb(255, 255, 255);
constexpr Rgb kBackground = MakeRgb(10, 20, 30);

bool DashAt(int offset) {
    return offset % 16 >= 8 && offset % 16 <= 14;
}

QImage Frame(const QRect& rect, int phase) {
    static const LinePatterns patterns = LinePatterns::Create();
    QImage image(80, 80, QImage::Format_RGB32);
    image.fill(kBackground);
    QPainter painter(&image);
    DrawDashFrame(painter, rect, phase, patterns);
    return image;
}

TEST(DashFrame, EdgesStartAtThePhaseOffsetsAndFourTicksMakeACycle) {
    // A one-cell selection at zoom factor 4 in 8x8: a 32 x 32 square.
    const QRect cell = SelectionFrameRect(0, 0, 1, 1, 4, 8);
    ASSERT_EQ(cell, QRect(0, 0, 32, 32));
    int phase = 0;
    for (int tick = 1; tick <= 2; ++tick) {
        phase = NextFramePhase(phase);
        const QImage image = Frame(cell.translated(8, 8), phase);
        const int top = 15 - phase; // 11 on the first tick, 7 on the second
        for (int i = 1; i < 31; ++i) {
            EXPECT_EQ(image.pixel(8 + i, 8), DashAt(top + i) ? kBlack : kWhite) << tick << " " << i;
            EXPECT_EQ(image.pixel(8 + i, 39), DashAt(phase + i) ? kBlack : kWhite);
            EXPECT_EQ(image.pixel(8, 8 + i), DashAt(phase + i) ? kBlack : kWhite);
            EXPECT_EQ(image.pixel(39, 8 + i), DashAt(top + i) ? kBlack : kWhite);
        }
        EXPECT_EQ(image.pixel(20, 20), kBackground); // only the outermost pixels
        EXPECT_EQ(image.pixel(40, 20), kBackground);
    }
    // Four ticks make a full cycle.
    const QImage before = Frame({3, 5, 50, 21}, phase);
    for (int i = 0; i < 4; ++i)
        phase = NextFramePhase(phase);
    EXPECT_EQ(Frame({3, 5, 50, 21}, phase), before);
    EXPECT_NE(Frame({3, 5, 50, 21}, NextFramePhase(phase)), before);
}

TEST(DashFrame, CorrectorRangeIsInclusiveAtTwiceThePictureSize) {
    EXPECT_EQ(CorrectorFrameRect(6, 3, 6, 3, 8), QRect(96, 48, 16, 16));
    EXPECT_EQ(CorrectorFrameRect(6, 3, 31, 23, 8), QRect(96, 48, 416, 336));
    EXPECT_EQ(CorrectorFrameRect(0, 95, 0, 95, 2), QRect(0, 380, 16, 4));
}

} // namespace
