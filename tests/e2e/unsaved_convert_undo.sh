#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The picture is never lost or misstated: a drawing survives New answered with Cancel,
# looks the same after "Convert to 8x1" and after Ctrl+Z takes the conversion back, and the
# saved file opens again and saves equal byte for byte.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

in_work_folder
start
find_layout "$MAIN"
show_palette "$MAIN"
# Papers blue and red, inks yellow and white; the pencil paints ink with ink.
set_colours 1 11 3 13
palette_swatch 3
tool_key KEY_Palette
# A stroke along pixel row 123, inside its cells (rows 120..127), clear of the palette: the
# cells' other rows show the papers.
stroke 123 120 200 2
rest
wait_for_window "^\\*$TITLE\$" >/dev/null || fail "the title shows no change mark"

# What the view shows round the stroke, and what it must keep showing.
shown() { "$XPIXELS" "$MAIN" $((VIEW_X + 4 * 112)) $((VIEW_Y + 4 * 112)) $((4 * 96)) $((4 * 24)) | md5sum; }
# shellcheck disable=SC2046
wait_for_pixel "$MAIN" $(at 150 125) 730073 || fail "the stroke's cells do not show the papers"
drawn=$(shown)
same() { poll 5 eval '[ "$(shown)" = "$drawn" ]' || fail "the view changed after $1"; }

# New asks about the unsaved drawing; Cancel (Escape) keeps it.
menu "$MAIN" File New "8x8 Standard Gigascreen"
question=$(wait_for_popup 300 559) || fail "New did not ask about the unsaved drawing"
xdotool key Escape
poll 10 eval "! xdotool search --onlyvisible --class '^tilesmith\$' 2>/dev/null | grep -qx $question" ||
    fail "the question stayed open"
same "New was cancelled"
wait_for_window "^\\*$TITLE\$" >/dev/null || fail "the change mark went after Cancel"

# The painted cells were written in all their rows: 8x1 shows them the same.
menu "$MAIN" File "Change char size" "Convert to 8x1"
same "Convert to 8x1"
# Ctrl+Z takes the conversion back: 8x8, the same picture.
rest
xdotool key ctrl+z
same "undoing the conversion"

save_mgs journey.mgs
wait_for_window "^$TITLE - $work/journey\\.mgs\$" >/dev/null ||
    fail "the title does not name journey.mgs without a change mark"
[ "$(od -An -tu1 -j4 -N1 journey.mgs | tr -d ' ')" = 8 ] || fail "journey.mgs is not 8x8"

# Reopened (nothing unsaved: no question), the same picture; saved again, the same bytes.
rest
xdotool key ctrl+o
answer_file_dialog "$work/journey.mgs"
same "reopening"
save_mgs again.mgs
cmp journey.mgs again.mgs || fail "the reopened picture saved different bytes"
close_window "$MAIN" "$pid"
echo "ok: New cancelled kept the drawing, Convert and its undo showed it unchanged, saved and reopened equal"
