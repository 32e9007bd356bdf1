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
