#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Two running copies share a pick: colours chosen in copy A's palette window are painted
# into a cell, A's colours are changed, and a right click on the cell makes the cell's
# colours current in A and in copy B. A foreign signal of the same name is applied when
# well formed and ignored when not. Runs under dbus-run-session.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

[ -n "${DBUS_SESSION_BUS_ADDRESS:-}" ] || fail "no session bus: run under dbus-run-session"
# Both copies start from a folder of their own, so that no settings file is shared with the
# build folder, and both read the default window positions.
in_work_folder

start_two_copies
a=$A
b=$B
sleep 1

raise() {
    xdotool windowraise "$1"
    sleep 0.7 # the copy repaints what was hidden
}

# Where the work area starts below the menu bar: the first row of the pressed zoom key
# KEY_Zoom1_1 (light blue inside a 2-pixel bevel, 4 pixels below the work area's top).
raise "$a"
row=$("$XPIXELS" "$a" 20 0 1 200 | grep -n -m1 -ix b8d0ec | cut -d: -f1) ||
    fail "cannot find the toolbar"
top=$((row - 1 - 6))

# Toolbar swatches CharPal_SelectedColor0 and 3, at their centres.
swatch0() { pixel "$1" 390 $((top + 24)); }
swatch3() { pixel "$1" 535 $((top + 24)); }
# The Full Palette window's inner corner, and colour N of strip ROW (0 paper0, 1 ink0,
# 2 paper1, 3 ink1).
px=$((3 + 2))
py=$((top + 43 + 2))
strip_click() {
    xdotool mousemove $((px + 89 + 16 * $2 + 8)) $((py + 308 + 24 * $1 + 8)) click 1
    sleep 0.2
}

[ "$(swatch0 "$a")" = 000000 ] || fail "A does not start with black swatches"
raise "$b"
[ "$(swatch0 "$b")" = 000000 ] || fail "B does not start with black swatches"

# In A: show the palette and choose paper0 5, ink0 13, paper1 7 then ink1 10, which makes
# paper1 bright (8).
raise "$a"
xdotool mousemove 960 560
sleep 0.2
xdotool key c
sleep 0.5
strip_click 0 5
strip_click 1 13
strip_click 2 7
strip_click 3 10
[ "$(swatch0 "$a")" = 739d73 ] || fail "A's swatch 0 shows $(swatch0 "$a"), not mix(5, 8)"
# Paint a cell with them (RGB is on), then choose another paper0 in A.
xdotool mousemove 960 560 click 1
sleep 0.3
strip_click 0 2
[ "$(swatch0 "$a")" != 739d73 ] || fail "A's colours did not change"
raise "$b"
[ "$(swatch0 "$b")" = 000000 ] || fail "B changed before any pick"

# A right click on the painted cell in A.
raise "$a"
xdotool mousemove 960 560 click 3
sleep 1
[ "$(swatch0 "$a")" = 739d73 ] || fail "A's pick shows $(swatch0 "$a"), not mix(5, 8)"
raise "$b"
[ "$(swatch0 "$b")" = 739d73 ] || fail "B's swatch 0 shows $(swatch0 "$b"), not mix(5, 8)"
[ "$(swatch3 "$b")" = 73e6e6 ] || fail "B's swatch 3 shows $(swatch3 "$b"), not mix(13, 10)"

# Another program's signal: a field of 15 is ignored, well-formed fields are applied
# (paper0 1, ink0 14, paper1 0, ink1 7 = 0x70E1).
send() {
    dbus-send --session --type=signal /org/tilesmith/Palette \
        org.tilesmith.Palette.WM_TILESMITH_GET_PALETTE "uint32:$1" uint32:0
    sleep 0.7
}
send $((0xF0E1))
[ "$(swatch0 "$b")" = 739d73 ] || fail "B applied a malformed message"
send $((0x70E1))
[ "$(swatch0 "$b")" = 000073 ] || fail "B's swatch 0 shows $(swatch0 "$b") after 0x70E1"

# A has unsaved changes (the painted cell): closing it asks, and the test discards them.
close_discarding "$a" "${pids[0]}" || fail "copy A exited with status $?"
close_discarding "$b" "${pids[1]}" || fail "copy B exited with status $?"
pids=()
echo "ok: a pick in one copy became the current colours of both; foreign messages checked"
