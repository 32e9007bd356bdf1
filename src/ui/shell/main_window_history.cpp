// SPDX-License-Identifier: GPL-3.0-or-later
// The undo history beside the one-level swap: every edit that takes the undo copy leaves a
// named entry; the History window lists them newest first, and a click or a step key makes
// an entry's picture the picture again, as one edit that Ctrl+Z swaps straight back.
#include "shell/main_window.h"

#include "colour/corrector.h"
#include "editing/undo.h"
#include "shell/floating_window.h"

#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QVBoxLayout>

namespace {

QListWidget* HistoryList(const QWidget* panel) {
    return panel->findChild<QListWidget*>(QStringLiteral("List_History"));
}

} // namespace

void MainWindow::CreateHistoryWindow() {
    FloatingWindow* panel = Panel(QStringLiteral("Panel_History"));
    auto* list = new QListWidget(panel);
    list->setObjectName("List_History");
    list->setIconSize(QSize(64, 48));
    list->setSpacing(1);
    list->setGeometry(panel->ContentRect().adjusted(2, 2, -2, -2));
    connect(list, &QListWidget::itemClicked, this, [this, list](QListWidgetItem* item) {
        JumpToHistory(state_.History.Count() - 1 - list->row(item));
    });
    connect(panel, &FloatingWindow::VisibilityToggled, this, [this](bool visible) {
        if (visible)
            UpdateHistoryWindow();
    });

    QMenu* edit = menuBar()->findChild<QMenu*>(QStringLiteral("Edit1"));
    edit->addSeparator();
    QAction* show = edit->addAction(QString::fromUtf8("History…"));
    show->setObjectName("History1");
    connect(show, &QAction::triggered, this, [this, panel] {
        PlaceWindowsOnFirstUse();
        panel->ToggleVisible(); // brings the list up to date as it shows
    });
}

bool MainWindow::RecordEdit(const QString& name, const MgsImage& before) {
    if (!TakeSnapshot(before, state_.Picture, state_.Undo))
        return false;
    NoteEdit(name, before);
    return true;
}

void MainWindow::NoteEdit(const QString& name, const MgsImage& before) {
    state_.History.BeginEdit(name, QDateTime::currentDateTime(), before);
    UpdateHistoryWindow();
}

void MainWindow::ClearHistory() {
    state_.History.Clear();
    UpdateHistoryWindow();
}

void MainWindow::JumpToHistory(int index) {
    UndoHistory& history = state_.History;
    if (index < 0 || index >= history.Count())
        return;
    history.Settle(state_.Picture);
    const MgsImage target = history.PictureAt(index);
    const MgsImage before = state_.Picture;
    state_.Picture = target;
    TakeSnapshot(before, state_.Picture, state_.Undo);
    history.SetPosition(index);
    ClampCorrectorRange(state_.CorrectorRange, target.CharHeight);
    SetBorderPreviewColour(BorderMix(target.BorderPair[0], target.BorderPair[1]));
    RefreshView(true);
    UpdateZoomPreview();
    UpdateHistoryWindow();
}

void MainWindow::StepHistory(int delta) {
    if (state_.History.Count() > 0)
        JumpToHistory(state_.History.Position() + delta);
}

void MainWindow::UpdateHistoryWindow() {
    FloatingWindow* panel = Panel(QStringLiteral("Panel_History"));
    if (!panel->isVisible())
        return;
    UndoHistory& history = state_.History;
    history.Refresh(state_.Picture);
    QListWidget* list = HistoryList(panel);
    // Entries come and go only at the ends; within one edit only the newest one changes.
    if (history.Serial() != shownHistorySerial_ || list->count() != history.Count()) {
        shownHistorySerial_ = history.Serial();
        list->clear();
        for (int k = history.Count() - 1; k >= 0; --k) {
            const HistoryEntry& entry = history.Entry(k);
            list->addItem(new QListWidgetItem(QIcon(QPixmap::fromImage(history.Thumbnail(k))),
                                              entry.Name + QLatin1Char('\n') +
                                                  entry.Time.toString(QStringLiteral("HH:mm:ss"))));
        }
    } else if (history.Count() > 0) {
        list->item(0)->setIcon(QIcon(QPixmap::fromImage(history.Thumbnail(history.Count() - 1))));
    }
    if (history.Position() >= 0)
        list->setCurrentRow(history.Count() - 1 - history.Position());
}
