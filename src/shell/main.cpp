// SPDX-License-Identifier: GPL-3.0-or-later
// tileSmith: a ZX Spectrum MultiGigaScreen picture editor.
#include "shell/main_window.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tileSmith"));
    QApplication::setDesktopFileName(QStringLiteral("tilesmith"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/tilesmith.png")));
    MainWindow window(QApplication::arguments().mid(1));
    window.show();
    return QApplication::exec();
}
