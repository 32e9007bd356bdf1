// SPDX-License-Identifier: GPL-3.0-or-later
#include "display/renderer.h"
#include "display/view_painter.h"
#include "picture/colour.h"
#include "support/test_pictures.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace {

constexpr Rgb kWhite = MakeRgb(255, 255, 255);
constexpr Rgb kGrey = MakeRgb(128, 128, 128);
constexpr Rgb kBlack = MakeRgb(0, 0, 0);

class ViewPainting : public ::testing::Test {
protected:
    // Paints the whole view (or `area` of it) into an image the size of the view.
    QImage Paint(int zoom, int charHeight, ViewGrids grids, QRect area = {}) {
        picture.CharHeight = static_cast<uint8_t>(charHeight);
        RenderPicture(picture, images);
        QImage view(256 * zoom, 192 * zoom, QImage::Format_RGB32);
        view.fill(MakeRgb(1, 2, 3));
        QPainter painter(&view);
        PaintPictureView(painter, area.isNull() ? view.rect() : area, images.MixedImage, zoom,
                         charHeight, grids, patterns);
        return view;
    }

    MgsImage picture;
    RenderImages images = RenderImages::Create();
    LinePatterns patterns = LinePatterns::Create();
};

TEST_F(ViewPainting, EveryPicturePixelBecomesAZoomBlock) {
    picture = RandomPicture(8, 3);
    for (int zoom : {4, 8, 12, 16}) {
        const QImage view = Paint(zoom, 8, {});
        for (int y : {0, 1, 95, 191})
            for (int x : {0, 7, 8, 130, 255})
                for (int d : {0, zoom - 1})
                    ASSERT_EQ(view.pixel(x * zoom + d, y * zoom + d), images.MixedImage.pixel(x, y))
                        << zoom << " " << x << "," << y;
    }
}

TEST_F(ViewPainting, GridsAtTheCornersOfTheView) {
    const QImage view = Paint(4, 8, {true, true});
    EXPECT_EQ(view.pixel(0, 0), kWhite); // both grids: the char grid lies on top
    EXPECT_EQ(view.pixel(4, 1), kGrey);  // pixel grid's vertical line only
    EXPECT_EQ(view.pixel(4, 2), kBlack);
    EXPECT_EQ(view.pixel(1, 4), kGrey); // pixel grid's horizontal line
    EXPECT_EQ(view.pixel(2, 4), kBlack);
    EXPECT_EQ(view.pixel(2, 32), kWhite); // char grid's horizontal line
    EXPECT_EQ(view.pixel(3, 32), kGrey);
    EXPECT_EQ(view.pixel(1, 1), kBlack); // the picture between the lines
    // No closing line at the right or bottom edge.
    EXPECT_EQ(view.pixel(1023, 767), kBlack);
    EXPECT_EQ(view.pixel(1023, 766), kBlack);
    EXPECT_EQ(view.pixel(1022, 767), kBlack);
    EXPECT_EQ(view.pixel(1021, 765), kBlack);
    EXPECT_EQ(view.pixel(1021, 764), kGrey);
    EXPECT_EQ(view.pixel(1020, 765), kGrey);
}

TEST_F(ViewPainting, CharGridOf8x1KeepsBlocksOfEightInTheSideColumns) {
    const int z = 8;
    const QImage view = Paint(z, 1, {false, true});
    const int row1 = z, row8 = 8 * z;
    EXPECT_EQ(view.pixel(2, row1), kBlack);              // column 0: no line at row 1
    EXPECT_EQ(view.pixel(2, row8), kWhite);              // but at row 8
    EXPECT_EQ(view.pixel(8 * 8 * z + 2, row1), kWhite);  // column 8: a line at every row
    EXPECT_EQ(view.pixel(24 * 8 * z + 2, row1), kBlack); // column 24 is a side column
    EXPECT_EQ(view.pixel(23 * 8 * z + 8 * z - 1, row1), kGrey);
}

TEST_F(ViewPainting, PaintingAPartEqualsTheSamePartOfAWholePaint) {
    picture = RandomPicture(2, 9);
    const ViewGrids both{true, true};
    const QImage whole = Paint(12, 2, both);
    const QRect area(37, 101, 413, 259);
    const QImage part = Paint(12, 2, both, area);
    EXPECT_EQ(part.copy(area), whole.copy(area));
    EXPECT_EQ(part.pixel(area.left() - 1, area.top()), MakeRgb(1, 2, 3)); // nothing outside
}

} // namespace

namespace {

constexpr Rgb kBand = MakeRgb(10, 200, 30);

// The view painted with a band over it, inside `region` only.
QImage PaintWithBand(const RubberBand& band, const QRegion& region) {
    const MgsImage picture;
    RenderImages images = RenderImages::Create();
    RenderPicture(picture, images);
    ViewScene scene;
    scene.mixed = &images.MixedImage;
    scene.zoomFactor = band.penWidth;
    scene.rubberBand = band;
    QImage view(256 * band.penWidth, 192 * band.penWidth, QImage::Format_RGB32);
    view.fill(MakeRgb(1, 2, 3));
    QPainter painter(&view);
    PaintView(painter, region, scene, LinePatterns::Create());
    return view;
}

TEST(RubberBands, AreDrawnInTheirColourAndPenWidthOverThePicture) {
    const RubberBand rect{RubberBandShape::Rect, {300, 200}, {100, 100}, kBand, 16};
    const QImage view = PaintWithBand(rect, QRect(0, 0, 4096, 3072));
    EXPECT_EQ(view.pixel(200, 100), kBand);
    EXPECT_EQ(view.pixel(200, 107), kBand); // half the pen on each side of the edge
    EXPECT_EQ(view.pixel(200, 109), kBlack);
    EXPECT_EQ(view.pixel(300, 150), kBand);
    EXPECT_EQ(view.pixel(200, 150), kBlack); // unfilled
    // Outside the region nothing is drawn, the band included.
    const QImage clipped = PaintWithBand(rect, QRect(0, 0, 250, 4000));
    EXPECT_EQ(clipped.pixel(200, 100), kBand);
    EXPECT_EQ(clipped.pixel(260, 100), MakeRgb(1, 2, 3));
}

TEST(RubberBands, RegionCoversEveryPixelOfTheBandAndLittleElse) {
    const RubberBand bands[] = {
        {RubberBandShape::Line, {10, 20}, {3000, 1500}, kBand, 16},
        {RubberBandShape::Line, {800, 50}, {790, 2000}, kBand, 12},
        {RubberBandShape::Line, {400, 400}, {403, 401}, kBand, 4},
        {RubberBandShape::Rect, {2000, 1800}, {1000, 300}, kBand, 16},
        {RubberBandShape::Rect, {5, 5}, {5, 900}, kBand, 8},
    };
    for (const RubberBand& band : bands) {
        const QImage view = PaintWithBand(band, QRect(0, 0, 4096, 3072));
        const QRegion region = RubberBandRegion(band);
        int drawn = 0;
        for (int y = 0; y < view.height(); ++y)
            for (int x = 0; x < view.width(); ++x)
                if (view.pixel(x, y) == kBand) {
                    ++drawn;
                    ASSERT_TRUE(region.contains(QPoint(x, y))) << x << "," << y;
                }
        EXPECT_GT(drawn, 0);
        // A thin strip round the band, not its bounding box.
        int area = 0;
        for (const QRect& r : region)
            area += r.width() * r.height();
        EXPECT_LT(area, 4 * drawn + 4000) << band.from.x() << "," << band.from.y();
    }
}

} // namespace
