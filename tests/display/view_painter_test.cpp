// SPDX-License-Identifier: GPL-3.0-or-later
#include "display/renderer.h"
#include "display/view_painter.h"
#include "picture/colour.h"
#include "support/test_pictures.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <random>

namespace {

constexpr Rgb kWhite = MakeRgb(255, 255, 255);
constexpr Rgb kGrey = MakeRgb(128, 128, 128);
constexpr Rgb kBlack = MakeRgb(0, 0, 0);

class ViewPainting : public ::testing::Test {
protected:
    MgsImage picture;
    RenderImages images = RenderImages::Create();
    LinePatterns patterns = LinePatterns::Create();
};

// The view as the rule reads: the picture scaled by nearest neighbour (`scaled`), then each grid
// line drawn pixel by pixel in order (pixel grid across, pixel grid down, char grid down, char grid
// across). Only `area` is returned.
QImage ReferenceView(const QImage& scaled, int z, int charHeight, ViewGrids grids, QRect area) {
    QImage view = scaled.copy(area);
    auto light = [](int i) { return i % 2 == 0 ? kGrey : kWhite; };
    auto dark = [](int i) { return i % 2 == 0 ? kGrey : kBlack; };
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            Rgb colour = view.pixel(x - area.left(), y - area.top());
            if (grids.pixel && y % z == 0)
                colour = dark(x + 1);
            if (grids.pixel && x % z == 0)
                colour = dark(y + 1);
            if (grids.chr && x % (8 * z) == 0)
                colour = light(y + 1);
            const int column = x / (8 * z);
            const bool side = column < 8 || column >= 24;
            const int cellRows = charHeight == 1 && side ? 8 : charHeight;
            if (grids.chr && y % (z * cellRows) == 0)
                colour = light(x + 1);
            view.setPixel(x - area.left(), y - area.top(), colour);
        }
    }
    return view;
}

TEST_F(ViewPainting, EqualsTheScaledPictureWithGridsDrawnPixelByPixel) {
    std::mt19937 random(5);
    for (int charHeight : {8, 4, 2, 1}) {
        picture = RandomPicture(charHeight, charHeight);
        RenderPicture(picture, images);
        for (int zoom : {4, 8, 12, 16}) {
            const QImage scaled =
                images.MixedImage.copy(0, 0, 256, 192)
                    .scaled(256 * zoom, 192 * zoom, Qt::IgnoreAspectRatio, Qt::FastTransformation);
            for (ViewGrids grids : {ViewGrids{}, ViewGrids{true, false}, ViewGrids{false, true},
                                    ViewGrids{true, true}}) {
                // The whole view at the smallest zoom, a random part of it otherwise, painted
                // through a shifted painter as a widget's paint is, straight into the image
                // or through a buffer.
                const QRect view(0, 0, 256 * zoom, 192 * zoom);
                QRect area = view;
                if (zoom > 4) {
                    std::uniform_int_distribution<int> x(0, view.width() - 1),
                        y(0, view.height() - 1), size(1, 700);
                    area = QRect(x(random), y(random), size(random), size(random)) & view;
                }
                QImage target(area.size(), QImage::Format_RGB32);
                QPainter painter(&target);
                painter.translate(-area.topLeft());
                // A painter with a clip of its own goes through the buffered path.
                if (grids.pixel != grids.chr)
                    painter.setClipRect(area);
                PaintPictureView(painter, area, images.MixedImage, zoom, charHeight, grids,
                                 patterns);
                painter.end();
                ASSERT_EQ(target, ReferenceView(scaled, zoom, charHeight, grids, area))
                    << "height " << charHeight << " zoom " << zoom << " grids " << grids.pixel
                    << grids.chr << " area " << area.x() << "," << area.y() << " " << area.width()
                    << "x" << area.height();
            }
        }
    }
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
