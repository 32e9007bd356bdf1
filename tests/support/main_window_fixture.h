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

// Records what was asked; the file dialogs answer from their lists (none left is Cancel).
class FakeDialogs : public UserDialogs {
public:
    void ShowError(QWidget*, const QString& text) override { errors.append(text); }
    QString ChooseOpenFile(QWidget*, const QString&, const FileDialogMemory&) override {
        return openAnswers.isEmpty() ? QString() : openAnswers.takeFirst();
    }
    QString ChooseSaveFile(QWidget*, const QString& filter, const FileDialogMemory&) override {
        saveFilters.append(filter);
        return saveAnswers.isEmpty() ? QString() : saveAnswers.takeFirst();
    }
    bool AskYesNo(QWidget*, const QString& question) override {
        yesNoQuestions.append(question);
        return yesNoAnswers.isEmpty() || yesNoAnswers.takeFirst();
    }
    SaveChangesAnswer AskSaveChanges(QWidget*, const QString& fileName) override {
        questions.append(fileName);
        return closeAnswer;
    }
    RestoreAnswer AskRestore(QWidget*, const QString&, const QDateTime&) override {
        return RestoreAnswer::Later;
    }
    int ChooseItem(QWidget*, const QString&, const QStringList&) override { return itemAnswer; }

    int itemAnswer = -1; // Cancel
    QStringList errors, saveFilters, questions, yesNoQuestions;
    QList<bool> yesNoAnswers; // none left is Yes
    QStringList openAnswers, saveAnswers;
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
