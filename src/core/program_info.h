// SPDX-License-Identifier: GPL-3.0-or-later
// The program's name, version and licence, as both programs print them for --version.
#pragma once

#include <QString>

// The version comes from the build (the project's version in CMakeLists.txt).
inline constexpr char kProgramVersion[] = TILESMITH_VERSION;

inline QString VersionText(const QString& program) {
    return QStringLiteral("%1 (tileSmith) %2\n"
                          "Licence: GPL-3.0-or-later, the GNU General Public License, version 3 "
                          "or later\n<https://www.gnu.org/licenses/gpl-3.0.html>.\n"
                          "This is free software: you are free to change and share it.\n"
                          "There is NO WARRANTY, to the extent permitted by law.\n")
        .arg(program, QString::fromLatin1(kProgramVersion));
}
