#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The real program starts on the picture named on its command line: the title names it,
# and closing the unchanged picture asks nothing and ends cleanly. With two arguments it
# opens neither.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

in_work_folder
{
    printf 'MGS\001\010\001\002'
    pattern 36864 5 8
} >pic.mgs
start pic.mgs
close_window "$MAIN" "$pid"

./tilesmith pic.mgs pic.mgs &
pid=$!
MAIN=$(wait_for_window "^$TITLE\$") || fail "two arguments: no plain window title"
close_window "$MAIN" "$pid"
echo "ok: opened the file named on the command line and closed without a question"
