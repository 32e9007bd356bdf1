// SPDX-License-Identifier: GPL-3.0-or-later
// The Edit menu and its keys: selecting with the Select instrument, the clipboard, Delete,
// the flips, the quarter turn and the pixel rolls, and the keyboard joystick's pointer.
#include "shell/main_window.h"

#include "display/picture_view.h"
#include "display/status_bar.h"
#include "editing/selection.h"
#include "editing/transforms.h"
#include "editing/undo.h"

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPointer>

#include <functional>

namespace {

const QString kClipboardFormat = QString::fromLatin1(kClipboardFormatName);

} // namespace

void MainWindow::FillEditMenu(QMenu* edit) {
    struct Item {
        const char* name;
        const char* caption;
        const char* key;
        std::function<void()> run;
        bool separatorAfter;
    };
    auto transform = [this](Transform t) { return [this, t] { TransformSelection(t); }; };
    // "Change Attr and Pix" is left out: it never had an action, and an entry that does
    // nothing only puzzles the user.
    const Item items[] = {
        {"Undo1", "Undo", "Ctrl+Z", [this] { SwapUndo(); }, true},
        {"RemoveselectionCTRLDorESC1", "Remove selection", "Ctrl+D", [this] { RemoveSelection(); },
         true},
        {"CopyCTRLC1", "Copy", "Ctrl+C", [this] { CopySelection(); }, false},
        {"PasteCTRLV1", "Paste", "Ctrl+V", [this] { Paste(); }, false},
        {"DeleteDEL1", "Delete", "Del", [this] { DeleteSelection(); }, true},
        {"FlipHorizontal1", "Flip Horizontal", "Shift+Left", transform(Transform::FlipHorizontal),
         false},
        {"FlipVertical1", "Flip Vertical", "Shift+Up", transform(Transform::FlipVertical), true},
        {"Rotate90cw1", "Rotate 90° cw", nullptr, transform(Transform::Rotate90), true},
        {"RotatepixelsRightCTRLCursorRight1", "Rotate pixels Right", "Ctrl+Right",
         transform(Transform::RollRight), false},
        {"RotatepixelsLeftCTRLCursorLeft1", "Rotate pixels Left", "Ctrl+Left",
         transform(Transform::RollLeft), false},
        {"RotatepixelsUpCTRLCursorUp1", "Rotate pixels Up", "Ctrl+Up", transform(Transform::RollUp),
         false},
        {"RotatepixelsDownCTRLCursorDown1", "Rotate pixels Down", "Ctrl+Down",
         transform(Transform::RollDown), false},
    };
    for (const Item& item : items) {
        QAction* action = edit->addAction(MenuCaption(item.caption, item.key));
        action->setObjectName(QString::fromLatin1(item.name));
        connect(action, &QAction::triggered, this, item.run);
        if (item.separatorAfter)
            edit->addSeparator();
    }
}

void MainWindow::TrackSelectionPoint(QPoint viewPoint, bool press) {
    SelectionRecord& selection = state_.Selection;
    const int z = state_.View.ZoomFactor();
    const int charHeight = state_.Picture.CharHeight;
    if (press) {
        SelectionMousePress(selection, viewPoint, z, charHeight);
        RefreshView(false);
    } else if (SelectionMouseMove(selection, viewPoint, z, charHeight) != ViewUpdate::None) {
        // The frame follows the pointer at once rather than at the next tick; only its old
        // and new edges are repainted.
        AnimateSelectionFrame();
    }
}

void MainWindow::SelectAll() {
    ::SelectAll(state_.Selection, state_.Picture.CharHeight);
    // The tick would draw the frame within 250 ms; drawing it now costs only its edges.
    AnimateSelectionFrame();
}

void MainWindow::RemoveSelection() {
    ::RemoveSelection(state_.Selection);
    RefreshView(false);
}

bool MainWindow::PointerOverPicture() const {
    const QWidget* under = QApplication::widgetAt(QCursor::pos());
    return under && (under == view_ || under == editPanel_);
}

void MainWindow::CopySelection() {
    const ViewUpdate update = ::CopySelection(state_.Selection, state_.Picture,
                                              PointerOverPicture(), state_.Drawing.PointerPosition,
                                              state_.View.ZoomFactor(), state_.FramePhase);
    if (update != ViewUpdate::None)
        RefreshView(false);
    const std::vector<uint8_t> block = ClipboardBlock(state_.Selection);
    auto* data = new QMimeData;
    data->setData(kClipboardFormat, QByteArray(reinterpret_cast<const char*>(block.data()),
                                               static_cast<qsizetype>(block.size())));
    QGuiApplication::clipboard()->setMimeData(data); // the clipboard owns it from here
}

void MainWindow::Paste() {
    const MgsImage before = state_.Picture;
    QByteArray block;
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (data && data->hasFormat(kClipboardFormat))
        block = data->data(kClipboardFormat);
    // From the menu the pointer is on the menu, not the picture: the block then lands on
    // the selection or where the pointer last was over the picture.
    const int z = state_.View.ZoomFactor();
    const QPoint target =
        PasteTarget(state_.Selection, PointerOverPicture(), state_.Drawing.PointerPosition,
                    state_.Drawing.LastPicturePoint, z, state_.Picture.CharHeight);
    PasteResult result;
    {
        // Put back before RecordEdit compares: a paste onto the other screen only is no edit.
        const OtherScreenGuard keepOtherScreen(state_.Picture, state_.Drawing.DrawScreen);
        result = ::Paste(state_.Selection, state_.Picture,
                         std::span(reinterpret_cast<const uint8_t*>(block.constData()),
                                   static_cast<std::size_t>(block.size())),
                         true, target, z);
    }
    // A damaged or foreign block is not used; say so, since what is pasted instead is this
    // copy's own last Copy, which the user may not expect.
    if (!result.blockError.isEmpty())
        statusBar_->ShowNote(result.blockError + QStringLiteral(" It was not used."));
    else if (state_.Selection.copyW < 1 || state_.Selection.copyH < 1)
        statusBar_->ShowNote(QStringLiteral("Nothing to paste: copy a selection first."));
    RecordEdit(QStringLiteral("Paste"), before);
    if (result.update == ViewUpdate::Rerender) {
        RefreshView(true);
        UpdateZoomPreview();
    }
}

void MainWindow::DeleteSelection() {
    if (!state_.Selection.exists)
        return;
    const MgsImage before = state_.Picture;
    const AttrSet& attr = state_.Drawing.CurrentAttr;
    {
        const OtherScreenGuard keepOtherScreen(state_.Picture, state_.Drawing.DrawScreen);
        ::DeleteSelection(state_.Picture, state_.Selection, attr.Screen0(), attr.Screen1(),
                          state_.Drawing.CurrentCharColor);
    }
    RecordEdit(QStringLiteral("Delete"), before);
    RefreshView(true);
    UpdateZoomPreview();
}

void MainWindow::CopySelectionAsPicture() {
    const QImage picture =
        SelectionPicture(state_.Selection, images_.MixedImage, state_.Picture.CharHeight);
    if (!picture.isNull())
        QGuiApplication::clipboard()->setImage(picture);
}

void MainWindow::CopySelectionAsText(bool bothScreens) {
    const QString text = SelectionText(state_.Selection, state_.Picture, bothScreens);
    if (!text.isNull())
        QGuiApplication::clipboard()->setText(text);
}

void MainWindow::TransformSelection(Transform transform) {
    // As the Edit menu names them.
    static const char* const kNames[] = {
        "Flip Horizontal",     "Flip Vertical",    "Rotate 90° cw",     "Rotate pixels Left",
        "Rotate pixels Right", "Rotate pixels Up", "Rotate pixels Down"};
    const MgsImage before = state_.Picture;
    ApplyTransform(state_.Picture, state_.Selection, transform);
    RecordEdit(QString::fromUtf8(kNames[static_cast<int>(transform)]), before);
    RefreshView(true);
    UpdateZoomPreview();
}

void MainWindow::MovePointer(QPoint delta) {
    // The window system reports the move to the widget under the pointer, like a real one.
    QCursor::setPos(QCursor::pos() + delta);
}

void MainWindow::ClickAtPointer(Qt::MouseButton button) {
    const QPoint global = QCursor::pos();
    QWidget* under = QApplication::widgetAt(global);
    // A real click passes through widgets that let the mouse through (a key's icon).
    while (under && !under->isWindow() && under->testAttribute(Qt::WA_TransparentForMouseEvents))
        under = under->parentWidget();
    QPointer<QWidget> target = under;
    if (!target)
        return;
    const QPointF local = target->mapFromGlobal(QPointF(global));
    // The modifiers held now, as a real click would carry them (Shift+Space draws a line).
    const Qt::KeyboardModifiers modifiers = QGuiApplication::keyboardModifiers();
    QMouseEvent press(QEvent::MouseButtonPress, local, QPointF(global), button, button, modifiers);
    QApplication::sendEvent(target, &press);
    if (!target) // the press may have closed what was under the pointer
        return;
    QMouseEvent release(QEvent::MouseButtonRelease, local, QPointF(global), button, Qt::NoButton,
                        modifiers);
    QApplication::sendEvent(target, &release);
}
