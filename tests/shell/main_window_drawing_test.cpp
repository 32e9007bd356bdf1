// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing through the real widgets: mouse events on the picture view joined into one stroke.
// The algorithms themselves are covered by the core tests.
#include "display/preview_views.h"
#include "support/main_window_fixture.h"
#include "support/widgets.h"

#include <QLabel>

namespace {

class Drawing : public ShownMainWindow {
protected:
    // View coordinates of the middle of picture pixel (x, y) at zoom factor 4.
    static QPoint At(int x, int y) { return QPoint(4 * x + 2, 4 * y + 2); }
    bool Bit(int screen, int x, int y) {
        return (window.State().Picture.PixelPlane[screen][PlaneIndex(x / 8, y)] & PixelMask(x)) !=
               0;
    }
};

TEST_F(Drawing, StrokeOfMouseEventsPaintsThePlanesTheViewAndThePreview) {
    DrawingState& drawing = window.State().Drawing;
    drawing.CurrentAttr = {1, 4, 0, 6};
    drawing.CurrentCharColor = 3;      // I0+I1
    QCoreApplication::processEvents(); // the first paint of the window is done
    QTest::mousePress(view, Qt::LeftButton, {}, At(10, 10));
    QTest::mouseMove(view, At(12, 10));
    QTest::mouseMove(view, At(14, 11));
    QTest::mouseRelease(view, Qt::LeftButton, {}, At(14, 11));

    // The moves are joined into one stroke without gaps, as Shift+click lines are.
    for (auto [x, y] : {std::pair{10, 10}, {11, 10}, {12, 10}, {13, 11}, {14, 11}})
        EXPECT_TRUE(Bit(0, x, y) && Bit(1, x, y)) << x << "," << y;
    EXPECT_FALSE(Bit(0, 13, 10) || Bit(0, 15, 11));
    // The cell was redrawn without a full render: the view and the Preview show it.
    EXPECT_EQ(ViewPixel(At(11, 10)), Mix(4, 6));
    EXPECT_EQ(ViewPixel(At(13, 10)), Mix(1, 0));
    auto* preview = window.findChild<PreviewView*>("Editor_IMG_Preview");
    EXPECT_EQ(preview->Shown().pixel(2 * 14, 2 * 11 + 1), Mix(4, 6));
    EXPECT_EQ(window.findChild<QLabel*>("Status_Ax")->text(), "X:14");
}

} // namespace
