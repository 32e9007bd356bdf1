// SPDX-License-Identifier: GPL-3.0-or-later
// The widget tests' main window: shown large enough for the whole 1024 x 768 view at zoom
// level 1, with dialogs that answer from a script instead of a person.
#pragma once

#include "display/picture_view.h"
#include "picture/colour.h"
#include "shell/main_window.h"
#include "shell/user_dialogs.h"

#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

// Records what was asked; the file dialogs answer from their lists (none left is Cancel).
class FakeDialogs : public UserDialogs {
public:
    void ShowError(QWidget*, const QString& text) override { errors.append(text); }
    QString ChooseOpenFile(QWidget*, const QString& filter,
                           const FileDialogMemory& memory) override {
        openFilters.append(filter);
        openStarts.push_back(memory);
        return openAnswers.isEmpty() ? QString() : openAnswers.takeFirst();
    }
    QString ChooseSaveFile(QWidget*, const QString& filter,
                           const FileDialogMemory& memory) override {
        saveFilters.append(filter);
        saveStarts.push_back(memory);
        return saveAnswers.isEmpty() ? QString() : saveAnswers.takeFirst();
    }
    SaveChangesAnswer AskSaveChanges(QWidget*, const QString& fileName) override {
        questions.append(fileName);
        return closeAnswer;
    }

    int ChooseItem(QWidget*, const QString&, const QStringList& items) override {
        itemLists.append(items);
        return itemAnswer;
    }

    QList<QStringList> itemLists;
    int itemAnswer = -1; // Cancel
    QStringList errors, openFilters, saveFilters, questions;
    QStringList openAnswers, saveAnswers;
    std::vector<FileDialogMemory> openStarts, saveStarts;
    SaveChangesAnswer closeAnswer = SaveChangesAnswer::Cancel;
};

class ShownMainWindow : public testing::Test {
protected:
    void SetUp() override {
        window.resize(1300, 1000);
        window.show();
        window.ApplyWindowPositions({});
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    void TearDown() override {
        // QTest remembers held buttons across tests; leave none held.
        QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(1, 1));
        QTest::mouseRelease(view, Qt::RightButton, {}, QPoint(1, 1));
    }
    Rgb ViewPixel(QPoint p) { return view->grab(QRect(p, QSize(1, 1))).toImage().pixel(0, 0); }

    std::unique_ptr<FakeDialogs> ownDialogs = std::make_unique<FakeDialogs>();
    FakeDialogs* dialogs = ownDialogs.get();
    MainWindow window{QStringList{}, std::move(ownDialogs)};
    PictureView* view = window.View();
};
