// SPDX-License-Identifier: GPL-3.0-or-later
// The menu bar. Each item shows its key at the right, as desktop menus do; the key acts
// through the key table, never through a menu accelerator.
#include "shell/main_window.h"

#include "shell/tool_key.h"

#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

#include <functional>

namespace {

struct HeightItem {
    const char* name;
    const char* caption;
    int charHeight;
};

constexpr HeightItem kNewItems[] = {
    {"N8x8StandartGigascreen1", "8x8 Standard Gigascreen", 8},
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

// The char-size items carry a check mark at the picture's current CharHeight, set as the
// menu opens, so every way the height changes (New, Convert, loads, undo) is covered.
void AddHeightItems(QMenu* menu, const HeightItem (&items)[4], std::function<int()> charHeight,
                    QObject* context, std::function<void(int)> run) {
    auto* group = new QActionGroup(menu);
    for (const HeightItem& item : items) {
        QAction* action = menu->addAction(QString::fromLatin1(item.caption));
        action->setObjectName(QString::fromLatin1(item.name));
        action->setCheckable(true);
        action->setData(item.charHeight);
        group->addAction(action);
        const int height = item.charHeight;
        QObject::connect(action, &QAction::triggered, context, [run, height] { run(height); });
    }
    QObject::connect(menu, &QMenu::aboutToShow, context, [group, charHeight] {
        for (QAction* action : group->actions())
            action->setChecked(action->data().toInt() == charHeight());
    });
}

} // namespace

QString MenuCaption(const char* caption, const char* key) {
    // Text after a tab is drawn in the menu's key column; it is not a shortcut.
    QString text = QString::fromUtf8(caption);
    if (key != nullptr && *key != '\0')
        text += QLatin1Char('\t') + QString::fromLatin1(key);
    return text;
}

void MainWindow::CreateMenus() {
    QMenuBar* bar = menuBar();
    QMenu* file = bar->addMenu(QStringLiteral("File"));
    file->setObjectName("File1");

    QMenu* newMenu = file->addMenu(QStringLiteral("New"));
    newMenu->setObjectName("CreateNew1");
    const auto charHeight = [this] { return int{state_.Picture.CharHeight}; };
    AddHeightItems(newMenu, kNewItems, charHeight, this,
                   [this](int height) { NewPicture(height); });
    QMenu* convertMenu = file->addMenu(QStringLiteral("Change char size"));
    convertMenu->setObjectName("Changevertical1");
    AddHeightItems(convertMenu, kConvertItems, charHeight, this,
                   [this](int height) { ConvertCharHeight(height); });
    AddFileMenuItems(file);

    file->addSeparator();
    QAction* positions = file->addAction(QStringLiteral("Save windows positions"));
    positions->setObjectName("Savewindowspositions1");
    connect(positions, &QAction::triggered, this, &MainWindow::SaveWindowPositions);
    file->addSeparator();
    QAction* quit = file->addAction(MenuCaption("Quit", "Ctrl+Q"));
    quit->setObjectName("Quit1");
    connect(quit, &QAction::triggered, this, &QWidget::close);

    QMenu* edit = bar->addMenu(QStringLiteral("Edit"));
    edit->setObjectName("Edit1");
    FillEditMenu(edit);
    CreateViewMenu();

    // The floating windows and grids of the toolbar, for a user who looks in the menus.
    QMenu* windows = bar->addMenu(QStringLiteral("Windows"));
    windows->setObjectName("Windows1");
    const struct {
        const char* name;
        const char* caption;
        const char* key;
        const char* toolKey;
    } windowItems[] = {
        {"FullPalette1", "Full Palette", "C", "KEY_Palette"},
        {"BorderPalette1", "Border Palette", "B", "KEY_BorderPalette"},
        {"PreviewandZoomSelector1", "Preview and Zoom Selector", "V", "KEY_Preview"},
        {"PreviewZoom1", "Preview Zoom", "Alt+V", "KEY_ZoomPreview"},
        {"PerCharGrid1", "PerChar Grid", "G", "Key_Grid"},
        {"PerPixelGrid1", "PerPixel Grid", "H", "Key_zGrid"},
    };
    for (const auto& item : windowItems) {
        if (QString::fromLatin1(item.name) == QLatin1String("PerCharGrid1"))
            windows->addSeparator();
        QAction* action = windows->addAction(MenuCaption(item.caption, item.key));
        action->setObjectName(QString::fromLatin1(item.name));
        ToolKey* key = keys_[QString::fromLatin1(item.toolKey)];
        connect(action, &QAction::triggered, key, &ToolKey::Pressed);
    }

    QMenu* corrector = bar->addMenu(QStringLiteral(" Color Corrector"));
    corrector->setObjectName("ColorCorrector1");
    QAction* showHide = corrector->addAction(MenuCaption("Show/Hide", "X"));
    showHide->setObjectName("ShowHide1");
    connect(showHide, &QAction::triggered, this, &MainWindow::ToggleCorrector);
    corrector->addSeparator();
    QAction* about = bar->addAction(QStringLiteral("About"));
    about->setObjectName("About1");
    connect(about, &QAction::triggered, this, &MainWindow::ToggleAbout);
}
