// SPDX-License-Identifier: GPL-3.0-or-later
// The key table's matching, the physical keys of shifted symbols, and the pointer keys'
// acceleration.
#include "editing/key_table.h"

#include <gtest/gtest.h>

namespace {

using Commands = std::vector<KeyCommand>;
using enum KeyCommand;
constexpr auto kCtrl = Qt::ControlModifier;
constexpr auto kAlt = Qt::AltModifier;
constexpr auto kShift = Qt::ShiftModifier;

// How a key and its modifiers are matched: one case for each kind of modifier condition,
// keys with several rows, keys whose meaning changes with Ctrl, and keys no row takes.
TEST(KeyTable, EveryMatchingRowRunsUnderItsModifierCondition) {
    const Qt::KeyboardModifiers none = Qt::NoModifier;
    const struct {
        int key;
        Qt::KeyboardModifiers modifiers;
        Commands commands;
    } cases[] = {
        {Qt::Key_V, none, {TogglePreview}},
        {Qt::Key_F12, kShift, {TogglePreview}},
        {Qt::Key_V, kAlt, {ToggleZoomPreview}},
        {Qt::Key_Right, none, {RefreshView}},
        {0, none, {}},
        {Qt::Key_P, kShift | kAlt, {SelectPaint, PointerStepRight}},
        {Qt::Key_S, kCtrl, {SaveMgs}},
        {Qt::Key_Escape, kCtrl, {EndShape, RemoveSelection}},
        // The five meanings of C, and the combinations that have none.
        {Qt::Key_C, none, {TogglePalette}},
        {Qt::Key_C, kCtrl, {Copy}},
        {Qt::Key_C, kCtrl | kShift, {CopyAsPicture}},
        {Qt::Key_C, kCtrl | kAlt | kShift, {CopyBothScreensAsText}},
        {Qt::Key_C, kAlt, {CopyScreen0AsText}},
        {Qt::Key_C, kCtrl | kAlt, {}},
        {Qt::Key_C, kShift, {}},
        {Qt::Key_V, kCtrl | kAlt, {Paste, ToggleZoomPreview}},
        {Qt::Key_Up, kCtrl, {ZoomSelectorUp, RollUp, RefreshView}},
        {Qt::Key_Down, kShift, {ZoomSelectorDown, FlipVertical, RefreshView}},
        {Qt::Key_Right, kShift | kAlt, {FlipHorizontal, RefreshView}},
        // Digits pick colours whatever the modifiers; the keypad's digits are other keys.
        {Qt::Key_1, kCtrl | kAlt | kShift, {CharColor0}},
        {Qt::Key_0, kAlt, {ClickLeft}},
        {Qt::Key_3, Qt::KeypadModifier, {}},
        {Qt::Key_Enter, Qt::KeypadModifier, {ClickRight}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CommandsForKey(c.key, c.modifiers), c.commands)
            << c.key << " with " << c.modifiers.toInt();
}

TEST(KeyTable, PhysicalKeysOfShiftedSymbols) {
    // Shift+3 arrives as "#" on a US layout; the physical key (X11 code 12) says 3.
    EXPECT_EQ(TableKey(Qt::Key_NumberSign, 12), Qt::Key_3);
    EXPECT_EQ(TableKey(Qt::Key_ParenRight, 19), Qt::Key_0);
    EXPECT_EQ(TableKey(Qt::Key_3, 0), Qt::Key_3); // no native code (offscreen, synthetic)
}

TEST(KeySteps, HoldingAMovementKeyAcceleratesToSixPixelsHoweverRepeatsArrive) {
    // Each repeat arrives as a release and a press: flagged by Qt, or (X11) unflagged with
    // the press's timestamp; a release with another timestamp, or another key, is real.
    struct Case {
        const char* name;
        bool flagged;
        int timeStep;   // between a repeat's release and its press
        int pressedKey; // the key of the press that follows
        std::vector<int> moves;
    };
    const Case cases[] = {
        {"flagged", true, 0, Qt::Key_O, {4, 8, 12, 16, 20, 24, 24, 24}},
        {"same timestamp", false, 0, Qt::Key_O, {4, 8, 12, 16, 20, 24, 24, 24}},
        {"real releases", false, 30, Qt::Key_O, {4, 4, 4, 4, 4, 4, 4, 4}},
        {"another key", false, 0, Qt::Key_6, {4, 4, 4, 4, 4, 4, 4, 4}},
    };
    for (const Case& c : cases) {
        KeySteps steps;
        std::vector<int> moves;
        uint64_t time = 1000;
        for (int press = 0; press < 8; ++press) {
            if (press > 0) {
                KeyReleased(steps, Qt::Key_O, time, c.flagged);
                time += c.timeStep;
                KeyPressed(steps, c.pressedKey, time);
            }
            moves.push_back(-PointerMove(PointerStepLeft, steps, 4).x());
            time += 33;
        }
        EXPECT_EQ(moves, c.moves) << c.name;
    }

    // A real release starts again at one picture pixel, also before any press; an unknown
    // timestamp (0) never makes a repeat; one-pixel moves ignore the counter.
    KeySteps steps;
    PointerMove(PointerStepUp, steps, 16);
    KeyReleased(steps, Qt::Key_Q, 0, false);
    EXPECT_EQ(steps.counter, 0);
    KeyPressed(steps, Qt::Key_Q, 0);
    EXPECT_EQ(PointerMove(PointerStepUp, steps, 16), QPoint(0, -16));
    EXPECT_EQ(PointerMove(PointerPixelDown, steps, 16), QPoint(0, 1));
    EXPECT_EQ(PointerMove(PointerStepDown, steps, 16), QPoint(0, 32));
    EXPECT_EQ(PointerMove(Copy, steps, 16), QPoint());
}

} // namespace
