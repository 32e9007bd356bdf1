// SPDX-License-Identifier: GPL-3.0-or-later
// The Edit menu and its keys through the real widgets: the clipboard, Paste's target and
// Delete's undo copy. The operations themselves are covered by the core tests.
#include "display/renderer.h"
#include "editing/selection.h"
#include "support/main_window_fixture.h"
#include "support/test_pictures.h"
#include "support/widgets.h"

#include <QClipboard>
#include <QCursor>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>

namespace {

constexpr auto kCtrl = Qt::ControlModifier;
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

TEST_F(Edit, CopyAndPasteThroughTheClipboardMoveABlockAndPasteCanBeUndone) {
    SetPicture(CellPicture(8, 7));
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

// A block of the wrong size from another program is not used: this copy's own record is
// pasted, and the status bar says why. (Cutting a foreign block's rectangles to the picture
// is the core's, tested there.)
TEST_F(Edit, AWrongSizedBlockFromAnotherProgramFallsBackToTheOwnRecord) {
    SetPicture(CellPicture(8, 11));
    Select(3, 3, 1, 1);
    window.CopySelection();
    const MgsImage before = Picture();
    SelectionRecord foreign;
    foreign.copy = Planes(CellPicture(8, 99));
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
    SetPicture(CellPicture(8, 5));
    DrawingState& drawing = window.State().Drawing;
    drawing.CurrentAttr = {1, 3, 5, 7};
    drawing.CurrentCharColor = 2;
    const uint64_t generation = window.State().Undo.Generation;
    Key(Qt::Key_Delete);
    EXPECT_EQ(window.State().Undo.Generation, generation); // no selection: nothing at all

    const MgsImage before = Picture();
    Select(2, 1, 1, 1);
    Key(Qt::Key_Delete);
    EXPECT_EQ(window.State().Undo.Picture, before);
    EXPECT_EQ(ViewPixel(Cell(2, 1)), Mix(3, 5)); // the fill itself is the core's
    Trigger(window, "RemoveselectionCTRLDorESC1");
    EXPECT_FALSE(Selection().exists);
    Key(Qt::Key_Z, kCtrl);
    EXPECT_EQ(Planes(Picture()), Planes(before));
}

TEST_F(Edit, PasteFromTheMenuLandsOnTheSelectionOrWhereThePointerLastWas) {
    Trigger(window, "PasteCTRLV1"); // nothing copied yet
    EXPECT_TRUE(Child<QLabel>(window, "Status_Note")->text().startsWith("Nothing to paste"));

    const MgsImage picture = CellPicture(8, 31);
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

} // namespace
