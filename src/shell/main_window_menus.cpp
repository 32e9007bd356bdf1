// SPDX-License-Identifier: GPL-3.0-or-later
// The menu bar. Captions are the program's own texts; shortcuts written in them act
// through the key table, never through menu accelerators.
#include "shell/main_window.h"

#include <QMenu>
#include <QMenuBar>

namespace {

struct HeightItem {
    const char* name;
    const char* caption;
    int charHeight;
};

constexpr HeightItem kNewItems[] = {
    {"N8x8StandartGigascreen1", "8x8 Standart Gigascreen", 8},
    {"N4x81", "8x4 MultiGigaScreen", 4},
    {"N3x81", "8x2 MultiGigaScreen", 2},
    {"N1x81", "8x1 MultiGigaScreen", 1},
};

constexpr HeightItem kConvertItems[] = {
    {"Convertto8x8", "Convert to 8x8", 8},
    {"Convertto8x4", "Convert to 8x4", 4},
    {"Convertto8x2", "Convert to 8x2", 2},
    {"Convertto8x1", "Convert to 8x1", 1},
};

} // namespace

void MainWindow::CreateMenus() {
    QMenuBar* bar = menuBar();
    QMenu* file = bar->addMenu(QStringLiteral("File"));
    file->setObjectName("File1");

    QMenu* newMenu = file->addMenu(QStringLiteral("New"));
    newMenu->setObjectName("CreateNew1");
    for (const HeightItem& item : kNewItems) {
        QAction* action = newMenu->addAction(QString::fromLatin1(item.caption));
        action->setObjectName(QString::fromLatin1(item.name));
        const int height = item.charHeight;
        connect(action, &QAction::triggered, this, [this, height] { NewPicture(height); });
    }

    QMenu* convertMenu = file->addMenu(QStringLiteral("Change char size"));
    convertMenu->setObjectName("Changevertical1");
    for (const HeightItem& item : kConvertItems) {
        QAction* action = convertMenu->addAction(QString::fromLatin1(item.caption));
        action->setObjectName(QString::fromLatin1(item.name));
        const int height = item.charHeight;
        connect(action, &QAction::triggered, this, [this, height] { ConvertCharHeight(height); });
    }
    AddFileMenuItems(file);

    file->addSeparator();
    QAction* positions = file->addAction(QStringLiteral("Save windows positions"));
    positions->setObjectName("Savewindowspositions1");
    connect(positions, &QAction::triggered, this, &MainWindow::SaveWindowPositions);

    QMenu* edit = bar->addMenu(QStringLiteral("Edit"));
    edit->setObjectName("Edit1");
    FillEditMenu(edit);
    CreateViewMenu();
    QMenu* corrector = bar->addMenu(QStringLiteral(" Color Corrector"));
    corrector->setObjectName("ColorCorrector1");
    QAction* showHide = corrector->addAction(QStringLiteral("Show/Hide"));
    showHide->setObjectName("ShowHide1");
    connect(showHide, &QAction::triggered, this, &MainWindow::ToggleCorrector);
    corrector->addSeparator();
    QAction* about = bar->addAction(QStringLiteral("About"));
    about->setObjectName("About1");
    connect(about, &QAction::triggered, this, &MainWindow::ToggleAbout);
}
