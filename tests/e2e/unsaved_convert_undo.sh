#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The picture is never lost or misstated: a drawing survives New answered with Cancel,
# looks the same after "Convert to 8x1" and after Ctrl+Z takes the conversion back, and the
# saved file opens again and saves equal byte for byte.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

in_work_folder
./tilesmith &
pid=$!
MAIN=$(wait_for_window '^tileSmith x0\.96$') || fail "no main window"
find_layout "$MAIN"
palette_corner

# Papers blue and red, inks yellow and white; the pencil paints ink with ink.
tool_key KEY_Palette
wait_for_pixel "$MAIN" $((PAL_X + 20)) $((PAL_Y + 8)) a6caf0 || fail "the Full Palette did not show"
strip_click 0 1
strip_click 1 11
strip_click 2 3
strip_click 3 13
palette_swatch 3
tool_key KEY_Palette
# A stroke along pixel row 123, inside its cells (rows 120..127), right of where the
# palette stood: the cells' other rows show the papers.
read -r x y < <(at 120 123)
xdotool mousemove "$x" "$y" mousedown 1
for px in $(seq 121 2 200); do
    read -r x y < <(at "$px" 123)
    xdotool mousemove "$x" "$y" sleep 0.01
done
xdotool mouseup 1
xdotool mousemove $((VIEW_X + 900)) $((VIEW_Y + 700))
wait_for_window '^\*tileSmith x0\.96$' >/dev/null || fail "the title shows no change mark"

# What the view shows of the cells round the stroke, and what it must keep showing.
shown() { "$XPIXELS" "$MAIN" $((VIEW_X + 4 * 112)) $((VIEW_Y + 4 * 112)) $((4 * 96)) $((4 * 24)) | md5sum; }
drawn=$(shown)
# shellcheck disable=SC2046
[ "$(pixel "$MAIN" $(at 150 125))" = 730073 ] || fail "the stroke's cells do not show the papers"
same() { # same WHAT: the view shows the drawing as it was
    for _ in $(seq 50); do
        [ "$(shown)" = "$drawn" ] && return 0
        sleep 0.1
    done
    fail "the view changed after $1"
}

# New 8x8 asks about the unsaved drawing; Cancel keeps it.
file_item 1 Right
question=$(wait_for_popup 300 559) || fail "New did not ask about the unsaved drawing"
xdotool key Escape
wait_gone "$question" || fail "the question stayed open"
same "New was cancelled"
wait_for_window '^\*tileSmith x0\.96$' >/dev/null || fail "the change mark went after Cancel"

# Convert to 8x1 (the fourth item): the painted cells were written in all their rows.
file_item "$FILE_CHANGE_CHAR_SIZE" Right Down Down Down
sleep 0.3
same "Convert to 8x1"
# Ctrl+Z takes the conversion back: 8x8, the same picture.
xdotool key ctrl+z
sleep 0.3
same "undoing the conversion"

file_item "$FILE_SAVE_MGS"
answer_file_dialog "$work/journey"
wait_for_file journey.mgs 36871 || fail "journey.mgs was not written"
wait_for_window "^tileSmith x0\\.96 - $work/journey\\.mgs\$" >/dev/null ||
    fail "the title does not name journey.mgs without a change mark"
[ "$(byte journey.mgs 4)" = 8 ] || fail "journey.mgs holds char height $(byte journey.mgs 4), not 8"

# Reopened (nothing unsaved: no question), the same picture; saved again, the same bytes.
xdotool key ctrl+o
answer_file_dialog "$work/journey.mgs"
same "reopening"
xdotool mousemove $((VIEW_X + 900)) $((VIEW_Y + 700))
xdotool key ctrl+s
answer_file_dialog "$work/again.mgs"
wait_for_file again.mgs 36871 || fail "again.mgs was not written"
cmp journey.mgs again.mgs || fail "the reopened picture saved different bytes"

"$XCLOSE" "$MAIN" || fail "could not send the close request"
status=0
wait_for_exit "$pid" || status=$?
pid=""
[ "$status" -eq 0 ] || fail "the session exited with status $status"
echo "ok: New cancelled kept the drawing, Convert and its undo showed it unchanged, saved and reopened equal"
