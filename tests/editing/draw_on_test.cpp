// SPDX-License-Identifier: GPL-3.0-or-later
#include "editing/draw_on.h"
#include "editing/picture_mouse.h"
#include "editing/undo.h"
#include "support/test_pictures.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// Every edit that writes the planes, run with each one-screen choice: the chosen screen
// changes, the other keeps every byte.
TEST(DrawOn, EveryEditWritesOnlyTheChosenScreen) {
    using Edit = std::function<void(EditorState&)>;
    const auto stroke = [](InstrumentKind instrument) {
        return [instrument](EditorState& state) {
            state.Drawing.Instrument = instrument;
            PictureMouseDown(state, {QPoint(20, 20), true, false, false});
            PictureMouseMove(state, {QPoint(300, 90), true, false, false});
        };
    };
    const std::pair<const char*, Edit> edits[] = {
        {"pencil", stroke(InstrumentKind::Paint)},
        {"fill char", stroke(InstrumentKind::FillChar)},
        {"delete",
         [](EditorState& state) {
             state.Selection.exists = true;
             state.Selection.w = state.Selection.h = 3;
             const OtherScreenGuard keep(state.Picture, state.Drawing.DrawScreen);
             DeleteSelection(state.Picture, state.Selection, {1, 2}, {3, 4}, 2);
         }},
        {"paste",
         [](EditorState& state) {
             state.Selection.copy = RandomPicture(8, 99);
             state.Selection.copyW = state.Selection.copyH = 4;
             const OtherScreenGuard keep(state.Picture, state.Drawing.DrawScreen);
             Paste(state.Selection, state.Picture, {}, true, QPoint(40, 40), 4);
         }},
    };
    for (const auto& [name, edit] : edits)
        for (DrawOn on : {DrawOn::Screen0, DrawOn::Screen1}) {
            EditorState state;
            state.Picture = RandomPicture(8, 5);
            state.Drawing.CurrentCharColor = 1;
            state.Drawing.CurrentAttr = {9, 10, 11, 12};
            state.Drawing.DrawScreen = on;
            const MgsImage before = state.Picture;
            edit(state);
            const int drawn = on == DrawOn::Screen0 ? 0 : 1, other = 1 - drawn;
            EXPECT_EQ(state.Picture.PixelPlane[other], before.PixelPlane[other]) << name;
            EXPECT_EQ(state.Picture.AttrPlane[other], before.AttrPlane[other]) << name;
            EXPECT_NE(Planes(state.Picture), Planes(before)) << name << " drew nothing";
        }
}

// A step that would change only the other screen is no edit: the undo copy of the edit
// before it stays.
TEST(DrawOn, AStepThatChangesOnlyTheOtherScreenKeepsTheUndoCopy) {
    EditorState state;
    state.Drawing.RgbMode = false;
    state.Drawing.CurrentCharColor = 1; // P0+I1: sets only screen 1's bit on a blank picture
    state.Drawing.DrawScreen = DrawOn::Screen0;
    const UndoSnapshot held = state.Undo;
    PictureMouseDown(state, {QPoint(20, 20), true, false, false});
    EXPECT_EQ(state.Undo.Generation, held.Generation);
    EXPECT_FALSE(state.Undo.Held);
}

} // namespace
