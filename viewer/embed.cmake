# SPDX-License-Identifier: GPL-3.0-or-later
# Turns an assembled viewer (BIN) and its symbol file (SYM) into a C++ header (OUT): the
# bytes as an array named NAME and every symbol as a constant inside namespace NAME.
file(READ "${BIN}" hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
file(STRINGS "${SYM}" lines)
set(symbols "")
foreach(line IN LISTS lines)
    if(line MATCHES "^([A-Za-z_][A-Za-z0-9_]*)[ \t]+EQU[ \t]+0*([0-9A-F]+)H")
        string(TOLOWER "${CMAKE_MATCH_2}" value)
        string(APPEND symbols "inline constexpr uint16_t ${CMAKE_MATCH_1} = 0x${value};\n")
    endif()
endforeach()
file(WRITE "${OUT}.tmp"
"// Generated from the viewer's assembly source at build time; do not edit.\n#pragma once\n#include <cstdint>\n\nnamespace ${NAME} {\ninline constexpr uint8_t Code[] = {${bytes}};\n${symbols}} // namespace ${NAME}\n")
file(COPY_FILE "${OUT}.tmp" "${OUT}" ONLY_IF_DIFFERENT)
