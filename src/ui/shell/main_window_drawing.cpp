// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing on the picture: the view's mouse events carried out on the core's drawing steps,
// the tool, paint-size and mode keys, undo, and the current colours shared with every
// running copy.
#include "shell/main_window.h"

#include "colour/border_palette_window.h"
#include "colour/corrector.h"
#include "colour/corrector_window.h"
#include "colour/palette_bus.h"
#include "colour/palette_message.h"
#include "colour/palette_window.h"
#include "display/picture_view.h"
#include "display/preview_views.h"
#include "display/renderer.h"
#include "display/status_bar.h"
#include "editing/picture_mouse.h"
#include "editing/undo.h"
#include "shell/floating_window.h"
#include "shell/tool_key.h"

namespace {

struct InstrumentKey {
    InstrumentKind instrument;
    const char* key;
};

// The ellipse has no visible key: no key selects it and it draws nothing.
constexpr InstrumentKey kInstrumentKeys[] = {
    {InstrumentKind::Paint, "Key_Instrument_Paint"},
    {InstrumentKind::FillChar, "Key_Instrument_FillChar"},
    {InstrumentKind::Line, "Key_Instrument_Line"},
    {InstrumentKind::Rect, "Key_Instrument_Rect"},
    {InstrumentKind::Select, "Key_Instrument_Select"},
};

struct PaintSizeKey {
    int size;
    const char* key;
};

constexpr PaintSizeKey kPaintSizeKeys[] = {
    {1, "Key_PaintSize1"},
    {2, "Key_PaintSize2"},
    {4, "Key_PaintSize4"},
};

// The instruments' names in the undo history.
QString InstrumentName(InstrumentKind instrument) {
    switch (instrument) {
    case InstrumentKind::FillChar:
        return QStringLiteral("Fill Char");
    case InstrumentKind::Line:
        return QStringLiteral("Line");
    case InstrumentKind::Rect:
        return QStringLiteral("Rectangle");
    case InstrumentKind::Ellipse:
        return QStringLiteral("Ellipse");
    case InstrumentKind::Paint:
    case InstrumentKind::Select:
        break;
    }
    return QStringLiteral("Pencil");
}

} // namespace

void MainWindow::CreateDrawingKeys() {
    for (const InstrumentKey& entry : kInstrumentKeys) {
        const InstrumentKind instrument = entry.instrument;
        connect(keys_[QString::fromLatin1(entry.key)], &ToolKey::Pressed, this,
                [this, instrument] { SetInstrument(instrument); });
    }
    for (const PaintSizeKey& entry : kPaintSizeKeys) {
        const int size = entry.size;
        connect(keys_[QString::fromLatin1(entry.key)], &ToolKey::Pressed, this,
                [this, size] { SetPaintSize(size); });
    }
    connect(keys_["KEY_EditMode_PIX"], &ToolKey::Pressed, this, &MainWindow::TogglePixMode);
    connect(keys_["KEY_EditMode_RGB"], &ToolKey::Pressed, this, &MainWindow::ToggleRgbMode);
}

void MainWindow::SetInstrument(InstrumentKind instrument) {
    state_.Drawing.Instrument = instrument;
    for (const InstrumentKey& entry : kInstrumentKeys)
        keys_[QString::fromLatin1(entry.key)]->SetPressed(entry.instrument == instrument);
}

void MainWindow::SetPaintSize(int size) {
    if (size != 1 && size != 2 && size != 4)
        return;
    state_.Drawing.PaintSize = size;
    for (const PaintSizeKey& entry : kPaintSizeKeys)
        keys_[QString::fromLatin1(entry.key)]->SetPressed(entry.size == size);
}

void MainWindow::TogglePixMode() {
    state_.Drawing.PixMode = !state_.Drawing.PixMode;
    keys_["KEY_EditMode_PIX"]->SetPressed(state_.Drawing.PixMode);
}

void MainWindow::ToggleRgbMode() {
    state_.Drawing.RgbMode = !state_.Drawing.RgbMode;
    keys_["KEY_EditMode_RGB"]->SetPressed(state_.Drawing.RgbMode);
}

void MainWindow::SwapUndo() {
    const std::array<uint8_t, 2> border = state_.Picture.BorderPair;
    // The entry of the last edit keeps the picture it left; the swap belongs to no entry.
    state_.History.Settle(state_.Picture);
    if (!::SwapUndo(state_.Picture, state_.Undo))
        return;
    UpdateHistoryWindow();
    // The exchange may bring back another CharHeight or border pair: every view follows.
    ClampCorrectorRange(state_.CorrectorRange, state_.Picture.CharHeight);
    RefreshView(true);
    UpdateZoomPreview();
    if (Panel(QStringLiteral("Panel_Corrector"))->isVisible())
        corrector_->Shown();
    if (state_.Picture.BorderPair != border)
        borderPalette_->ShowPictureBorder();
}

void MainWindow::OnPictureMousePress(const PictureMouseInput& input) {
    ShowMouseResult(PictureMouseDown(state_, input), true);
}

void MainWindow::OnPictureMouseMove(const PictureMouseInput& input) {
    ShowMouseResult(PictureMouseMove(state_, input), false);
}

void MainWindow::OnPictureMouseRelease() {
    // A release ends a selection drag and a pencil stroke, whatever the instrument.
    state_.Selection.dragging = false;
    state_.Drawing.Stroking = false;
    UpdateHistoryWindow(); // the stroke's entry shows its finished picture
}

void MainWindow::ShowMouseResult(const PictureMouseResult& result, bool press) {
    // A stroke records its undo copy at its first change, on a press or a move; the copy
    // is the picture before the stroke.
    if (result.snapshotTaken)
        NoteEdit(InstrumentName(state_.Drawing.Instrument), state_.Undo.Picture);
    if (result.selectionPoint)
        TrackSelectionPoint(*result.selectionPoint, press);

    if (!result.paint.cells.empty())
        UpdateTitle();
    // Painted cells: the off-screen images first, then just their rectangles on screen.
    for (const CellRef& cell : result.paint.cells) {
        const QRect pixels =
            RedrawCell(state_.Picture, images_, cell.column, cell.cellRow, cell.attrRow);
        if (pixels.isEmpty())
            continue;
        if (state_.View.Mode != ViewMode::Mix)
            RedrawHardwareCell(state_.Picture, images_, hardware_, cell.column, cell.cellRow,
                               cell.attrRow);
        view_->RepaintPictureRect(pixels);
        preview_->CopyPictureRect(ShownPreviewImage(), pixels);
    }

    if (result.refreshView) {
        if (result.rubberBand) {
            // The view always paints the picture from the last render, so a full refresh
            // would change only the pixels under the old band; repainting those and the
            // new band's shows the same at a fraction of the cost.
            view_->SetRubberBand(result.rubberBand);
            CopyPreview();
        } else {
            RefreshView(false);
        }
    } else if (result.rubberBand) {
        view_->SetRubberBand(result.rubberBand);
    }

    if (result.coloursPicked) {
        palettes_->RedrawPalettes();
        palettes_->ShowCharColorSelection();
    }
    if (result.paletteBroadcast)
        paletteBus_->Broadcast(*result.paletteBroadcast);

    if (result.status)
        ShowPointerInfo(*result.status);
    if (result.cellColours)
        statusBar_->SetCellColours(*result.cellColours);
    if (result.updateZoomPreview)
        UpdateZoomPreview();
}

void MainWindow::OnPaletteMessage(qint64 payload) {
    // Malformed payloads (a field above 14, bits above 15) change nothing.
    if (!ApplyPaletteMessage(state_.Drawing, payload))
        return;
    palettes_->RedrawPalettes();
    palettes_->ShowCharColorSelection();
}
