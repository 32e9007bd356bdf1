// SPDX-License-Identifier: GPL-3.0-or-later
// The picture view and the preview windows: refresh, zoom, the zoom selector, the grids,
// the mouse wheel and the 250 ms tick.
#include "shell/main_window.h"

#include "colour/corrector.h"
#include "colour/corrector_window.h"
#include "display/frames.h"
#include "display/picture_view.h"
#include "display/preview_views.h"
#include "display/status_bar.h"
#include "display/status_text.h"
#include "display/zoom.h"
#include "shell/floating_window.h"
#include "shell/tool_key.h"

#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>

void MainWindow::RefreshView(bool rerender) {
    if (rerender)
        RerenderImages();
    view_->SetRubberBand(std::nullopt); // a rubber band lasts until the next refresh
    view_->update();
    CopyPreview();
    UpdateTitle();
}

void MainWindow::RerenderImages() {
    RenderPicture(state_.Picture, images_);
    if (state_.View.Mode != ViewMode::Mix)
        ComposeHardwareImages(images_, hardware_);
}

void MainWindow::CopyPreview() {
    preview_->CopyPreview(ShownPreviewImage());
}

void MainWindow::SetZoom(int level) {
    level = std::clamp(level, kMinZoomLevel, kMaxZoomLevel);
    const QSize box = scrollBox_->size();
    const QPoint scroll(scrollBox_->horizontalScrollBar()->value(),
                        scrollBox_->verticalScrollBar()->value());
    const int oldFactor = state_.View.ZoomFactor();
    scrollBox_->horizontalScrollBar()->setValue(0);
    scrollBox_->verticalScrollBar()->setValue(0);

    state_.View.ZoomLevel = level;
    view_->UpdateSize();
    editPanel_->setFixedSize(view_->ViewSize() + QSize(2, 2));

    const QPoint target = ScrollKeepingCentre(box, scroll, oldFactor, state_.View.ZoomFactor());
    scrollBox_->horizontalScrollBar()->setValue(target.x());
    scrollBox_->verticalScrollBar()->setValue(target.y());

    for (int i = 1; i <= 4; ++i)
        keys_[QStringLiteral("KEY_Zoom%1_1").arg(i)]->SetPressed(i == level);
}

void MainWindow::CentreView() {
    // The scroll box centres a smaller panel itself; a larger one starts at its left and top.
    if (editPanel_->width() >= scrollBox_->width())
        scrollBox_->horizontalScrollBar()->setValue(0);
    if (editPanel_->height() >= scrollBox_->height())
        scrollBox_->verticalScrollBar()->setValue(0);
}

void MainWindow::ToggleCharGrid() {
    state_.View.CharGrid = !state_.View.CharGrid;
    keys_["Key_Grid"]->SetPressed(state_.View.CharGrid);
    RefreshView(true);
}

void MainWindow::TogglePixelGrid() {
    state_.View.PixelGrid = !state_.View.PixelGrid;
    keys_["Key_zGrid"]->SetPressed(state_.View.PixelGrid);
    RefreshView(true);
}

void MainWindow::NewPicture(int charHeight) {
    if (!ConfirmDiscardChanges())
        return;
    ::NewPicture(state_.Picture, charHeight);
    // Nothing of the new picture is unsaved, and nothing before it is to be undone into it.
    state_.SavedPicture = state_.Picture;
    ClearUndo(state_.Undo);
    ClearHistory();
    ClampCorrectorRange(state_.CorrectorRange, charHeight);
    SetZoom(1);
    RefreshView(true);
}

void MainWindow::ConvertCharHeight(int charHeight) {
    const MgsImage before = state_.Picture;
    ::ConvertCharHeight(state_.Picture, charHeight);
    RecordEdit(QStringLiteral("Convert to 8x%1").arg(charHeight), before);
    ClampCorrectorRange(state_.CorrectorRange, charHeight);
    SetZoom(1);
    RefreshView(true);
}

void MainWindow::TrackZoomSelector(QPoint previewPoint) {
    state_.View.SelectorCol = previewPoint.x() / 16;
    state_.View.SelectorRow = previewPoint.y() / 16;
    DrawZoomSelector();
}

void MainWindow::DrawZoomSelector() {
    ViewState& view = state_.View;
    const QSize box = scrollBox_->size();
    const QPoint cell = ZoomSelectorCell(QPoint(16 * view.SelectorCol, 16 * view.SelectorRow), box,
                                         view.SelectorFactor);
    view.SelectorCol = cell.x();
    view.SelectorRow = cell.y();
    CopyPreview();
    const char* icon = view.SelectorFactor == 16   ? ":/icons/zoom16.png"
                       : view.SelectorFactor == 12 ? ":/icons/zoom12.png"
                                                   : ":/icons/zoom8.png";
    preview_->DrawSelector(ZoomSelectorRect(cell, box, view.SelectorFactor),
                           QImage(QString::fromLatin1(icon)), patterns_);
}

void MainWindow::ApplyZoomSelector() {
    SetZoom(state_.View.SelectorFactor / 4);
    const int z = state_.View.ZoomFactor();
    scrollBox_->horizontalScrollBar()->setValue(z * state_.View.SelectorCol * 8);
    scrollBox_->verticalScrollBar()->setValue(z * state_.View.SelectorRow * 8);
    RefreshView(true);
    ToggleWindow(Panel(QStringLiteral("Panel_Preview")), keys_["KEY_Preview"]);
}

void MainWindow::UpdateZoomPreview() {
    const int z = state_.View.ZoomFactor();
    const QPoint last = state_.Drawing.LastMovePosition;
    zoomPreview_->Follow(preview_->Shown(), QPoint(last.x() / z, last.y() / z));
}

void MainWindow::ShowPointerInfo(const PointerInfo& info) {
    const PointerInfoTexts texts = PointerInfoText(info);
    statusBar_->SetPointerTexts(texts.Ax, texts.Ay, texts.Bx, texts.By, texts.Byte);
}

void MainWindow::OnWheel(int delta, QPoint pointer) {
    // At most one step per tick, however fast the wheel turns.
    if (!state_.WheelReady || delta == 0)
        return;
    const int level = state_.View.ZoomLevel + (delta > 0 ? 1 : -1);
    if (level < kMinZoomLevel || level > kMaxZoomLevel)
        return;
    const int oldFactor = state_.View.ZoomFactor();
    const QWidget* viewport = scrollBox_->viewport();
    const QPoint inBox = viewport->mapFromGlobal(pointer);
    const QPoint onView = view_->mapFromGlobal(pointer);
    SetZoom(level);
    // Over the picture the point under the pointer stays put; elsewhere the centre does.
    if (viewport->rect().contains(inBox) && view_->rect().contains(onView)) {
        const QPoint scroll =
            ScrollKeepingPoint(onView, inBox,
                               view_->pos() + editPanel_->pos() +
                                   QPoint(scrollBox_->horizontalScrollBar()->value(),
                                          scrollBox_->verticalScrollBar()->value()),
                               oldFactor, state_.View.ZoomFactor());
        scrollBox_->horizontalScrollBar()->setValue(scroll.x());
        scrollBox_->verticalScrollBar()->setValue(scroll.y());
    }
    RefreshView(true);
    state_.WheelReady = false;
}

void MainWindow::OnTimer() {
    state_.WheelReady = true;
    state_.Drawing.MouseBlocked = false;
    state_.FramePhase = NextFramePhase(state_.FramePhase);
    if (state_.Selection.exists)
        AnimateSelectionFrame();
    if (Panel(QStringLiteral("Panel_Corrector"))->isVisible())
        corrector_->AnimateCorrectorFrame();
}

void MainWindow::AnimateSelectionFrame() {
    view_->UpdateSelectionFrame();
}
