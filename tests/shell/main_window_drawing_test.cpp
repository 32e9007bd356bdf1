// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing through the real widgets: mouse events on the picture view, the rubber bands, the
// colour pick and the toolbar keys. The algorithms themselves are covered by the core tests.
#include "colour/palette_window.h"
#include "display/preview_views.h"
#include "shell/tool_key.h"
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
    void PressKey(const char* name) {
        QTest::mouseClick(Child<ToolKey>(window, name), Qt::LeftButton);
    }
    bool KeyPressed(const char* name) { return Child<ToolKey>(window, name)->IsPressed(); }
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

TEST_F(Drawing, ShiftMoveShowsABandUntilShiftIsReleased) {
    DrawingState& drawing = window.State().Drawing;
    drawing.CurrentAttr = {0, 2, 0, 0};
    drawing.CurrentCharColor = 2; // I0+P1: Mix(2, 0)
    // The band runs from the view origin, where the pencil starts, in the swatch colour.
    QTest::mouseMove(view, QPoint(400, 200), 0);
    QMouseEvent move(QEvent::MouseMove, QPointF(400, 201), view->mapToGlobal(QPointF(400, 201)),
                     Qt::NoButton, Qt::NoButton, Qt::ShiftModifier);
    QApplication::sendEvent(view, &move);
    ASSERT_TRUE(view->ShownRubberBand().has_value());
    EXPECT_EQ(ViewPixel(QPoint(200, 100)), Mix(2, 0));
    QTest::keyRelease(&window, Qt::Key_Shift, Qt::ShiftModifier);
    EXPECT_FALSE(view->ShownRubberBand().has_value());
    EXPECT_EQ(ViewPixel(QPoint(200, 100)), MakeRgb(0, 0, 0));
}

TEST_F(Drawing, RightClickPicksTheCellsColoursIntoThePalettes) {
    MgsImage& picture = window.State().Picture;
    picture.AttrPlane[0][PlaneIndex(5, 40)] = {3, 5};
    picture.AttrPlane[1][PlaneIndex(5, 40)] = {9, 12};
    window.RefreshView(true);
    window.State().Drawing.CurrentCharColor = 2;
    PressKey("Key_Instrument_Select"); // picking works with every instrument
    QTest::mouseClick(view, Qt::RightButton, {}, At(43, 44));
    EXPECT_EQ(window.State().Drawing.CurrentAttr, (AttrSet{3, 5, 9, 12}));
    EXPECT_EQ(window.State().Drawing.CurrentCharColor, 2);
    // The swatches and the markers are redrawn: the full palette marks (ink0, paper1).
    ColourPalettes* palettes = window.Palettes();
    EXPECT_EQ(palettes->ToolbarSwatch(1)->Colour(), Mix(3, 12));
    EXPECT_EQ(palettes->WindowSwatch(2)->grab().toImage().pixel(20, 12), Mix(5, 9));
    EXPECT_EQ(palettes->FullPalette()->Image().pixel(16 * 5 + 6, 16 * 9 + 6),
              MakeRgb(255, 255, 255));
}

TEST_F(Drawing, ToolbarKeysShowTheInstrumentPaintSizeAndModes) {
    const DrawingState& drawing = window.State().Drawing;
    PressKey("Key_Instrument_FillChar");
    EXPECT_TRUE(drawing.Instrument == InstrumentKind::FillChar &&
                KeyPressed("Key_Instrument_FillChar"));
    window.SetInstrument(InstrumentKind::Paint);
    EXPECT_TRUE(KeyPressed("Key_Instrument_Paint") && !KeyPressed("Key_Instrument_FillChar"));
    PressKey("Key_PaintSize4");
    EXPECT_TRUE(drawing.PaintSize == 4 && KeyPressed("Key_PaintSize4"));
    EXPECT_FALSE(KeyPressed("Key_PaintSize1") || KeyPressed("Key_PaintSize2"));
    // PIX off leaves RGB on; RGB off and PIX on again.
    PressKey("KEY_EditMode_PIX");
    EXPECT_FALSE(drawing.PixMode || KeyPressed("KEY_EditMode_PIX"));
    EXPECT_TRUE(KeyPressed("KEY_EditMode_RGB"));
    PressKey("KEY_EditMode_RGB");
    PressKey("KEY_EditMode_PIX");
    EXPECT_TRUE(drawing.PixMode && KeyPressed("KEY_EditMode_PIX"));
    EXPECT_FALSE(drawing.RgbMode || KeyPressed("KEY_EditMode_RGB"));
}

} // namespace
