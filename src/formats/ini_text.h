// SPDX-License-Identifier: GPL-3.0-or-later
// INI text kept in order: one section's keys replaced in place or added, everything else
// in the file left as it was.
#pragma once

#include <QString>

#include <utility>
#include <vector>

// `existing` with section `section` holding `keys`, in order: a key already in the section
// keeps its line with the new value, a new one follows the section's last key, and a
// missing section is added at the end. Section and key names compare ignoring case, as the
// platform's profile files do; other sections, keys, comments and line ends stay.
QString UpdateIniSection(const QString& existing, const QString& section,
                         const std::vector<std::pair<QString, QString>>& keys);

// The value of `key` in section `section` of an INI text, read by the rules
// UpdateIniSection writes with: names compare ignoring case, the value is the rest of the
// line after the first "=", as it stands. Null when the section or key is missing.
QString ReadIniValue(const QString& text, const QString& section, const QString& key);
