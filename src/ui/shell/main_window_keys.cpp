// SPDX-License-Identifier: GPL-3.0-or-later
// Keys reach the command table before any control of the main window sees them.
#include "shell/main_window.h"

#include "colour/palette_window.h"
#include "editing/key_table.h"
#include "editing/picture_mouse.h"
#include "editing/transforms.h"
#include "shell/floating_window.h"
#include "shell/tool_key.h"

#include <QKeyEvent>

bool MainWindow::HandleKey(QKeyEvent* event) {
    const int key = TableKey(event->key(), event->nativeScanCode(), event->modifiers());
    KeyPressed(state_.Keys, event->key(), event->timestamp());
    const std::vector<KeyCommand> commands = CommandsForKey(key, event->modifiers());
    for (KeyCommand command : commands)
        RunKeyCommand(command);
    return !commands.empty();
}

void MainWindow::HandleKeyRelease(QKeyEvent* event) {
    KeyReleased(state_.Keys, event->key(), event->timestamp(), event->isAutoRepeat());
    // X11 repeats a held key as release and press pairs; only the real release counts.
    if (event->isAutoRepeat())
        return;
    // Letting Shift itself go may still report Shift held; the key says it is up.
    const bool shift = (event->modifiers() & Qt::ShiftModifier) && event->key() != Qt::Key_Shift;
    if (PictureKeyRelease(state_, shift))
        RefreshView(false);
}

void MainWindow::RunKeyCommand(KeyCommand command) {
    ViewState& view = state_.View;
    const bool previewShown = Panel(QStringLiteral("Panel_Preview"))->isVisible();
    // No default: the compiler names any command of the table left unbound.
    switch (command) {
    case KeyCommand::SelectPaint:
        SetInstrument(InstrumentKind::Paint);
        break;
    case KeyCommand::SelectFillChar:
        SetInstrument(InstrumentKind::FillChar);
        break;
    case KeyCommand::SelectSelect:
        SetInstrument(InstrumentKind::Select);
        break;
    case KeyCommand::SelectLine:
        SetInstrument(InstrumentKind::Line);
        break;
    case KeyCommand::SelectRect:
        SetInstrument(InstrumentKind::Rect);
        break;
    case KeyCommand::EndShape:
        // The rubber band goes with the refresh of the row that follows (Esc also removes
        // the selection).
        state_.Drawing.ShapeActive = false;
        break;
    case KeyCommand::RemoveSelection:
        RemoveSelection();
        break;
    case KeyCommand::PointerStepLeft:
    case KeyCommand::PointerStepRight:
    case KeyCommand::PointerStepDown:
    case KeyCommand::PointerStepUp:
    case KeyCommand::PointerPixelLeft:
    case KeyCommand::PointerPixelRight:
    case KeyCommand::PointerPixelDown:
    case KeyCommand::PointerPixelUp:
        MovePointer(PointerMove(command, state_.Keys, view.ZoomFactor()));
        break;
    case KeyCommand::ClickLeft:
        ClickAtPointer(Qt::LeftButton);
        break;
    case KeyCommand::ClickRight:
        ClickAtPointer(Qt::RightButton);
        break;
    case KeyCommand::Delete:
        DeleteSelection();
        break;
    case KeyCommand::Copy:
        CopySelection();
        break;
    case KeyCommand::CopyAsPicture:
        CopySelectionAsPicture();
        break;
    case KeyCommand::CopyBothScreensAsText:
        CopySelectionAsText(true);
        break;
    case KeyCommand::CopyScreen0AsText:
        CopySelectionAsText(false);
        break;
    case KeyCommand::Paste:
        Paste();
        break;
    case KeyCommand::RollLeft:
        TransformSelection(Transform::RollLeft);
        break;
    case KeyCommand::RollRight:
        TransformSelection(Transform::RollRight);
        break;
    case KeyCommand::RollUp:
        TransformSelection(Transform::RollUp);
        break;
    case KeyCommand::RollDown:
        TransformSelection(Transform::RollDown);
        break;
    case KeyCommand::FlipHorizontal:
        TransformSelection(Transform::FlipHorizontal);
        break;
    case KeyCommand::FlipVertical:
        TransformSelection(Transform::FlipVertical);
        break;
    case KeyCommand::TogglePixMode:
        TogglePixMode();
        break;
    case KeyCommand::ToggleRgbMode:
        ToggleRgbMode();
        break;
    case KeyCommand::SelectAll:
        SelectAll();
        break;
    case KeyCommand::ViewMix:
        SetViewMode(ViewMode::Mix);
        break;
    case KeyCommand::ViewScreen0:
        SetViewMode(ViewMode::Screen0);
        break;
    case KeyCommand::ViewScreen1:
        SetViewMode(ViewMode::Screen1);
        break;
    case KeyCommand::ViewFlicker:
        SetViewMode(ViewMode::Flicker);
        break;
    case KeyCommand::ViewInterlace:
        SetViewMode(ViewMode::Interlace);
        break;
    case KeyCommand::DrawOnBoth:
        SetDrawOn(DrawOn::Both);
        break;
    case KeyCommand::DrawOnScreen0:
        SetDrawOn(DrawOn::Screen0);
        break;
    case KeyCommand::DrawOnScreen1:
        SetDrawOn(DrawOn::Screen1);
        break;
    case KeyCommand::HistoryBack:
        StepHistory(-1);
        break;
    case KeyCommand::HistoryForward:
        StepHistory(1);
        break;
    case KeyCommand::ZoomSelectorUp:
        if (previewShown && view.SelectorFactor < 16) {
            view.SelectorFactor += 4;
            DrawZoomSelector();
        }
        break;
    case KeyCommand::ZoomSelectorDown:
        if (previewShown && view.SelectorFactor > 8) {
            view.SelectorFactor -= 4;
            DrawZoomSelector();
        }
        break;
    case KeyCommand::TogglePalette:
        ToggleWindow(Panel(QStringLiteral("Panel_Color")), keys_["KEY_Palette"]);
        break;
    case KeyCommand::TogglePreview:
        ToggleWindow(Panel(QStringLiteral("Panel_Preview")), keys_["KEY_Preview"]);
        break;
    case KeyCommand::ToggleZoomPreview:
        ToggleWindow(Panel(QStringLiteral("Panel_ZoomPreview")), keys_["KEY_ZoomPreview"]);
        break;
    case KeyCommand::ToggleBorder:
        ToggleWindow(Panel(QStringLiteral("Panel_Border")), keys_["KEY_BorderPalette"]);
        break;
    case KeyCommand::ToggleCharGrid:
        ToggleCharGrid();
        break;
    case KeyCommand::TogglePixelGrid:
        TogglePixelGrid();
        break;
    case KeyCommand::ToggleCorrector:
        ToggleCorrector();
        break;
    case KeyCommand::RefreshView:
        RefreshView(false);
        break;
    case KeyCommand::SwapUndo:
        SwapUndo();
        break;
    case KeyCommand::CharColor0:
    case KeyCommand::CharColor1:
    case KeyCommand::CharColor2:
    case KeyCommand::CharColor3:
        palettes_->SelectSwatch(static_cast<int>(command) -
                                static_cast<int>(KeyCommand::CharColor0));
        break;
    case KeyCommand::OpenMgs:
        OpenMgs();
        break;
    case KeyCommand::SaveMgs:
        SaveMgs();
        break;
    case KeyCommand::Quit:
        close();
        break;
    }
}
