// SPDX-License-Identifier: GPL-3.0-or-later
// Updating one section of an INI text the way the platform's profile files do, but keeping
// every other line and writing the keys in the order they are given (QSettings sorts them).
#include "formats/ini_text.h"

#include <QStringList>

namespace {

bool IsSectionHeader(const QString& line) {
    const QString t = line.trimmed();
    return t.startsWith(QLatin1Char('[')) && t.contains(QLatin1Char(']'));
}

QString SectionName(const QString& line) {
    const QString t = line.trimmed();
    return t.mid(1, t.indexOf(QLatin1Char(']')) - 1).trimmed();
}

// The key of a "key=value" line, or an empty text for anything else (comments, blanks).
QString KeyOf(const QString& line) {
    const QString t = line.trimmed();
    if (t.startsWith(QLatin1Char(';')) || t.startsWith(QLatin1Char('#')))
        return {};
    const qsizetype equals = t.indexOf(QLatin1Char('='));
    return equals <= 0 ? QString() : t.left(equals).trimmed();
}

} // namespace

QString UpdateIniSection(const QString& existing, const QString& section,
                         const std::vector<std::pair<QString, QString>>& keys) {
    const QString eol =
        existing.contains(QLatin1String("\r\n")) ? QStringLiteral("\r\n") : QStringLiteral("\n");
    QStringList lines = existing.split(QLatin1Char('\n'));
    for (QString& line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast(); // the final line break

    qsizetype header = -1;
    for (qsizetype i = 0; i < lines.size() && header < 0; ++i) {
        if (IsSectionHeader(lines[i]) &&
            SectionName(lines[i]).compare(section, Qt::CaseInsensitive) == 0)
            header = i;
    }
    if (header < 0) {
        lines.append(QLatin1Char('[') + section + QLatin1Char(']'));
        header = lines.size() - 1;
    }
    qsizetype end = header + 1; // one past the section's last line
    while (end < lines.size() && !IsSectionHeader(lines[end]))
        ++end;

    for (const auto& [key, value] : keys) {
        const QString line = key + QLatin1Char('=') + value;
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
    return lines.join(eol) + eol;
}

QString ReadIniValue(const QString& text, const QString& section, const QString& key) {
    bool inSection = false;
    for (QString line : text.split(QLatin1Char('\n'))) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (IsSectionHeader(line)) {
            inSection = SectionName(line).compare(section, Qt::CaseInsensitive) == 0;
        } else if (inSection && KeyOf(line).compare(key, Qt::CaseInsensitive) == 0 &&
                   !KeyOf(line).isEmpty()) {
            return line.mid(line.indexOf(QLatin1Char('=')) + 1);
        }
    }
    return {};
}
