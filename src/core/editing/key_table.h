// SPDX-License-Identifier: GPL-3.0-or-later
// The keyboard command table: every key the editor acts on, in one place. A press runs
// every row whose key and modifier condition match, in table order. Also the step counter
// of the keys that move the pointer.
#pragma once

#include <QPoint>
#include <Qt>

#include <array>
#include <cstdint>
#include <vector>

enum class KeyCommand {
    SelectPaint, // the instruments
    SelectFillChar,
    SelectSelect,
    SelectLine,
    SelectRect,
    EndShape,          // ends a polyline or rectangle without drawing it
    RemoveSelection,   // the frame goes, the rectangle stays in the record
    ZoomSelectorUp,    // the Preview window's zoom selector factor up by 4
    ZoomSelectorDown,  // and down by 4
    PointerStepLeft,   // the keyboard joystick: steps that grow while the key repeats
    PointerStepRight,  //
    PointerStepDown,   //
    PointerStepUp,     //
    ClickLeft,         // a left button press and release at the pointer
    ClickRight,        // a right button press and release at the pointer
    PointerPixelLeft,  // the pointer by one screen pixel
    PointerPixelRight, //
    PointerPixelDown,  //
    PointerPixelUp,    //
    Delete,
    Copy,
    CopyAsPicture,
    CopyBothScreensAsText,
    CopyScreen0AsText,
    Paste,
    RollLeft, // the selection's pixels by one, with wrap-around
    RollRight,
    RollUp,
    RollDown,
    FlipHorizontal,
    FlipVertical,
    SwapUndo,
    CharColor0, // CurrentCharColor 0..3
    CharColor1,
    CharColor2,
    CharColor3,
    TogglePalette,     // the Full Palette window
    TogglePreview,     // the Preview window
    ToggleZoomPreview, // the Preview Zoom window
    ToggleBorder,      // the Border Palette window
    ToggleCharGrid,
    TogglePixelGrid,
    TogglePixMode,
    ToggleRgbMode,
    ToggleCorrector, // the Color Corrector window
    RefreshView,     // redraw the picture view from the last render
    SaveMgs,         // save the picture as .mgs
    OpenMgs,         // open a .mgs picture
    SelectAll,
    Quit,    // closes the main window, asking about unsaved changes
    ViewMix, // what the picture view and the Preview show
    ViewScreen0,
    ViewScreen1,
    ViewFlicker,
    ViewInterlace,
    DrawOnBoth, // which screen drawing, Fill Char, Paste and Delete write
    DrawOnScreen0,
    DrawOnScreen1,
    HistoryBack,    // the undo history: one entry older
    HistoryForward, // and one entry newer
};

// Which modifiers a row asks for. "No Ctrl" means Ctrl is not held, whatever Shift and Alt
// are; "Ctrl" means Ctrl is held, whatever the others are; a named combination such as
// "Ctrl+Shift, no Alt" means exactly those conditions and says nothing of the rest.
enum class ModifierRule {
    Any,
    NoCtrl,
    NoAlt,
    NoCtrlNoAlt,
    NoCtrlNoAltNoShift,
    Ctrl,
    CtrlNoShift,
    CtrlNoAltNoShift,
    CtrlShiftNoAlt,
    CtrlAltShift,
    Alt,
    AltNoCtrlNoShift,
    AltShiftNoCtrl,
    ShiftNoCtrl,
};

struct KeyRow {
    int number;              // the row's number in the table
    std::array<int, 3> keys; // Qt::Key values, 0 for none
    ModifierRule rule;
    KeyCommand command;
};

bool ModifiersMatch(ModifierRule rule, Qt::KeyboardModifiers modifiers);

// The commands of every matching row, in table order. Digits typed on the numeric keypad
// (which come with Qt::KeypadModifier) match nothing; the keypad's other keys act like
// their main-keyboard twins.
std::vector<KeyCommand> CommandsForKey(int key, Qt::KeyboardModifiers modifiers);

// The key the table knows a press by. The digits of the main row are keys of their own
// whatever the modifiers, but with Shift the platform reports the shifted symbol ("#" for
// Shift+3 on a US layout); the X11 key code of the physical key (10..19 for 1..9 and 0,
// also under Wayland) brings the digit back; without a key code, Shift with a US layout's
// shifted digit symbol does. Other keys pass as they are.
int TableKey(int key, uint32_t nativeScanCode, Qt::KeyboardModifiers modifiers = {});

const std::vector<KeyRow>& KeyTable();

// ---- The keyboard joystick's step counter ------------------------------------------------

struct KeySteps {
    int counter = 0; // counts the repeated presses of a pointer-moving key
    // The last release not marked as a repeat, and the counter it cleared: if the next
    // press turns out to be its repeat, the counter comes back.
    int releasedKey = 0;
    uint64_t releaseTime = 0;
    int counterBeforeRelease = 0;
};

// One press of a pointer-moving key: the counter is held at 5 at most, counts this press,
// and the pointer moves by counter x `zoomFactor` screen pixels, that is by counter
// picture pixels: 1, 2, 3, 4, 5, 6, 6, 6, ... while the key repeats.
int PointerStepDistance(KeySteps& steps, int zoomFactor);

// How far a pointer command moves the pointer in screen pixels (x right, y down): the
// stepping commands use and advance the counter, the one-pixel ones do not. Zero for every
// other command.
QPoint PointerMove(KeyCommand command, KeySteps& steps, int zoomFactor);

// Any key release starts the steps again at 1. The platform reports a key held down as a
// release and a press for every repeat; those releases must not reset the counter, or a
// held key would never move faster than one pixel. Qt marks them auto-repeat, but not
// always under X11, where a repeat is a release followed by a press of the same key with
// the same timestamp: KeyPressed recognises that pair and undoes the reset. A timestamp
// of 0 is unknown and never makes a pair.
void KeyReleased(KeySteps& steps, int key, uint64_t timestamp, bool autoRepeat);
// Every key press, before its commands run.
void KeyPressed(KeySteps& steps, int key, uint64_t timestamp);
