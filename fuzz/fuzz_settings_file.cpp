// SPDX-License-Identifier: GPL-3.0-or-later
// Any settings file: reading it never fails, and the positions it yields stay within what
// the window system can place.
#include "shell/window_positions.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static int argc = 1;
    static char name[] = "fuzz_settings_file";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tilesmith.ini"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    const WindowPositions p = ReadWindowPositions(path);
    for (QPoint point :
         {p.picture.topLeft(), p.palette, p.borderPalette, p.preview, p.zoomPreview, p.corrector})
        if (std::abs(point.x()) > kMaxWindowCoordinate ||
            std::abs(point.y()) > kMaxWindowCoordinate)
            std::abort();
    if (p.picture.width() < 1 || p.picture.height() < 1 ||
        p.picture.width() > kMaxWindowCoordinate || p.picture.height() > kMaxWindowCoordinate)
        std::abort();
    return 0;
}
