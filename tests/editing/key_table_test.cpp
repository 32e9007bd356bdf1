// SPDX-License-Identifier: GPL-3.0-or-later
#include "editing/key_table.h"

#include <gtest/gtest.h>

namespace {

using Commands = std::vector<KeyCommand>;
using enum KeyCommand;
constexpr auto kCtrl = Qt::ControlModifier;
constexpr auto kAlt = Qt::AltModifier;
constexpr auto kShift = Qt::ShiftModifier;

TEST(KeyTable, ModifierConditionsOfTheWindowKeys) {
    EXPECT_EQ(CommandsForKey(Qt::Key_V, Qt::NoModifier), Commands{TogglePreview});
    EXPECT_EQ(CommandsForKey(Qt::Key_F12, kShift), Commands{TogglePreview});
    EXPECT_TRUE(CommandsForKey(Qt::Key_F12, kAlt).empty());
    EXPECT_EQ(CommandsForKey(Qt::Key_V, kAlt), Commands{ToggleZoomPreview});
    EXPECT_EQ(CommandsForKey(Qt::Key_G, kShift | kAlt), Commands{ToggleCharGrid});
    EXPECT_TRUE(CommandsForKey(Qt::Key_H, kCtrl).empty());
    EXPECT_EQ(CommandsForKey(Qt::Key_Right, Qt::NoModifier), Commands{RefreshView});
    EXPECT_TRUE(CommandsForKey(Qt::Key_Left, Qt::NoModifier).empty());
    EXPECT_TRUE(CommandsForKey(0, Qt::NoModifier).empty());
}

TEST(KeyTable, LettersThatAlsoMoveThePointerOrAlsoHaveACtrlMeaning) {
    EXPECT_EQ(CommandsForKey(Qt::Key_P, Qt::NoModifier), (Commands{SelectPaint, PointerStepRight}));
    EXPECT_EQ(CommandsForKey(Qt::Key_P, kShift | kAlt), (Commands{SelectPaint, PointerStepRight}));
    EXPECT_TRUE(CommandsForKey(Qt::Key_P, kCtrl).empty());
    EXPECT_EQ(CommandsForKey(Qt::Key_S, Qt::NoModifier), Commands{SelectSelect});
    EXPECT_EQ(CommandsForKey(Qt::Key_S, kCtrl), Commands{SaveMgs});
    EXPECT_EQ(CommandsForKey(Qt::Key_O, Qt::NoModifier), Commands{PointerStepLeft});
    EXPECT_EQ(CommandsForKey(Qt::Key_O, kCtrl), Commands{OpenMgs});
    EXPECT_EQ(CommandsForKey(Qt::Key_A, Qt::NoModifier), Commands{PointerStepDown});
    EXPECT_EQ(CommandsForKey(Qt::Key_A, kCtrl | kShift), Commands{SelectAll});
    EXPECT_EQ(CommandsForKey(Qt::Key_Escape, kCtrl), (Commands{EndShape, RemoveSelection}));
    EXPECT_EQ(CommandsForKey(Qt::Key_D, kCtrl), Commands{RemoveSelection});
    EXPECT_TRUE(CommandsForKey(Qt::Key_D, Qt::NoModifier).empty());
    EXPECT_EQ(CommandsForKey(Qt::Key_X, kCtrl | kShift), Commands{ToggleCorrector});
    EXPECT_TRUE(CommandsForKey(Qt::Key_X, kAlt).empty());
    EXPECT_EQ(CommandsForKey(Qt::Key_Z, kCtrl | kAlt), Commands{SwapUndo});
    EXPECT_EQ(CommandsForKey(Qt::Key_Delete, kShift), Commands{Delete});
}

TEST(KeyTable, TheFiveMeaningsOfC) {
    EXPECT_EQ(CommandsForKey(Qt::Key_C, Qt::NoModifier), Commands{TogglePalette});
    EXPECT_EQ(CommandsForKey(Qt::Key_C, kCtrl), Commands{Copy});
    EXPECT_EQ(CommandsForKey(Qt::Key_C, kCtrl | kShift), Commands{CopyAsPicture});
    EXPECT_EQ(CommandsForKey(Qt::Key_C, kCtrl | kAlt | kShift), Commands{CopyBothScreensAsText});
    EXPECT_EQ(CommandsForKey(Qt::Key_C, kAlt), Commands{CopyScreen0AsText});
    EXPECT_TRUE(CommandsForKey(Qt::Key_C, kCtrl | kAlt).empty());
    EXPECT_TRUE(CommandsForKey(Qt::Key_C, kAlt | kShift).empty());
    EXPECT_TRUE(CommandsForKey(Qt::Key_C, kShift).empty());
}

TEST(KeyTable, VAndTheArrows) {
    EXPECT_EQ(CommandsForKey(Qt::Key_V, kCtrl), Commands{Paste});
    EXPECT_EQ(CommandsForKey(Qt::Key_V, kCtrl | kAlt), (Commands{Paste, ToggleZoomPreview}));
    EXPECT_EQ(CommandsForKey(Qt::Key_V, kShift), Commands{TogglePreview});
    EXPECT_EQ(CommandsForKey(Qt::Key_Up, kCtrl), (Commands{ZoomSelectorUp, RollUp, RefreshView}));
    EXPECT_EQ(CommandsForKey(Qt::Key_Up, kCtrl | kShift), (Commands{ZoomSelectorUp, RefreshView}));
    EXPECT_EQ(CommandsForKey(Qt::Key_Down, kShift),
              (Commands{ZoomSelectorDown, FlipVertical, RefreshView}));
    EXPECT_EQ(CommandsForKey(Qt::Key_Left, kShift), Commands{FlipHorizontal});
    EXPECT_EQ(CommandsForKey(Qt::Key_Left, kCtrl | kAlt), Commands{RollLeft});
    EXPECT_EQ(CommandsForKey(Qt::Key_Right, kShift | kAlt),
              (Commands{FlipHorizontal, RefreshView}));
}

TEST(KeyTable, DigitsPickColoursWhateverTheModifiersAndMoveThePointer) {
    EXPECT_EQ(CommandsForKey(Qt::Key_3, kShift), Commands{CharColor2});
    EXPECT_EQ(CommandsForKey(Qt::Key_1, kCtrl | kAlt | kShift), Commands{CharColor0});
    EXPECT_EQ(CommandsForKey(Qt::Key_4, Qt::NoModifier), Commands{CharColor3});
    EXPECT_EQ(CommandsForKey(Qt::Key_5, Qt::NoModifier), Commands{ClickRight});
    EXPECT_EQ(CommandsForKey(Qt::Key_Return, kShift), Commands{ClickRight});
    EXPECT_EQ(CommandsForKey(Qt::Key_0, kAlt), Commands{ClickLeft});
    EXPECT_EQ(CommandsForKey(Qt::Key_6, Qt::NoModifier), Commands{PointerStepLeft});
    EXPECT_EQ(CommandsForKey(Qt::Key_6, kCtrl), Commands{PointerPixelLeft});
    EXPECT_EQ(CommandsForKey(Qt::Key_9, kCtrl | kShift), Commands{PointerPixelUp});
    // The numeric keypad's digits are not the digit keys.
    EXPECT_TRUE(CommandsForKey(Qt::Key_3, Qt::KeypadModifier).empty());
    EXPECT_EQ(CommandsForKey(Qt::Key_Enter, Qt::KeypadModifier), Commands{ClickRight});

    // Shift+3 arrives as "#" on a US layout; the physical key (X11 code 12) says 3.
    EXPECT_EQ(TableKey(Qt::Key_NumberSign, 12), Qt::Key_3);
    EXPECT_EQ(TableKey(Qt::Key_ParenRight, 19), Qt::Key_0);
    EXPECT_EQ(TableKey(Qt::Key_Exclam, 10), Qt::Key_1);
    EXPECT_EQ(TableKey(Qt::Key_P, 33), Qt::Key_P);
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
