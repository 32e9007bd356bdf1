#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Colours picked with a right click in one running copy are drawn with in another: copy A
# paints a cell with colours chosen in its Full Palette window, changes them, and picks the
# cell again; copy B, which never chose a colour, draws a stroke with them and saves. A
# foreign signal of the same name is applied when well formed and ignored when not. Runs
# under dbus-run-session.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

[ -n "${DBUS_SESSION_BUS_ADDRESS:-}" ] || fail "no session bus: run under dbus-run-session"
in_work_folder
start_two_copies
front "$B"
find_layout "$B"
front "$A"
find_layout "$A"
show_palette "$A"

# In A: paper0 9 (cyan) and ink0 6 (bright magenta), which makes paper0 bright (10);
# paper1 4, ink1 12. Swatch 0 mixes 10 with 4, swatch 3 mixes 6 with 12. The cell of
# (200, 100) is painted with them, then paper0 1 takes ink0 to normal (5).
strip_click 0 9
strip_click 1 6
strip_click 2 4
strip_click 3 12
wait_for_swatch "$A" 0 9d9d9d
wait_for_swatch "$A" 3 fe9d9d
click_at 200 100
strip_click 0 1
wait_for_swatch "$A" 3 e69d73
front "$B"
wait_for_swatch "$B" 0 000000

# The pick: a right click on the painted cell in A reaches both copies.
front "$A"
click_at 200 100 3
wait_for_swatch "$A" 3 fe9d9d
front "$B"
wait_for_swatch "$B" 0 9d9d9d
wait_for_swatch "$B" 3 fe9d9d

# In B: a pencil stroke along row 40 from x 16 to x 60 (columns 2 to 7) paints combination
# 0 of A's colours, and Ctrl+S saves it.
stroke 40 16 60 2
# shellcheck disable=SC2046
wait_for_pixel "$B" $(at 40 40) 9d9d9d || fail "B's view shows no stroke in A's colours"
save_mgs b.mgs
for column in 2 7; do
    expect "B's cell $column,40" "$(attr b.mgs 0 "$column" 40) $(attr b.mgs 1 "$column" 40)" "6 10 12 4"
done
expect "past B's stroke and A's cell" "$(attr b.mgs 0 8 40) $(attr b.mgs 1 25 96)" "0 0 0 0"

# Another program's signal: a field of 15 is ignored; paper0 1, ink0 14, paper1 0, ink1 7
# (0x70E1) are applied.
send() {
    dbus-send --session --type=signal /org/tilesmith/Palette \
        org.tilesmith.Palette.WM_TILESMITH_GET_PALETTE "uint32:$1" uint32:0
    sleep 0.7
}
send $((0xF0E1))
wait_for_swatch "$B" 0 9d9d9d
send $((0x70E1))
wait_for_swatch "$B" 0 000073

# A keeps its painted cell unsaved: closing asks, and the test discards it.
close_window "$A" "${pids[0]}" discard
close_window "$B" "${pids[1]}"
pids=()
echo "ok: a right-click pick in copy A became the colours copy B draws and saves with"
