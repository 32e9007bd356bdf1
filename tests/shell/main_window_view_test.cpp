// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's captions that must agree with what they stand for: the swatches' hints
// and the keys the menus show.
#include "editing/key_table.h"
#include "support/main_window_fixture.h"
#include "support/widgets.h"

#include <QAction>
#include <QLabel>

namespace {

using MainWindowView = ShownMainWindow;

TEST_F(MainWindowView, SwatchHintsMatchTheirLabels) {
    // "P0+I1" and "PAP0+INK1" are paper 0 with ink 1: the hint names the same.
    for (int n = 0; n < 4; ++n) {
        for (auto [label, swatch] : {std::pair{n + 1, QStringLiteral("Pal4Color%1")},
                                     {n + 7, QStringLiteral("CharPal_SelectedColor%1")}}) {
            QString expected =
                Child<QLabel>(window, QStringLiteral("Label%1").arg(label).toLatin1().constData())
                    ->text();
            if (expected.size() < 6) // the toolbar's short form
                expected.replace('P', "PAP").replace('I', "INK");
            expected.replace('+', " + ");
            EXPECT_TRUE(Child<QWidget>(window, swatch.arg(n).toLatin1().constData())
                            ->toolTip()
                            .startsWith(expected))
                << expected.toStdString();
        }
    }
}

// A shortcut of its own would run a command a second time beside the key table.
TEST_F(MainWindowView, MenusShowKeysTheKeyTableActsOnWithoutShortcuts) {
    int shown = 0;
    for (const QAction* action : window.findChildren<QAction*>()) {
        EXPECT_TRUE(action->shortcut().isEmpty()) << action->text().toStdString();
        const qsizetype tab = action->text().indexOf('\t');
        if (tab < 0)
            continue;
        ++shown;
        const QKeyCombination key = QKeySequence(action->text().mid(tab + 1))[0];
        EXPECT_FALSE(CommandsForKey(key.key(), key.keyboardModifiers()).empty())
            << action->text().toStdString();
    }
    EXPECT_GE(shown, 18);
}

} // namespace
