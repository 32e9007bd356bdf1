// SPDX-License-Identifier: GPL-3.0-or-later
// The settings file is read and written by the INI text routines, under one set of rules,
// and only when it is a regular file of a sane size; every byte we do not own is kept.
#include "shell/window_positions.h"

#include "formats/ini_text.h"
#include "formats/picture_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>

namespace {

const QString kSection = QStringLiteral("positions");

int ReadInt(const QByteArray& text, const char* key, int fallback,
            int lowest = -kMaxWindowCoordinate) {
    bool ok = false;
    const int value =
        IniValue(text, kSection, QString::fromLatin1(key)).value_or(QString()).toInt(&ok);
    return ok ? std::clamp(value, lowest, kMaxWindowCoordinate) : fallback;
}

} // namespace

QString SettingsFilePath(const QString& programDir) {
    const QFileInfo dir(programDir);
    if (dir.isDir() && dir.isWritable())
        return QDir(programDir).filePath(QStringLiteral("tilesmith.ini"));
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(config).filePath(QStringLiteral("tilesmith/tilesmith.ini"));
}

QString SettingsFileProblem(const QString& path) {
    const FileBytes file = ReadRegularFile(path, 0);
    if (!file.Found)
        return {};
    if (!file.Error.isEmpty())
        return QStringLiteral("Settings not read: %1").arg(file.Error);
    if (file.Size > kMaxIniFileSize) {
        return QStringLiteral("Settings not read: %1 is larger than %2 KiB; using the defaults")
            .arg(path, QString::number(kMaxIniFileSize / 1024));
    }
    return {};
}

WindowPositions ReadWindowPositions(const QString& path) {
    WindowPositions p;
    // Read with the rules the INI updater writes with, so that what is saved comes back.
    const FileBytes file = ReadRegularFile(path, kMaxIniFileSize);
    if (!file.Error.isEmpty() || file.Size > kMaxIniFileSize)
        return p;
    const QByteArray& settings = file.Bytes;
    p.picture = QRect(ReadInt(settings, "picture_x", p.picture.x()),
                      ReadInt(settings, "picture_y", p.picture.y()),
                      ReadInt(settings, "picture_width", p.picture.width(), kMinPictureWidth),
                      ReadInt(settings, "picture_height", p.picture.height(), kMinPictureHeight));
    p.pictureFree = ReadInt(settings, "picture_align", 0) != 0;
    auto point = [&](const char* x, const char* y, QPoint fallback) {
        return QPoint(ReadInt(settings, x, fallback.x()), ReadInt(settings, y, fallback.y()));
    };
    p.palette = point("palette_x", "palette_y", p.palette);
    p.borderPalette = point("borderpal_x", "borderpal_y", p.borderPalette);
    p.preview = point("preview_x", "preview_y", p.preview);
    p.zoomPreview = point("zoompreview_x", "zoompreview_y", p.zoomPreview);
    p.corrector = point("colorcorrector_x", "colorcorrector_y", p.corrector);
    p.history = point("history_x", "history_y", p.history);
    return p;
}

QString WriteWindowPositions(const QString& path, const WindowPositions& p) {
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return QStringLiteral("Unable to write to %1: cannot create its folder").arg(path);
    const std::pair<const char*, int> values[] = {
        {"picture_x", p.picture.x()},
        {"picture_y", p.picture.y()},
        {"picture_width", p.picture.width()},
        {"picture_height", p.picture.height()},
        {"picture_align", p.pictureFree ? 1 : 0},
        {"palette_x", p.palette.x()},
        {"palette_y", p.palette.y()},
        {"borderpal_x", p.borderPalette.x()},
        {"borderpal_y", p.borderPalette.y()},
        {"preview_x", p.preview.x()},
        {"preview_y", p.preview.y()},
        {"zoompreview_x", p.zoomPreview.x()},
        {"zoompreview_y", p.zoomPreview.y()},
        {"colorcorrector_x", p.corrector.x()},
        {"colorcorrector_y", p.corrector.y()},
        {"history_x", p.history.x()},
        {"history_y", p.history.y()},
    };
    IniKeys keys;
    for (const auto& [key, value] : values)
        keys.emplace_back(QString::fromLatin1(key), QString::number(value));
    // Written whole through a temporary file, so a failure leaves the old file as it was.
    const QString reason = UpdateIniFile(path, kSection, keys);
    return reason.isEmpty() ? QString()
                            : QStringLiteral("Unable to write to %1: %2").arg(path, reason);
}

QPoint TitleBarOnScreen(const QRect& bounds, int titleHeight, const QRect& area, int grip) {
    const QRect title(bounds.topLeft(), QSize(bounds.width(), titleHeight));
    if (title.intersects(area) || area.isEmpty())
        return bounds.topLeft();
    grip = std::min(grip, bounds.width());
    const int x =
        std::clamp(bounds.x(), area.left() - bounds.width() + grip, area.right() + 1 - grip);
    const int y =
        std::clamp(bounds.y(), area.top(), std::max(area.top(), area.bottom() + 1 - titleHeight));
    return {x, y};
}
