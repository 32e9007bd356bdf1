// The rows are data; the main window maps each command to its operation.
#include "editing/key_table.h"

#include <algorithm>

namespace {

const std::vector<KeyRow> kRows = {
    {8, {Qt::Key_Up, 0}, ModifierRule::Any, KeyCommand::ZoomSelectorUp},
    {9, {Qt::Key_Down, 0}, ModifierRule::Any, KeyCommand::ZoomSelectorDown},
    {27, {Qt::Key_Z, 0}, ModifierRule::Ctrl, KeyCommand::Undo},
    {28, {Qt::Key_1, 0}, ModifierRule::Any, KeyCommand::CharColor0},
    {28, {Qt::Key_2, 0}, ModifierRule::Any, KeyCommand::CharColor1},
    {28, {Qt::Key_3, 0}, ModifierRule::Any, KeyCommand::CharColor2},
    {28, {Qt::Key_4, 0}, ModifierRule::Any, KeyCommand::CharColor3},
    {29, {Qt::Key_C, 0}, ModifierRule::NoCtrlNoAltNoShift, KeyCommand::TogglePalette},
    {30, {Qt::Key_V, Qt::Key_F12}, ModifierRule::NoCtrlNoAlt, KeyCommand::TogglePreview},
    {31, {Qt::Key_V, 0}, ModifierRule::Alt, KeyCommand::ToggleZoomPreview},
    {32, {Qt::Key_B, 0}, ModifierRule::NoCtrl, KeyCommand::ToggleBorder},
    {33, {Qt::Key_G, 0}, ModifierRule::NoCtrl, KeyCommand::ToggleCharGrid},
    {34, {Qt::Key_H, 0}, ModifierRule::NoCtrl, KeyCommand::TogglePixelGrid},
    {38, {Qt::Key_Right, Qt::Key_Up, Qt::Key_Down}, ModifierRule::Any, KeyCommand::RefreshView},
};

} // namespace

bool ModifiersMatch(ModifierRule rule, Qt::KeyboardModifiers modifiers) {
    const bool ctrl = modifiers & Qt::ControlModifier;
    const bool alt = modifiers & Qt::AltModifier;
    const bool shift = modifiers & Qt::ShiftModifier;
    switch (rule) {
    case ModifierRule::Any:
        return true;
    case ModifierRule::NoCtrl:
        return !ctrl;
    case ModifierRule::NoCtrlNoAlt:
        return !ctrl && !alt;
    case ModifierRule::NoCtrlNoAltNoShift:
        return !ctrl && !alt && !shift;
    case ModifierRule::Alt:
        return alt;
    case ModifierRule::Ctrl:
        return ctrl;
    }
    return false;
}

std::vector<KeyCommand> CommandsForKey(int key, Qt::KeyboardModifiers modifiers) {
    std::vector<KeyCommand> commands;
    for (const KeyRow& row : kRows)
        if (key != 0 && std::find(row.keys.begin(), row.keys.end(), key) != row.keys.end() &&
            ModifiersMatch(row.rule, modifiers))
            commands.push_back(row.command);
    return commands;
}

const std::vector<KeyRow>& KeyTable() {
    return kRows;
}
