// SPDX-License-Identifier: GPL-3.0-or-later
// menu_keys TITLE ITEM [SUBITEM]: prints the title's place in the menu bar (1 is the first)
// and the keys that reach the item once that menu is open, read from the program's own
// main window built offscreen, so that the end-to-end scripts never count items.
#include "shell/main_window.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>

#include <cstdio>

namespace {

// A caption as the user reads it: without the shortcut column or mnemonic marks.
QString Caption(const QAction* action) {
    return action->text().section(QLatin1Char('\t'), 0, 0).remove(QLatin1Char('&')).trimmed();
}

// The keys step over separators, hidden items and (in the styles of this platform) disabled
// ones; an item is looked up as a freshly started window has it.
QAction* Find(const QList<QAction*>& actions, const QString& caption, int* place) {
    const bool disabledCount =
        QApplication::style()->styleHint(QStyle::SH_Menu_AllowActiveAndDisabled) != 0;
    *place = 0;
    for (QAction* action : actions) {
        if (action->isSeparator() || !action->isVisible() ||
            !(action->isEnabled() || disabledCount))
            continue;
        ++*place;
        if (Caption(action) == caption.trimmed())
            return action;
    }
    return nullptr;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: menu_keys TITLE ITEM [SUBITEM]\n");
        return 2;
    }
    MainWindow window{QStringList{}};
    int title = 0;
    QAction* menu = Find(window.menuBar()->actions(), QString::fromUtf8(argv[1]), &title);
    QString keys;
    for (int level = 2; level < argc; ++level) {
        if (menu == nullptr || menu->menu() == nullptr)
            break;
        int place = 0;
        QAction* item = Find(menu->menu()->actions(), QString::fromUtf8(argv[level]), &place);
        if (item == nullptr) {
            menu = nullptr;
            break;
        }
        // A menu opened by a click has no active item, so the first Down reaches the first
        // item; a submenu opened with Right starts on its first item.
        if (level > 2)
            keys += QStringLiteral(" Right");
        for (int i = level == 2 ? 0 : 1; i < place; ++i)
            keys += QStringLiteral(" Down");
        menu = item;
    }
    if (menu == nullptr) {
        std::fprintf(stderr, "menu_keys: no such menu item\n");
        return 1;
    }
    // Out before anything at exit (a sanitizer's leak report) can end the process.
    std::printf("%d%s\n", title, qPrintable(keys));
    std::fflush(stdout);
    return 0;
}
