// SPDX-License-Identifier: GPL-3.0-or-later
// The settings file is read with QSettings in INI format, which keeps the sections and keys
// of other programs and users when it writes.
#include "shell/window_positions.h"

#include "formats/ini_text.h"
#include "formats/picture_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include <algorithm>

namespace {

const QString kSection = QStringLiteral("positions");

int ReadInt(const QSettings& settings, const char* key, int fallback,
            int lowest = -kMaxWindowCoordinate) {
    bool ok = false;
    const int value = settings.value(QString::fromLatin1(key)).toString().trimmed().toInt(&ok);
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

WindowPositions ReadWindowPositions(const QString& path) {
    WindowPositions p;
    if (!QFileInfo(path).isFile())
        return p;
    QSettings settings(path, QSettings::IniFormat);
    settings.beginGroup(kSection);
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
    const QString failure = QStringLiteral("Unable to write to %1").arg(path);
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return failure;
    QString existing;
    if (QFile file(path); file.exists()) {
        if (!file.open(QIODevice::ReadOnly))
            return failure;
        existing = QString::fromUtf8(file.readAll());
    }
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
    std::vector<std::pair<QString, QString>> keys;
    for (const auto& [key, value] : values)
        keys.emplace_back(QString::fromLatin1(key), QString::number(value));
    // Written whole through a temporary file, so a failure leaves the old file as it was.
    const QByteArray text = UpdateIniSection(existing, kSection, keys).toUtf8();
    return WriteFileBytes(path, text).isEmpty() ? QString() : failure;
}
