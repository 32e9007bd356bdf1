// The keyboard command table: every key the editor acts on, in one place. A press runs
// every row whose key and modifier condition match, in table order.
#pragma once

#include <Qt>

#include <array>
#include <vector>

enum class KeyCommand {
    ZoomSelectorUp,    // the Preview window's zoom selector factor up by 4
    ZoomSelectorDown,  // and down by 4
    TogglePalette,     // the Full Palette window
    TogglePreview,     // the Preview window
    ToggleZoomPreview, // the Preview Zoom window
    ToggleBorder,      // the Border Palette window
    ToggleCharGrid,
    TogglePixelGrid,
    RefreshView, // redraw the picture view from the last render
    Undo,        // exchange the picture with the undo snapshot
    CharColor0,  // CurrentCharColor := 0 ("P0+P1"), as a click on swatch 0
    CharColor1,
    CharColor2,
    CharColor3,
};

// Which modifiers a row asks for. "No Ctrl" means Ctrl is not held, whatever Shift and Alt
// are; a named combination means exactly those conditions.
enum class ModifierRule {
    Any,
    NoCtrl,
    NoCtrlNoAlt,
    NoCtrlNoAltNoShift,
    Alt,
    Ctrl,
};

struct KeyRow {
    int number;              // the row's number in the table
    std::array<int, 3> keys; // Qt::Key values, 0 for none
    ModifierRule rule;
    KeyCommand command;
};

bool ModifiersMatch(ModifierRule rule, Qt::KeyboardModifiers modifiers);

// The commands of every matching row, in table order.
std::vector<KeyCommand> CommandsForKey(int key, Qt::KeyboardModifiers modifiers);

const std::vector<KeyRow>& KeyTable();
