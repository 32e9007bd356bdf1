// SPDX-License-Identifier: GPL-3.0-or-later
// Updating one section of an INI text the way the platform's profile files do, but keeping
// every other line's bytes and writing the keys in the order they are given (QSettings
// sorts them and rewrites what it does not understand).
#include "formats/ini_text.h"

#include "formats/file_io.h"

#include <QList>

namespace {

QByteArray Trimmed(const QByteArray& line) {
    return line.trimmed();
}

bool IsSectionHeader(const QByteArray& line) {
    const QByteArray t = Trimmed(line);
    return t.startsWith('[') && t.contains(']');
}

// Names are compared as text; bytes that are not UTF-8 never equal one of our names.
QString SectionName(const QByteArray& line) {
    const QByteArray t = Trimmed(line);
    return QString::fromUtf8(t.mid(1, t.indexOf(']') - 1)).trimmed();
}

// The key of a "key=value" line, or an empty text for anything else (comments, blanks).
QString KeyOf(const QByteArray& line) {
    const QByteArray t = Trimmed(line);
    if (t.startsWith(';') || t.startsWith('#'))
        return {};
    const qsizetype equals = t.indexOf('=');
    return equals <= 0 ? QString() : QString::fromUtf8(t.left(equals)).trimmed();
}

} // namespace

QByteArray UpdateIniSection(const QByteArray& existing, const QString& section,
                            const IniKeys& keys) {
    const QByteArray eol = existing.contains("\r\n") ? QByteArray("\r\n") : QByteArray("\n");
    // Each line keeps its own ending ("\r" stays with it), so untouched lines come back as
    // they were; only the lines written here use `eol`.
    QList<QByteArray> lines = existing.split('\n');
    const bool finalBreak = !lines.isEmpty() && lines.last().isEmpty();
    if (finalBreak || existing.isEmpty())
        lines.removeLast();
    const QByteArray ownEnd = eol == "\r\n" ? QByteArray("\r") : QByteArray();

    qsizetype header = -1;
    for (qsizetype i = 0; i < lines.size() && header < 0; ++i) {
        if (IsSectionHeader(lines[i]) &&
            SectionName(lines[i]).compare(section, Qt::CaseInsensitive) == 0)
            header = i;
    }
    if (header < 0) {
        lines.append('[' + section.toUtf8() + ']' + ownEnd);
        header = lines.size() - 1;
    }
    qsizetype end = header + 1; // one past the section's last line
    while (end < lines.size() && !IsSectionHeader(lines[end]))
        ++end;

    for (const auto& [key, value] : keys) {
        const QByteArray line = key.toUtf8() + '=' + value.toUtf8() + ownEnd;
        qsizetype found = -1;
        qsizetype lastKey = header;
        for (qsizetype i = header + 1; i < end; ++i) {
            const QString k = KeyOf(lines[i]);
            if (k.isEmpty())
                continue;
            lastKey = i;
            if (found < 0 && k.compare(key, Qt::CaseInsensitive) == 0)
                found = i;
        }
        if (found >= 0) {
            lines[found] = line;
        } else {
            lines.insert(lastKey + 1, line);
            ++end;
        }
    }
    QByteArray text = lines.join('\n');
    // A last line without its break gets one: a following write appends after it.
    if (!text.endsWith('\n'))
        text += text.endsWith('\r') ? QByteArray("\n") : eol;
    return text;
}

namespace {

// The bytes after the first "=" of the key's line, its line end dropped.
std::optional<QByteArray> RawIniValue(const QByteArray& text, const QString& section,
                                      const QString& key) {
    bool inSection = false, seen = false;
    for (QByteArray line : text.split('\n')) {
        if (IsSectionHeader(line)) {
            if (seen)
                return std::nullopt; // only the first section of the name counts
            inSection = SectionName(line).compare(section, Qt::CaseInsensitive) == 0;
            seen = inSection;
        } else if (inSection && KeyOf(line).compare(key, Qt::CaseInsensitive) == 0) {
            if (line.endsWith('\r'))
                line.chop(1);
            return line.mid(line.indexOf('=') + 1);
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<QString> IniValue(const QByteArray& text, const QString& section,
                                const QString& key) {
    const std::optional<QByteArray> value = RawIniValue(text, section, key);
    return value ? std::optional(QString::fromUtf8(Trimmed(*value))) : std::nullopt;
}

QString ReadIniValue(const QString& text, const QString& section, const QString& key) {
    const std::optional<QByteArray> value = RawIniValue(text.toUtf8(), section, key);
    if (!value)
        return {};
    const QString result = QString::fromUtf8(*value);
    return result.isNull() ? QString(QLatin1String("")) : result; // found, even if empty
}

QString UpdateIniSection(const QString& existing, const QString& section, const IniKeys& keys) {
    return QString::fromUtf8(UpdateIniSection(existing.toUtf8(), section, keys));
}

QString UpdateIniFile(const QString& path, const QString& section, const IniKeys& keys) {
    // The file layer's messages are "<what> <path>: <reason>"; callers name the file
    // themselves and want the reason only.
    auto reason = [&path](const QString& message) {
        return message.mid(message.indexOf(path) + path.size() + 2);
    };
    const FileBytes file = ReadRegularFile(path, kMaxIniFileSize);
    if (file.Found && !file.Error.isEmpty())
        return reason(file.Error);
    if (file.Size > kMaxIniFileSize)
        return QStringLiteral("larger than %1 KiB").arg(kMaxIniFileSize / 1024);
    const QString error = WriteFileBytes(path, UpdateIniSection(file.Bytes, section, keys));
    return error.isEmpty() ? QString() : reason(error);
}
