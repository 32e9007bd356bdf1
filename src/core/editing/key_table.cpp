// SPDX-License-Identifier: GPL-3.0-or-later
// The rows are data; the main window maps each command to its operation.
#include "editing/key_table.h"

#include <algorithm>
#include <array>

namespace {

using enum KeyCommand;
using R = ModifierRule;

// In table order. Rows that act differently per key are one entry per key under the same
// number. The step counter's cap (row 10) is part of PointerStepDistance, which every
// stepping row calls, so it is not a key of its own.
const std::vector<KeyRow> kRows = {
    {1, {Qt::Key_P}, R::NoCtrl, SelectPaint},
    {2, {Qt::Key_N}, R::NoCtrl, SelectFillChar},
    {3, {Qt::Key_S}, R::NoCtrl, SelectSelect},
    {4, {Qt::Key_L}, R::NoCtrl, SelectLine},
    {5, {Qt::Key_J}, R::NoCtrl, SelectRect},
    {6, {Qt::Key_Escape}, R::Any, EndShape},
    {7, {Qt::Key_Escape}, R::Any, RemoveSelection},
    {7, {Qt::Key_D}, R::Ctrl, RemoveSelection},
    {8, {Qt::Key_Up}, R::Any, ZoomSelectorUp},
    {9, {Qt::Key_Down}, R::Any, ZoomSelectorDown},
    {11, {Qt::Key_O, Qt::Key_6}, R::NoCtrl, PointerStepLeft},
    {12, {Qt::Key_P, Qt::Key_7}, R::NoCtrl, PointerStepRight},
    {13, {Qt::Key_A, Qt::Key_8}, R::NoCtrl, PointerStepDown},
    {14, {Qt::Key_Q, Qt::Key_9}, R::NoCtrl, PointerStepUp},
    {15, {Qt::Key_Space, Qt::Key_0}, R::NoCtrl, ClickLeft},
    // Return is the main keyboard's Enter, Enter the keypad's; the platform's virtual keys
    // do not tell them apart.
    {16, {Qt::Key_Return, Qt::Key_Enter, Qt::Key_5}, R::NoCtrl, ClickRight},
    {17, {Qt::Key_6}, R::Ctrl, PointerPixelLeft},
    {17, {Qt::Key_7}, R::Ctrl, PointerPixelRight},
    {17, {Qt::Key_8}, R::Ctrl, PointerPixelDown},
    {17, {Qt::Key_9}, R::Ctrl, PointerPixelUp},
    {18, {Qt::Key_Delete}, R::Any, Delete},
    {19, {Qt::Key_C}, R::CtrlNoAltNoShift, Copy},
    {20, {Qt::Key_C}, R::CtrlShiftNoAlt, CopyAsPicture},
    {21, {Qt::Key_C}, R::CtrlAltShift, CopyBothScreensAsText},
    {22, {Qt::Key_C}, R::AltNoCtrlNoShift, CopyScreen0AsText},
    {23, {Qt::Key_V}, R::Ctrl, Paste},
    {24, {Qt::Key_Left}, R::CtrlNoShift, RollLeft},
    {24, {Qt::Key_Right}, R::CtrlNoShift, RollRight},
    {24, {Qt::Key_Up}, R::CtrlNoShift, RollUp},
    {24, {Qt::Key_Down}, R::CtrlNoShift, RollDown},
    {25, {Qt::Key_Left, Qt::Key_Right}, R::ShiftNoCtrl, FlipHorizontal},
    {26, {Qt::Key_Up, Qt::Key_Down}, R::ShiftNoCtrl, FlipVertical},
    {27, {Qt::Key_Z}, R::Ctrl, SwapUndo},
    {28, {Qt::Key_1}, R::Any, CharColor0},
    {28, {Qt::Key_2}, R::Any, CharColor1},
    {28, {Qt::Key_3}, R::Any, CharColor2},
    {28, {Qt::Key_4}, R::Any, CharColor3},
    {29, {Qt::Key_C}, R::NoCtrlNoAltNoShift, TogglePalette},
    {30, {Qt::Key_V, Qt::Key_F12}, R::NoCtrlNoAlt, TogglePreview},
    {31, {Qt::Key_V}, R::Alt, ToggleZoomPreview},
    {32, {Qt::Key_B}, R::NoCtrl, ToggleBorder},
    {33, {Qt::Key_G}, R::NoCtrl, ToggleCharGrid},
    {34, {Qt::Key_H}, R::NoCtrl, TogglePixelGrid},
    {35, {Qt::Key_W}, R::NoCtrl, TogglePixMode},
    {36, {Qt::Key_E}, R::NoCtrl, ToggleRgbMode},
    {37, {Qt::Key_X}, R::NoAlt, ToggleCorrector},
    {38, {Qt::Key_Right, Qt::Key_Up, Qt::Key_Down}, R::Any, RefreshView},
    {39, {Qt::Key_S}, R::Ctrl, SaveMgs},
    {40, {Qt::Key_O}, R::Ctrl, OpenMgs},
    {41, {Qt::Key_A}, R::Ctrl, SelectAll},
    {42, {Qt::Key_Q}, R::Ctrl, Quit},
    // Keys no row above matches, for the hardware views, one-screen drawing and the history.
    {43, {Qt::Key_F5}, R::Any, ViewMix},
    {44, {Qt::Key_F6}, R::Any, ViewScreen0},
    {45, {Qt::Key_F7}, R::Any, ViewScreen1},
    {46, {Qt::Key_F8}, R::Any, ViewFlicker},
    {47, {Qt::Key_F9}, R::Any, ViewInterlace},
    {48, {Qt::Key_F2}, R::Any, DrawOnBoth},
    {49, {Qt::Key_F3}, R::Any, DrawOnScreen0},
    {50, {Qt::Key_F4}, R::Any, DrawOnScreen1},
    {51, {Qt::Key_Z}, R::AltNoCtrlNoShift, HistoryBack},
    {52, {Qt::Key_Z}, R::AltShiftNoCtrl, HistoryForward},
};

bool IsDigitKey(int key) {
    return key >= Qt::Key_0 && key <= Qt::Key_9;
}

constexpr int kMaxSteps = 5;

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
    case ModifierRule::NoAlt:
        return !alt;
    case ModifierRule::NoCtrlNoAlt:
        return !ctrl && !alt;
    case ModifierRule::NoCtrlNoAltNoShift:
        return !ctrl && !alt && !shift;
    case ModifierRule::Ctrl:
        return ctrl;
    case ModifierRule::CtrlNoShift:
        return ctrl && !shift;
    case ModifierRule::CtrlNoAltNoShift:
        return ctrl && !alt && !shift;
    case ModifierRule::CtrlShiftNoAlt:
        return ctrl && shift && !alt;
    case ModifierRule::CtrlAltShift:
        return ctrl && alt && shift;
    case ModifierRule::Alt:
        return alt;
    case ModifierRule::AltNoCtrlNoShift:
        return alt && !ctrl && !shift;
    case ModifierRule::AltShiftNoCtrl:
        return alt && shift && !ctrl;
    case ModifierRule::ShiftNoCtrl:
        return shift && !ctrl;
    }
    return false;
}

std::vector<KeyCommand> CommandsForKey(int key, Qt::KeyboardModifiers modifiers) {
    std::vector<KeyCommand> commands;
    if (key == 0 || (IsDigitKey(key) && (modifiers & Qt::KeypadModifier)))
        return commands;
    for (const KeyRow& row : kRows)
        if (std::find(row.keys.begin(), row.keys.end(), key) != row.keys.end() &&
            ModifiersMatch(row.rule, modifiers))
            commands.push_back(row.command);
    return commands;
}

int TableKey(int key, uint32_t nativeScanCode, Qt::KeyboardModifiers modifiers) {
    // X11 key codes are the Linux input codes + 8: KEY_1..KEY_9 are 2..10, KEY_0 is 11.
    if (nativeScanCode >= 10 && nativeScanCode <= 18)
        return Qt::Key_1 + static_cast<int>(nativeScanCode - 10);
    if (nativeScanCode == 19)
        return Qt::Key_0;
    if (nativeScanCode != 0 || !(modifiers & Qt::ShiftModifier))
        return key;
    // Without a key code (synthetic events), the US layout's shifted symbols stand for the
    // digits.
    constexpr std::array<int, 10> kShiftedDigits = {
        Qt::Key_ParenRight, Qt::Key_Exclam,   Qt::Key_At,          Qt::Key_NumberSign,
        Qt::Key_Dollar,     Qt::Key_Percent,  Qt::Key_AsciiCircum, Qt::Key_Ampersand,
        Qt::Key_Asterisk,   Qt::Key_ParenLeft};
    for (int digit = 0; digit < 10; ++digit)
        if (kShiftedDigits[digit] == key)
            return Qt::Key_0 + digit;
    return key;
}

const std::vector<KeyRow>& KeyTable() {
    return kRows;
}

int PointerStepDistance(KeySteps& steps, int zoomFactor) {
    steps.counter = std::min(steps.counter, kMaxSteps) + 1;
    return steps.counter * zoomFactor;
}

QPoint PointerMove(KeyCommand command, KeySteps& steps, int zoomFactor) {
    switch (command) {
    case PointerStepLeft:
        return {-PointerStepDistance(steps, zoomFactor), 0};
    case PointerStepRight:
        return {PointerStepDistance(steps, zoomFactor), 0};
    case PointerStepDown:
        return {0, PointerStepDistance(steps, zoomFactor)};
    case PointerStepUp:
        return {0, -PointerStepDistance(steps, zoomFactor)};
    case PointerPixelLeft:
        return {-1, 0};
    case PointerPixelRight:
        return {1, 0};
    case PointerPixelDown:
        return {0, 1};
    case PointerPixelUp:
        return {0, -1};
    default:
        return {};
    }
}

void KeyReleased(KeySteps& steps, int key, uint64_t timestamp, bool autoRepeat) {
    if (autoRepeat)
        return;
    steps.releasedKey = key;
    steps.releaseTime = timestamp;
    steps.counterBeforeRelease = steps.counter;
    steps.counter = 0;
}

void KeyPressed(KeySteps& steps, int key, uint64_t timestamp) {
    if (timestamp != 0 && key == steps.releasedKey && timestamp == steps.releaseTime)
        steps.counter = steps.counterBeforeRelease;
    steps.releasedKey = 0;
    steps.releaseTime = 0;
}
