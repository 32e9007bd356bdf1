// SPDX-License-Identifier: GPL-3.0-or-later
// The Edit menu and its keys through the real widgets: selecting with the mouse, the
// clipboard, Delete, the transforms, the key table's combinations and the keyboard
// joystick. The operations themselves are covered by the core tests.
#include "display/renderer.h"
#include "editing/selection.h"
#include "editing/transforms.h"
#include "shell/floating_window.h"
#include "shell/tool_key.h"
#include "support/main_window_fixture.h"
#include "support/test_pictures.h"
#include "support/widgets.h"

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>

namespace {

constexpr auto kCtrl = Qt::ControlModifier;
constexpr auto kAlt = Qt::AltModifier;
constexpr auto kShift = Qt::ShiftModifier;
const QString kFormat = QString::fromLatin1(kClipboardFormatName);

QByteArray Bytes(const std::vector<uint8_t>& bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())};
}

// The offscreen platform's screen is 800 x 600: the window system finds widgets under the
// pointer only there, so the tests keep the pointer inside it.
class Edit : public ShownMainWindow {
protected:
    void SetUp() override {
        ShownMainWindow::SetUp();
        QGuiApplication::clipboard()->clear();
    }

    // The middle of cell (column, row) at zoom factor 4 and CharHeight 8.
    static QPoint Cell(int column, int row) { return {32 * column + 16, 32 * row + 16}; }
    // The pointer over a point of the view, as a real move puts it there.
    void PointTo(QPoint viewPoint) { QTest::mouseMove(view, viewPoint); }
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(&window, static_cast<Qt::Key>(key), modifiers);
    }
    // The cell's planes: every row's attributes and pixel bytes on both screens.
    static std::vector<uint8_t> CellBytes(const PicturePlanes& planes, int column, int row) {
        std::vector<uint8_t> bytes;
        for (int y = 8 * row; y < 8 * row + 8; ++y)
            for (int s = 0; s < 2; ++s) {
                const int i = PlaneIndex(column, y);
                bytes.insert(bytes.end(), {planes.PixelPlane[s][i], planes.AttrPlane[s][i].paper,
                                           planes.AttrPlane[s][i].ink});
            }
        return bytes;
    }
    MgsImage& Picture() { return window.State().Picture; }
    SelectionRecord& Selection() { return window.State().Selection; }
    void Select(int x, int y, int w, int h) {
        SelectionRecord& s = Selection();
        s.exists = true, s.x = x, s.y = y, s.w = w, s.h = h;
    }
    // The view shows the picture as it now is (re-rendered) inside `cells`, a rectangle of
    // 8x8 cells, apart from its outermost pixels where a selection frame may run.
    bool ViewShowsCells(QRect cells) {
        RenderImages images = RenderImages::Create();
        RenderPicture(Picture(), images);
        const QRect pixels(cells.topLeft() * 8, cells.size() * 8);
        const QImage expected = images.MixedImage.copy(pixels).scaled(pixels.size() * 4);
        const QImage shown = view->grab(QRect(pixels.topLeft() * 4, pixels.size() * 4))
                                 .toImage()
                                 .convertToFormat(QImage::Format_RGB32);
        const QRect inside = shown.rect().adjusted(1, 1, -1, -1);
        return shown.copy(inside) == expected.copy(inside);
    }
    void SetPicture(const MgsImage& picture) {
        Picture() = picture;
        window.RefreshView(true);
    }
};

TEST_F(Edit, TheSelectToolFramesTheDraggedCellsAndKeysSelectAllOrNothing) {
    Key(Qt::Key_S);
    QTest::mousePress(view, Qt::LeftButton, {}, Cell(5, 3));
    QTest::mouseMove(view, Cell(2, 7));
    const SelectionRecord& s = Selection();
    EXPECT_EQ((std::array{s.x, s.y, s.w, s.h}), (std::array{2, 3, 4, 5}));
    // The frame runs along the left edge over the picture; inside is the picture.
    EXPECT_NE(view->grab(QRect(64, 96, 1, 160)).toImage(),
              view->grab(QRect(69, 96, 1, 160)).toImage());
    QTest::mouseRelease(view, Qt::LeftButton, {}, Cell(2, 7));
    EXPECT_FALSE(s.dragging);

    window.NewPicture(4);
    Key(Qt::Key_A, kCtrl);
    EXPECT_EQ((std::array{s.x, s.y, s.w, s.h}), (std::array{0, 0, 32, 48})); // at 8x4
    Key(Qt::Key_D, kCtrl);
    EXPECT_FALSE(s.exists);
    EXPECT_EQ(view->grab(QRect(0, 0, 1, 768)).toImage(), view->grab(QRect(5, 0, 1, 768)).toImage());
    Key(Qt::Key_A, kCtrl);
    Key(Qt::Key_Escape);
    EXPECT_FALSE(s.exists);
}

TEST_F(Edit, CopyAndPasteThroughTheClipboardMoveABlockAndPasteCanBeUndone) {
    SetPicture(RandomPicture(8, 7));
    const MgsImage before = Picture();
    Select(1, 1, 2, 2);
    Key(Qt::Key_C, kCtrl);
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_TRUE(data && data->hasFormat(kFormat));
    EXPECT_EQ(data->data(kFormat).size(), static_cast<qsizetype>(kClipboardBlockSize));
    // This copy's own record is forgotten: only the clipboard can bring the block back.
    Selection() = SelectionRecord{};

    PointTo(Cell(10, 5));
    Key(Qt::Key_V, kCtrl);
    for (int c = 0; c < 2; ++c)
        for (int r = 0; r < 2; ++r)
            EXPECT_EQ(CellBytes(Picture(), 10 + c, 5 + r), CellBytes(before, 1 + c, 1 + r));
    EXPECT_EQ(CellBytes(Picture(), 12, 5), CellBytes(before, 12, 5));
    // The pasted record is the one of the Copy: its selection at its old place.
    EXPECT_TRUE(Selection().exists);
    EXPECT_EQ(Selection().x, 1);
    EXPECT_TRUE(ViewShowsCells({10, 5, 2, 2}));
    // Ctrl+Z takes the block away again, also from the view; Z alone is no undo.
    Key(Qt::Key_Z, kCtrl);
    EXPECT_EQ(Planes(Picture()), Planes(before));
    EXPECT_TRUE(ViewShowsCells({10, 5, 2, 2}));
    Key(Qt::Key_Z);
    EXPECT_EQ(Planes(Picture()), Planes(before));
}

// Copy without a selection takes the cell under the pointer, and Paste puts the block under
// it, from the keys and the menu alike; away from the picture neither touches the picture.
TEST_F(Edit, CopyAndPasteWithoutASelectionFollowThePointer) {
    SetPicture(RandomPicture(8, 3));
    const MgsImage before = Picture();
    auto* palette = window.findChild<ToolKey*>("KEY_Palette");
    QTest::mouseMove(palette, QPoint(5, 5));
    EXPECT_FALSE(window.PointerOverPicture());
    Key(Qt::Key_C, kCtrl);
    EXPECT_FALSE(Selection().exists);
    EXPECT_EQ(Selection().copyW, 0);
    PointTo(Cell(0, 0));
    Key(Qt::Key_C, kCtrl);
    EXPECT_TRUE(Selection().exists);
    EXPECT_EQ((std::array{Selection().copyX, Selection().copyW}), (std::array{0, 1}));
    QTest::mouseMove(palette, QPoint(5, 5));
    Picture().PixelPlane[0][0] ^= 0xFF; // what the snapshot must hold
    Trigger(window, "PasteCTRLV1");
    EXPECT_EQ(window.State().Undo.PixelPlane[0][0], before.PixelPlane[0][0] ^ 0xFF);
    EXPECT_EQ(Picture().PixelPlane[0][PlaneIndex(20, 80)],
              before.PixelPlane[0][PlaneIndex(20, 80)]);
    PointTo(Cell(15, 10));
    Trigger(window, "PasteCTRLV1");
    EXPECT_EQ(CellBytes(Picture(), 15, 10), CellBytes(before, 0, 0));
}

// A block of the wrong size from another program is not used: this copy's own record is
// pasted, and the status bar says why. (Cutting a foreign block's rectangles to the picture
// is the core's, tested there.)
TEST_F(Edit, AWrongSizedBlockFromAnotherProgramFallsBackToTheOwnRecord) {
    SetPicture(RandomPicture(8, 11));
    Select(3, 3, 1, 1);
    window.CopySelection();
    const MgsImage before = Picture();
    SelectionRecord foreign;
    foreign.copy = Planes(RandomPicture(8, 99));
    std::vector<uint8_t> block = ClipboardBlock(foreign);
    block.pop_back();
    auto* data = new QMimeData;
    data->setData(kFormat, Bytes(block));
    QGuiApplication::clipboard()->setMimeData(data);
    PointTo(Cell(8, 8));
    Key(Qt::Key_V, kCtrl);
    EXPECT_EQ(CellBytes(Picture(), 8, 8), CellBytes(before, 3, 3));
    EXPECT_TRUE(window.findChild<QLabel*>("Status_Note")->text().contains("36913"));
}

TEST_F(Edit, DeleteFillsTheSelectionWithTheCurrentColoursAndOnlyThenTakesASnapshot) {
    SetPicture(RandomPicture(8, 5));
    DrawingState& drawing = window.State().Drawing;
    drawing.CurrentAttr = {1, 3, 5, 7};
    drawing.CurrentCharColor = 2;
    window.State().Undo.PixelPlane[0][0] = 0x5A; // a marker in the snapshot
    Key(Qt::Key_Delete);
    EXPECT_EQ(window.State().Undo.PixelPlane[0][0], 0x5A); // no selection: nothing at all

    const MgsImage before = Picture();
    Select(2, 1, 1, 1);
    Key(Qt::Key_Delete);
    EXPECT_EQ(Planes(window.State().Undo), Planes(before));
    EXPECT_EQ(ViewPixel(Cell(2, 1)), Mix(3, 5)); // the fill itself is the core's
    Trigger(window, "RemoveselectionCTRLDorESC1");
    EXPECT_FALSE(Selection().exists);
    Key(Qt::Key_Z, kCtrl);
    EXPECT_EQ(Planes(Picture()), Planes(before));
}

TEST_F(Edit, EveryTransformFromItsMenuEntryAndItsKeys) {
    struct Case {
        const char* menu;
        Transform transform;
        std::vector<std::pair<int, Qt::KeyboardModifiers>> keys;
    };
    const Case cases[] = {
        {"FlipHorizontal1",
         Transform::FlipHorizontal,
         {{Qt::Key_Left, kShift}, {Qt::Key_Right, kShift}}},
        {"FlipVertical1", Transform::FlipVertical, {{Qt::Key_Up, kShift}, {Qt::Key_Down, kShift}}},
        {"Rotate90cw1", Transform::Rotate90, {}},
        {"RotatepixelsRightCTRLCursorRight1", Transform::RollRight, {{Qt::Key_Right, kCtrl}}},
        {"RotatepixelsLeftCTRLCursorLeft1", Transform::RollLeft, {{Qt::Key_Left, kCtrl}}},
        {"RotatepixelsUpCTRLCursorUp1", Transform::RollUp, {{Qt::Key_Up, kCtrl}}},
        {"RotatepixelsDownCTRLCursorDown1", Transform::RollDown, {{Qt::Key_Down, kCtrl}}},
    };
    const MgsImage start = RandomPicture(8, 21);
    for (const Case& c : cases) {
        SetPicture(start);
        Select(3, 2, 3, 2);
        MgsImage expected = start;
        ApplyTransform(expected, Selection(), c.transform);
        Trigger(window, c.menu);
        EXPECT_EQ(Picture(), expected) << c.menu;
        EXPECT_EQ(Planes(window.State().Undo), Planes(start)) << c.menu;
        EXPECT_TRUE(ViewShowsCells({3, 2, 3, 2})) << c.menu;
        for (const auto& [key, modifiers] : c.keys) {
            SetPicture(start);
            Key(key, modifiers);
            EXPECT_EQ(Picture(), expected) << c.menu << " key " << key;
        }
    }
    // A turn whose block reaches past the bottom edge writes only the part inside.
    SetPicture(start);
    Select(28, 21, 4, 2);
    MgsImage turned = start;
    ApplyTransform(turned, Selection(), Transform::Rotate90);
    Trigger(window, "Rotate90cw1");
    EXPECT_EQ(Picture(), turned);
}

TEST_F(Edit, PasteFromTheMenuLandsOnTheSelectionOrWhereThePointerLastWas) {
    Trigger(window, "PasteCTRLV1"); // nothing copied yet
    EXPECT_TRUE(Child<QLabel>(window, "Status_Note")->text().startsWith("Nothing to paste"));

    const MgsImage picture = RandomPicture(8, 31);
    SetPicture(picture);
    Select(2, 3, 1, 1);
    Key(Qt::Key_C, kCtrl); // the pointer is not over the picture: the selection is copied
    Select(10, 12, 2, 2);
    QCursor::setPos(window.menuBar()->mapToGlobal(QPoint(2, 2))); // on the menu bar
    Trigger(window, "PasteCTRLV1");
    EXPECT_EQ(CellBytes(Picture(), 10, 12), CellBytes(picture, 2, 3));
    // Without a selection: the cell the pointer was last over in the picture.
    SetPicture(picture);
    Selection().exists = false;
    PointTo(Cell(20, 4));
    window.State().Drawing.PointerPosition = QPoint(-5, -5); // it went off the picture
    QCursor::setPos(window.menuBar()->mapToGlobal(QPoint(2, 2)));
    Trigger(window, "PasteCTRLV1");
    EXPECT_EQ(CellBytes(Picture(), 20, 4), CellBytes(picture, 2, 3));
}

TEST_F(Edit, CopyAsTextAndAsPictureReachTheClipboardOnlyWithASelection) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText("kept");
    Key(Qt::Key_C, kAlt);
    Key(Qt::Key_C, kCtrl | kShift);
    EXPECT_EQ(clipboard->text(), "kept");

    // The texts and the picture are the core's; here they reach the clipboard.
    SetPicture(RandomPicture(2, 4));
    Select(4, 10, 2, 1);
    Key(Qt::Key_C, kAlt);
    EXPECT_TRUE(clipboard->text().startsWith("\tDB\t#"));
    Key(Qt::Key_C, kCtrl | kAlt | kShift);
    EXPECT_TRUE(clipboard->text().startsWith(";--- pixels screen 0"));
    EXPECT_FALSE(window.Panel("Panel_Color")->isVisible()); // no modified C shows the palette
    Key(Qt::Key_C, kCtrl | kShift);
    EXPECT_EQ(clipboard->image().convertToFormat(QImage::Format_RGB32),
              window.Images().MixedImage.copy(32, 20, 16, 2));
}

TEST_F(Edit, KeyCombinationsRunEveryMatchingRow) {
    // P selects the pencil and moves the pointer one picture pixel right.
    window.SetInstrument(InstrumentKind::Line);
    PointTo(QPoint(400, 300));
    const QPoint start = QCursor::pos();
    Key(Qt::Key_P);
    EXPECT_EQ(window.State().Drawing.Instrument, InstrumentKind::Paint);
    EXPECT_EQ(QCursor::pos(), start + QPoint(4, 0));
    // Ctrl+S saves and is no Select.
    Key(Qt::Key_S, kCtrl);
    EXPECT_EQ(dialogs->saveFilters.size(), 1);
    EXPECT_EQ(window.State().Drawing.Instrument, InstrumentKind::Paint);
    // Ctrl+Alt+V pastes and shows the Preview Zoom window.
    SetPicture(RandomPicture(8, 2));
    const MgsImage before = Picture();
    Select(0, 0, 1, 1);
    window.CopySelection();
    PointTo(Cell(7, 7));
    Key(Qt::Key_V, kCtrl | kAlt);
    EXPECT_EQ(CellBytes(Picture(), 7, 7), CellBytes(before, 0, 0));
    EXPECT_TRUE(window.Panel("Panel_ZoomPreview")->isVisible());
}

TEST_F(Edit, EscEndsAPolylineWithoutDrawingAndRemovesTheSelection) {
    Select(1, 1, 2, 2);
    window.SetInstrument(InstrumentKind::Line);
    const PicturePlanes before = Picture();
    QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(40, 40));
    QTest::mouseMove(view, QPoint(400, 200));
    EXPECT_TRUE(view->ShownRubberBand().has_value());
    Key(Qt::Key_Escape);
    EXPECT_FALSE(window.State().Drawing.ShapeActive);
    EXPECT_FALSE(view->ShownRubberBand().has_value());
    EXPECT_FALSE(Selection().exists);
    QTest::mouseMove(view, QPoint(420, 220));
    EXPECT_FALSE(view->ShownRubberBand().has_value());
    EXPECT_EQ(Planes(Picture()), before);
}

// The pointer keys move the real pointer, faster while a key repeats (the steps are the key
// steps test's), Space and Enter click at it, and 0 presses the toolbar key under it.
TEST_F(Edit, PointerKeysMoveThePointerAndClickAtIt) {
    PointTo(QPoint(600, 400));
    QPoint last = QCursor::pos();
    const auto send = [this](QEvent::Type type, bool repeat) {
        QKeyEvent event(type, Qt::Key_O, Qt::NoModifier, QString(), repeat);
        QApplication::sendEvent(&window, &event);
    };
    send(QEvent::KeyPress, false);
    send(QEvent::KeyRelease, true);
    send(QEvent::KeyPress, true);
    EXPECT_EQ(QCursor::pos(), last - QPoint(4 + 8, 0));
    send(QEvent::KeyRelease, false);
    last = QCursor::pos();
    Key(Qt::Key_9);
    EXPECT_EQ(QCursor::pos(), last + QPoint(0, -4));
    Key(Qt::Key_7, kCtrl);
    EXPECT_EQ(QCursor::pos(), last + QPoint(1, -4));
    window.SetZoom(2);
    last = QCursor::pos();
    Key(Qt::Key_A);
    EXPECT_EQ(QCursor::pos(), last + QPoint(0, 8));

    // Space over the view is a left click there: the pencil paints the pixel under it.
    window.SetZoom(1);
    window.SetInstrument(InstrumentKind::Paint);
    window.State().Drawing.CurrentCharColor = 3;
    window.State().Drawing.CurrentAttr = {0, 6, 0, 2};
    PointTo(QPoint(4 * 50 + 2, 4 * 30 + 2));
    Key(Qt::Key_Space);
    const int i = PlaneIndex(50 / 8, 30);
    EXPECT_TRUE(Picture().PixelPlane[0][i] & PixelMask(50));
    EXPECT_TRUE(Picture().PixelPlane[1][i] & PixelMask(50));
    EXPECT_EQ(ViewPixel(QPoint(4 * 50 + 2, 4 * 30 + 2)), Mix(6, 2));
    // Enter is a right click: it picks the cell's colours.
    window.State().Drawing.CurrentAttr = {};
    Key(Qt::Key_Return);
    EXPECT_EQ(window.State().Drawing.CurrentAttr, (AttrSet{0, 6, 0, 2}));
    // Over a toolbar key, 0 presses the key.
    QTest::mouseMove(window.findChild<ToolKey*>("KEY_Zoom2_1"), QPoint(10, 10));
    Key(Qt::Key_0);
    EXPECT_EQ(window.State().View.ZoomLevel, 2);
}

} // namespace
