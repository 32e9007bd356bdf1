// SPDX-License-Identifier: GPL-3.0-or-later
// The README's table of keys is the program's own key table: every row, key and modifier
// condition, in order. When the table changes, this test prints the table to paste.
#include "editing/key_table.h"

#include <QFile>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <map>

namespace {

QString KeyName(int key) {
    static const std::map<int, QString> names = {
        {Qt::Key_Escape, "Esc"},   {Qt::Key_Up, "Up"},
        {Qt::Key_Down, "Down"},    {Qt::Key_Left, "Left"},
        {Qt::Key_Right, "Right"},  {Qt::Key_Space, "Space"},
        {Qt::Key_Return, "Enter"}, {Qt::Key_Enter, "keypad Enter"},
        {Qt::Key_Delete, "Del"},   {Qt::Key_F12, "F12"},
        {Qt::Key_F2, "F2"},        {Qt::Key_F3, "F3"},
        {Qt::Key_F4, "F4"},        {Qt::Key_F5, "F5"},
        {Qt::Key_F6, "F6"},        {Qt::Key_F7, "F7"},
        {Qt::Key_F8, "F8"},        {Qt::Key_F9, "F9"},
    };
    const auto it = names.find(key);
    if (it != names.end())
        return it->second;
    return QString(QChar(key)); // letters and digits
}

QString RuleText(ModifierRule rule) {
    switch (rule) {
    case ModifierRule::Any:
        return "any";
    case ModifierRule::NoCtrl:
        return "no Ctrl";
    case ModifierRule::NoAlt:
        return "no Alt";
    case ModifierRule::NoCtrlNoAlt:
        return "no Ctrl, no Alt";
    case ModifierRule::NoCtrlNoAltNoShift:
        return "no Ctrl, no Alt, no Shift";
    case ModifierRule::Ctrl:
        return "Ctrl";
    case ModifierRule::CtrlNoShift:
        return "Ctrl, no Shift";
    case ModifierRule::CtrlNoAltNoShift:
        return "Ctrl, no Alt, no Shift";
    case ModifierRule::CtrlShiftNoAlt:
        return "Ctrl+Shift, no Alt";
    case ModifierRule::CtrlAltShift:
        return "Ctrl+Alt+Shift";
    case ModifierRule::Alt:
        return "Alt";
    case ModifierRule::AltNoCtrlNoShift:
        return "Alt, no Ctrl, no Shift";
    case ModifierRule::AltShiftNoCtrl:
        return "Alt+Shift, no Ctrl";
    case ModifierRule::ShiftNoCtrl:
        return "Shift, no Ctrl";
    }
    return {};
}

QString Action(KeyCommand command) {
    using enum KeyCommand;
    static const std::map<KeyCommand, QString> actions = {
        {SelectPaint, "pencil"},
        {SelectFillChar, "fill char"},
        {SelectSelect, "selection tool"},
        {SelectLine, "line (polyline)"},
        {SelectRect, "rectangle"},
        {EndShape, "end a polyline or rectangle without drawing it"},
        {RemoveSelection, "remove the selection"},
        {ZoomSelectorUp, "Preview window shown: zoom selector 8 → 12 → 16"},
        {ZoomSelectorDown, "Preview window shown: zoom selector 16 → 12 → 8"},
        {PointerStepLeft, "pointer left, 1 to 6 picture pixels as the key repeats"},
        {PointerStepRight, "pointer right, 1 to 6 picture pixels as the key repeats"},
        {PointerStepDown, "pointer down, 1 to 6 picture pixels as the key repeats"},
        {PointerStepUp, "pointer up, 1 to 6 picture pixels as the key repeats"},
        {ClickLeft, "left click at the pointer"},
        {ClickRight, "right click at the pointer"},
        {PointerPixelLeft, "pointer one screen pixel left"},
        {PointerPixelRight, "pointer one screen pixel right"},
        {PointerPixelDown, "pointer one screen pixel down"},
        {PointerPixelUp, "pointer one screen pixel up"},
        {Delete, "fill the selection with the current colours"},
        {Copy, "copy the selection (the cell under the pointer when none)"},
        {CopyAsPicture, "copy the selection as a picture"},
        {CopyBothScreensAsText, "copy both screens' pixel bytes as assembler text"},
        {CopyScreen0AsText, "copy screen 0's pixel bytes as assembler text"},
        {Paste, "paste at the cell under the pointer"},
        {RollLeft, "roll the selection's pixels left"},
        {RollRight, "roll the selection's pixels right"},
        {RollUp, "roll the selection's pixels up"},
        {RollDown, "roll the selection's pixels down"},
        {FlipHorizontal, "flip the selection horizontally"},
        {FlipVertical, "flip the selection vertically"},
        {SwapUndo, "undo; again to redo"},
        {CharColor0, "char colour P0+P1"},
        {CharColor1, "char colour P0+I1"},
        {CharColor2, "char colour I0+P1"},
        {CharColor3, "char colour I0+I1"},
        {TogglePalette, "Full Palette window"},
        {TogglePreview, "Preview window"},
        {ToggleZoomPreview, "Preview Zoom window"},
        {ToggleBorder, "Border Palette window"},
        {ToggleCharGrid, "char grid"},
        {TogglePixelGrid, "pixel grid"},
        {TogglePixMode, "PIX switch"},
        {ToggleRgbMode, "RGB switch"},
        {ToggleCorrector, "Color Corrector window"},
        {RefreshView, "redraw the picture view"},
        {SaveMgs, "save as .mgs"},
        {OpenMgs, "open a .mgs"},
        {SelectAll, "select the whole picture"},
        {Quit, "quit (asks about unsaved changes first)"},
        {ViewMix, "view the mix (as the eye sees the picture)"},
        {ViewScreen0, "view screen 0 alone"},
        {ViewScreen1, "view screen 1 alone"},
        {ViewFlicker, "view the two screens alternating at 50 Hz"},
        {ViewInterlace, "view even rows of screen 0, odd rows of screen 1"},
        {DrawOnBoth, "draw on both screens"},
        {DrawOnScreen0, "draw on screen 0 only"},
        {DrawOnScreen1, "draw on screen 1 only"},
        {HistoryBack, "history: back to the previous entry"},
        {HistoryForward, "history: forward to the next entry"},
    };
    const auto it = actions.find(command);
    return it == actions.end() ? QString("(no description)") : it->second;
}

QString ExpectedTable() {
    QStringList lines = {"| Key | Modifiers | Action |", "|---|---|---|"};
    for (const KeyRow& row : KeyTable()) {
        QStringList keys;
        for (int key : row.keys)
            if (key != 0)
                keys << KeyName(key);
        lines << QString("| %1 | %2 | %3 |")
                     .arg(keys.join(" or "), RuleText(row.rule), Action(row.command));
    }
    return lines.join('\n') + '\n';
}

TEST(Readme, KeyTableIsTheProgramsOwn) {
    QFile readme(QString::fromUtf8(TILESMITH_SOURCE_DIR "/README.md"));
    ASSERT_TRUE(readme.open(QIODevice::ReadOnly | QIODevice::Text));
    const QString text = QString::fromUtf8(readme.readAll());
    const QString expected = ExpectedTable();
    EXPECT_TRUE(text.contains(expected))
        << "README.md's key table differs from the program's; it should read:\n"
        << expected.toStdString();
}

} // namespace
