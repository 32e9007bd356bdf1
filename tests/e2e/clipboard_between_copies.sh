#!/usr/bin/env bash
# A block copied in one running copy is pasted into another through the X clipboard: copy A
# paints a cell and copies it with Ctrl+C (one cell, no selection), copy B pastes it with
# Ctrl+V at another cell, and each copy's view shows only what it should.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
# Both copies start from a folder of their own, so that no settings file is shared with the
# build folder, and both read the default window positions.
cp "$TILESMITH" "$work/tilesmith"
cd "$work"

title='^tileSmith x0\.96$'
"$work/tilesmith" &
pids+=($!)
a=$(wait_for_window "$title") || fail "copy A showed no window"
"$work/tilesmith" &
pids+=($!)
b=""
for _ in $(seq 200); do
    b=$(xdotool search --name "$title" 2>/dev/null | grep -vx "$a" | head -n 1) || true
    [ -n "$b" ] && break
    sleep 0.1
done
[ -n "$b" ] || fail "copy B showed no window"
sleep 1

# pixel WINDOW X Y: the colour at a point of a window, RRGGBB.
pixel() { "$XPIXELS" "$1" "$2" "$3" 1 1; }
# Without a window manager a click gives its window the keyboard for good, so the copy
# that is to take keys gets the focus as well as the top place.
raise() {
    xdotool windowraise "$1"
    xdotool windowfocus "$1"
    sleep 0.7 # the copy repaints what was hidden
}
point() {
    xdotool mousemove $(($1 + 3)) $(($2 + 3))
    sleep 0.1
    xdotool mousemove "$1" "$2"
    sleep 0.2
}

# Where the work area starts below the menu bar: the first row of the pressed zoom key
# KEY_Zoom1_1 (light blue inside a 2-pixel bevel, 4 pixels below the work area's top).
raise "$a"
row=$("$XPIXELS" "$a" 20 0 1 200 | grep -n -m1 -ix b8d0ec | cut -d: -f1) ||
    fail "cannot find the toolbar"
top=$((row - 1 - 6))
# Colour N of the Full Palette window's strip ROW (0 paper0, 1 ink0, 2 paper1, 3 ink1).
strip_click() {
    xdotool mousemove $((5 + 89 + 16 * $2 + 8)) $((top + 45 + 308 + 24 * $1 + 8)) click 1
    sleep 0.2
}

# Two cells of the picture view, both well inside it and far apart; both windows lie at
# the same place.
px=700 py=400
qx=1150 qy=760
point "$px" "$py"
[ "$(pixel "$a" "$px" "$py")" = 000000 ] || fail "A's picture does not start black"

# In A: paper0 5 and paper1 7, a click of the pencil at P writes them into P's cell, and
# Ctrl+C without a selection copies that one cell.
xdotool key c
sleep 0.5
strip_click 0 5
strip_click 2 7
point "$px" "$py"
xdotool key c
sleep 0.3
xdotool click 1
sleep 0.3
colour=$(pixel "$a" "$px" "$py")
[ "$colour" != 000000 ] || fail "A's painted cell is still black"
xdotool key ctrl+c
sleep 0.5

# In B: Ctrl+V with the pointer at Q pastes A's cell there; B's own cell at P stays black.
raise "$b"
point "$qx" "$qy"
[ "$(pixel "$b" "$qx" "$qy")" = 000000 ] || fail "B's picture does not start black"
xdotool key ctrl+v
sleep 1
[ "$(pixel "$b" "$qx" "$qy")" = "$colour" ] ||
    fail "B's cell under the pointer shows $(pixel "$b" "$qx" "$qy"), not $colour, after the paste"
[ "$(pixel "$b" "$px" "$py")" = 000000 ] || fail "B's cell at P changed"
# The block covers exactly one cell: 32 screen pixels at zoom level 1.
[ "$(pixel "$b" $((qx + 40)) "$qy")" = 000000 ] || fail "the paste spread right of its cell"

# Ctrl+Z takes the paste away in B and the paint in A, so that both close unchanged.
xdotool key ctrl+z
sleep 0.5
[ "$(pixel "$b" "$qx" "$qy")" = 000000 ] || fail "B's undo left $(pixel "$b" "$qx" "$qy") at Q"
raise "$a"
point "$qx" "$qy"
[ "$(pixel "$a" "$qx" "$qy")" = 000000 ] || fail "A's picture changed at Q"
xdotool key ctrl+z
sleep 0.5
[ "$(pixel "$a" "$px" "$py")" = 000000 ] || fail "A's undo left $(pixel "$a" "$px" "$py") at P"

# Both pictures are as they started, but a copy that still asks about unsaved changes is
# answered all the same.
close_discarding "$a" "${pids[0]}" || fail "copy A exited with status $?"
close_discarding "$b" "${pids[1]}" || fail "copy B exited with status $?"
pids=()
echo "ok: a cell copied in one copy was pasted into the other through the clipboard"
