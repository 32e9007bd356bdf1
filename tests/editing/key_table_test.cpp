#include "editing/key_table.h"

#include <gtest/gtest.h>

namespace {

using Commands = std::vector<KeyCommand>;

TEST(KeyTable, ModifierConditionsOfTheWindowKeys) {
    EXPECT_EQ(CommandsForKey(Qt::Key_C, Qt::NoModifier), Commands{KeyCommand::TogglePalette});
    EXPECT_TRUE(CommandsForKey(Qt::Key_C, Qt::ControlModifier).empty());
    EXPECT_TRUE(CommandsForKey(Qt::Key_C, Qt::AltModifier).empty());
    EXPECT_TRUE(CommandsForKey(Qt::Key_C, Qt::ShiftModifier).empty());
    EXPECT_EQ(CommandsForKey(Qt::Key_V, Qt::NoModifier), Commands{KeyCommand::TogglePreview});
    EXPECT_EQ(CommandsForKey(Qt::Key_F12, Qt::ShiftModifier), Commands{KeyCommand::TogglePreview});
    EXPECT_EQ(CommandsForKey(Qt::Key_V, Qt::AltModifier), Commands{KeyCommand::ToggleZoomPreview});
    EXPECT_EQ(CommandsForKey(Qt::Key_G, Qt::ShiftModifier | Qt::AltModifier),
              Commands{KeyCommand::ToggleCharGrid});
    EXPECT_TRUE(CommandsForKey(Qt::Key_H, Qt::ControlModifier).empty());
}

TEST(KeyTable, OnePressRunsEveryMatchingRowInOrder) {
    EXPECT_EQ(CommandsForKey(Qt::Key_Up, Qt::ControlModifier),
              (Commands{KeyCommand::ZoomSelectorUp, KeyCommand::RefreshView}));
    EXPECT_EQ(CommandsForKey(Qt::Key_Right, Qt::NoModifier), Commands{KeyCommand::RefreshView});
    EXPECT_TRUE(CommandsForKey(Qt::Key_Left, Qt::NoModifier).empty());
    EXPECT_TRUE(CommandsForKey(0, Qt::NoModifier).empty());
}

} // namespace
