#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The real program opens the picture file named on its command line: the window title
# names it, and closing the unchanged picture asks nothing. With two arguments it opens
# neither. The program keeps its settings beside its executable, so it runs from a copy
# in a temporary folder.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

in_work_folder

# A version-1 .mgs: header, CharHeight 8, border 1 and 2, random pixels, attributes of
# colour 7 (white) on both screens.
{
    printf 'MGS\001\010\001\002'
    head -c 12288 /dev/urandom
    head -c 24576 /dev/zero | tr '\0' '\007'
} >"$work/pic.mgs"
[ "$(stat -c %s pic.mgs)" -eq 36871 ] || fail "test picture has the wrong size"

./tilesmith pic.mgs &
pid=$!
window=$(wait_for_window '^tileSmith x0\.96 - .*/pic\.mgs$') ||
    fail "no window titled 'tileSmith x0.96 - .../pic.mgs'"
title=$(xdotool getwindowname "$window")
[ "$title" = "tileSmith x0.96 - $work/pic.mgs" ] || fail "title is '$title'"
"$XCLOSE" "$window" || fail "could not send the close request"
status=0
wait_for_exit "$pid" || status=$?
[ "$status" -eq 0 ] || fail "tilesmith exited with status $status"

./tilesmith pic.mgs pic.mgs &
pid=$!
window=$(wait_for_window '^tileSmith x0\.96$') || fail "two arguments: no plain window title"
"$XCLOSE" "$window" || fail "could not send the close request"
status=0
wait_for_exit "$pid" || status=$?
[ "$status" -eq 0 ] || fail "tilesmith exited with status $status"
echo "ok: opened the file named on the command line and closed without a question"
