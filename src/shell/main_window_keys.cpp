// Keys reach the command table before any control of the main window sees them.
#include "shell/main_window.h"

#include "colour/palette_window.h"
#include "editing/key_table.h"
#include "editing/picture_mouse.h"
#include "shell/floating_window.h"
#include "shell/tool_key.h"

#include <QGuiApplication>
#include <QKeyEvent>

#include <array>

namespace {

// The table names keys, not the characters they type: Shift+3 is still the key 3, though it
// types '#', and so is the key that types '"' on a French layout. The main row's keys have
// the keycodes 10..19 (1..9, 0) on every PC layout under X11 and Wayland; elsewhere the US
// layout's shifted symbols are mapped back.
int TableKey(const QKeyEvent& event) {
    const int key = event.key();
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return key;
    const QString platform = QGuiApplication::platformName();
    const quint32 code = event.nativeScanCode();
    if ((platform == QLatin1String("xcb") || platform == QLatin1String("wayland")) && code >= 10 &&
        code <= 19)
        return code == 19 ? Qt::Key_0 : Qt::Key_1 + static_cast<int>(code - 10);
    if (!(event.modifiers() & Qt::ShiftModifier))
        return key;
    constexpr std::array<int, 10> kShiftedDigits = {
        Qt::Key_ParenRight, Qt::Key_Exclam,   Qt::Key_At,          Qt::Key_NumberSign,
        Qt::Key_Dollar,     Qt::Key_Percent,  Qt::Key_AsciiCircum, Qt::Key_Ampersand,
        Qt::Key_Asterisk,   Qt::Key_ParenLeft};
    for (int digit = 0; digit < 10; ++digit)
        if (kShiftedDigits[digit] == key)
            return Qt::Key_0 + digit;
    return key;
}

} // namespace

bool MainWindow::HandleKey(QKeyEvent* event) {
    const std::vector<KeyCommand> commands = CommandsForKey(TableKey(*event), event->modifiers());
    for (KeyCommand command : commands)
        RunKeyCommand(command);
    return !commands.empty();
}

void MainWindow::HandleKeyRelease(QKeyEvent* event) {
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
    switch (command) {
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
    case KeyCommand::RefreshView:
        RefreshView(false);
        break;
    case KeyCommand::Undo:
        SwapUndo();
        break;
    case KeyCommand::CharColor0:
    case KeyCommand::CharColor1:
    case KeyCommand::CharColor2:
    case KeyCommand::CharColor3:
        palettes_->SelectSwatch(static_cast<int>(command) -
                                static_cast<int>(KeyCommand::CharColor0));
        break;
    }
}
