// SPDX-License-Identifier: GPL-3.0-or-later
// tileSmith: a ZX Spectrum MultiGigaScreen picture editor.
#include "formats/file_io.h"
#include "formats/picture_formats.h"
#include "program_info.h"
#include "shell/main_window.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>
#include <cstring>

namespace {

constexpr char kHelp[] =
    "Usage: tilesmith [FILE]\n"
    "       tilesmith --help | --version\n"
    "\n"
    "A picture editor for ZX Spectrum gigascreen and MultiGigaScreen pictures.\n"
    "FILE, when given, is opened as a picture; its extension chooses the reader:\n"
    " %1\n"
    "A file whose name starts with \"-\" is given as ./-name. Qt's own options, such as\n"
    "-platform NAME, are accepted as well.\n"
    "\n"
    "Options:\n"
    "  --help     show this text\n"
    "  --version  show the version and the licence\n"
    "\n"
    "See tilesmith(1) for the keys, and tilesmith-convert(1) for the command-line converter.\n";

} // namespace

int main(int argc, char** argv) {
    // Answered before the application starts, so that they work without a display.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            QString extensions;
            for (const PictureFormat& format : PictureFormats)
                extensions += QLatin1Char(' ') + ExtensionText(format);
            std::fputs(QString::fromLatin1(kHelp).arg(extensions).toLocal8Bit().constData(),
                       stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::fputs(VersionText(QStringLiteral("tilesmith")).toLocal8Bit().constData(), stdout);
            return 0;
        }
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tileSmith"));
    QApplication::setDesktopFileName(QStringLiteral("org.tilesmith.TileSmith"));
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
