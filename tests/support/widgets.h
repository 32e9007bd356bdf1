// SPDX-License-Identifier: GPL-3.0-or-later
// Finding a window's controls and menu items by objectName, as the widget tests do.
#pragma once

#include <QAction>
#include <QObject>
#include <QWidget>

#include <gtest/gtest.h>

template <class T = QWidget>
T* Child(const QObject& parent, const char* name) {
    auto* child = parent.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
}

inline void Trigger(const QObject& parent, const char* name) {
    if (QAction* action = Child<QAction>(parent, name))
        action->trigger();
}
