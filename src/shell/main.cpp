// SPDX-License-Identifier: GPL-3.0-or-later
// tileSmith: a ZX Spectrum MultiGigaScreen picture editor.
#include "formats/file_io.h"
#include "shell/main_window.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tileSmith"));
    QApplication::setDesktopFileName(QStringLiteral("tilesmith"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/tilesmith.png")));
    // QApplication has taken its own options out of argv. The rest are file names, decoded
    // so that they keep every byte (QApplication::arguments() loses bytes that are not
    // UTF-8).
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(DecodeFileName(argv[i]));
    MainWindow window(arguments);
    window.show();
    return QApplication::exec();
}
