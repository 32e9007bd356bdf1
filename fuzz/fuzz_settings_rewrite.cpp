// SPDX-License-Identifier: GPL-3.0-or-later
// The settings file as the editor reads and rewrites it, whatever another program or a user
// left in it: reading never fails and stays in range, the positions written read back as
// written, and the text before the first section keeps its bytes.
#include "formats/file_io.h"
#include "shell/window_positions.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static int argc = 1;
    static char name[] = "fuzz_settings_rewrite";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tilesmith.ini"));
    const QByteArray existing(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    if (!WriteFileBytes(path, existing).isEmpty())
        std::abort();
    const bool readable = SettingsFileProblem(path).isEmpty();
    WindowPositions p = ReadWindowPositions(path);
    if (!readable && !(p == WindowPositions{}))
        std::abort();
    // Something to write that differs from what was read, inside the range read back.
    p.picture.moveTo(p.picture.x() > 0 ? p.picture.x() - 7 : p.picture.x() + 7, p.picture.y() / 2);
    p.pictureFree = !p.pictureFree;
    p.corrector = QPoint(int(size % 1000) - 500, -int(size % 77));
    if (!WriteWindowPositions(path, p).isEmpty())
        std::abort();
    if (!(ReadWindowPositions(path) == p))
        std::abort();
    const FileBytes after = ReadRegularFile(path, 1 << 24);
    // The complete lines before the first section header belong to nobody we know.
    QByteArray preamble;
    for (const QByteArray& line : existing.split('\n')) {
        if (line.trimmed().startsWith('[') || preamble.size() + line.size() >= existing.size())
            break;
        preamble += line + '\n';
    }
    if (!after.Bytes.startsWith(preamble))
        std::abort();
    return 0;
}
