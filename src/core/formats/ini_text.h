// SPDX-License-Identifier: GPL-3.0-or-later
// INI text kept in order: one section's keys replaced in place or added, everything else
// in the file left as it was, byte for byte.
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>
#include <utility>
#include <vector>

using IniKeys = std::vector<std::pair<QString, QString>>;

// A settings or selection INI file larger than this is not read: no real one comes near it,
// and parsing a huge one would cost seconds and much memory.
inline constexpr qint64 kMaxIniFileSize = 1 << 20;

// `existing` with section `section` holding `keys`, in order: a key already in the section
// keeps its line with the new value, a new one follows the section's last key, and a
// missing section is added at the end. Section and key names compare ignoring case, as the
// platform's profile files do; other sections, keys, comments and line ends stay exactly as
// they were, whatever their encoding. Keys and values are written as UTF-8.
QByteArray UpdateIniSection(const QByteArray& existing, const QString& section,
                            const IniKeys& keys);
QString UpdateIniSection(const QString& existing, const QString& section, const IniKeys& keys);

// The value of `key` in `section` as UpdateIniSection finds them: the first section of that
// name, the first line of that key in it (names ignoring case), the text after its first
// "=" without surrounding blanks. None when the section or key is missing.
std::optional<QString> IniValue(const QByteArray& text, const QString& section, const QString& key);
// The same lookup in text, the value as it stands after the "="; null when missing.
QString ReadIniValue(const QString& text, const QString& section, const QString& key);

// Reads the INI file at `path` (a missing one counts as empty), updates the section and
// writes the file back atomically. Returns an empty text, or the reason it failed in the
// system's words (not a regular file, larger than kMaxIniFileSize, no space left ...).
QString UpdateIniFile(const QString& path, const QString& section, const IniKeys& keys);
