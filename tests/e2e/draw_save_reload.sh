#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A first session, from a start without a settings file: colours chosen in the Full Palette
# window, a pencil stroke, a Shift-line, a polyline and a rectangle in PIX and RGB modes,
# undo and redo with Ctrl+Z, saves through the File menu and the save dialog; then a second
# session started on that file names it, shows it, saves it again equal byte for byte, and
# closes without a question. With two files on the command line it opens neither.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

in_work_folder
start
find_layout "$MAIN"
show_palette "$MAIN"
# paper0 1 (blue), ink0 11 (yellow), paper1 3 (red), ink1 13 (white), all normal; PIX
# paints combination 3, ink0 + ink1: yellow mixed with white.
set_colours 1 11 3 13
palette_swatch 3
wait_for_swatch "$MAIN" 3 caca73

# 1. A pencil stroke along row 20 from x 8 to x 40, PIX and RGB on.
stroke 20 8 40
# 2. A Shift-line from the stroke's end to (60, 50), PIX only, combination 2 (the screen-0
# bit set, the screen-1 bit clear).
tool_key KEY_EditMode_RGB
palette_swatch 2
read -r x y < <(at 60 50)
xdotool keydown shift mousemove "$x" "$y" sleep 0.1 click 1 keyup shift
# 3. A polyline (100,100) - (140,100) - (140,150), RGB only, ink1 9 (cyan); it ends when the
# pencil is chosen and a key is let go (Esc).
tool_key KEY_EditMode_RGB
tool_key KEY_EditMode_PIX
strip_click 3 9
tool_key Key_Instrument_Line
click_at 100 100
click_at 140 100
click_at 140 150
tool_key Key_Instrument_Paint
xdotool key Escape
# 4. A rectangle (160,120) - (200,160), PIX and RGB, combination 1 (the screen-1 bit set).
tool_key KEY_EditMode_PIX
palette_swatch 1
tool_key Key_Instrument_Rect
click_at 160 120
click_at 200 160

# Undo takes the rectangle away; that picture is saved, named without its extension; a
# second Ctrl+Z brings the rectangle back.
rest
xdotool key ctrl+z
menu "$MAIN" File "Save *.mgs"
answer_file_dialog "$work/undone"
wait_for_file undone.mgs 36871 || fail "undone.mgs was not written"
wait_for_window "^$TITLE - $work/undone\\.mgs\$" >/dev/null || fail "the title does not name undone.mgs"
rest
xdotool key ctrl+z
menu "$MAIN" File "Save *.mgs"
answer_file_dialog "$work/drawn.mgs"
wait_for_file drawn.mgs 36871 || fail "drawn.mgs was not written"

for f in undone.mgs drawn.mgs; do
    expect "$f header" "$(od -An -tu1 -N7 "$f" | tr -s ' ')" " 77 71 83 1 8 0 0"
    # The stroke: both bits at its ends, its cell's colours.
    expect "$f stroke" "$(pix "$f" 0 8 20)$(pix "$f" 1 8 20)$(pix "$f" 0 40 20)" 111
    expect "$f stroke cell" "$(attr "$f" 0 1 16) $(attr "$f" 1 1 16)" "11 1 13 3"
    # The line (Bresenham from (40,20) to (60,50)): screen 0 only, no colours written.
    for point in "41 21" "47 31" "54 41" "60 50"; do
        read -r px py <<<"$point"
        expect "$f line pixel ($px,$py)" "$(pix "$f" 0 "$px" "$py")$(pix "$f" 1 "$px" "$py")" 10
    done
    expect "$f line cell" "$(attr "$f" 0 7 48) $(attr "$f" 1 7 48)" "0 0 0 0"
    # The polyline: colours in the cells of both segments, no pixels.
    for cell in "12 96" "17 96" "17 144"; do
        read -r c r <<<"$cell"
        expect "$f polyline cell $c,$r" "$(attr "$f" 0 "$c" "$r") $(attr "$f" 1 "$c" "$r")" "11 1 9 3"
    done
    expect "$f polyline pixels" "$(pix "$f" 0 100 100)$(pix "$f" 1 140 150)" 00
done
# The rectangle is in drawn.mgs only; its inside and a far corner stay empty.
for corner in "160 120" "200 160" "180 120" "160 140"; do
    read -r rx ry <<<"$corner"
    expect "rectangle ($rx,$ry)" "$(pix drawn.mgs 0 "$rx" "$ry")$(pix drawn.mgs 1 "$rx" "$ry")" 01
    expect "undone rectangle ($rx,$ry)" "$(pix undone.mgs 1 "$rx" "$ry")" 0
done
expect "rectangle cell" "$(attr drawn.mgs 0 22 120) $(attr drawn.mgs 1 22 120)" "11 1 9 3"
expect "undone rectangle cell" "$(attr undone.mgs 1 22 120)" "0 0"
expect "inside and far corner" "$(pix drawn.mgs 1 180 140)$(attr drawn.mgs 1 22 136)$(pix drawn.mgs 0 255 191)" "00 00"
# The picture was saved: closing asks nothing.
close_window "$MAIN" "$pid"

# A second session on the saved file shows what was drawn: the stroke (11 with 13), the
# polyline's cells (1 with 3) and the rectangle (1 with 9); and saves it equal.
start drawn.mgs
find_layout "$MAIN"
for point in "8 20 caca73" "100 100 730073" "140 150 730073" "180 120 0073ca"; do
    read -r px py colour <<<"$point"
    # shellcheck disable=SC2046
    expect "reopened view at ($px,$py)" "$(pixel "$MAIN" $(at "$px" "$py"))" "$colour"
done
save_mgs again.mgs
cmp drawn.mgs again.mgs || fail "the picture changed between the sessions"
close_window "$MAIN" "$pid"
./tilesmith drawn.mgs again.mgs &
pid=$!
MAIN=$(wait_for_window "^$TITLE\$") || fail "two arguments: no plain window title"
close_window "$MAIN" "$pid"
# Only the dialogs' folder is remembered by itself; the window positions stay as they were.
grep -qx "folder=$work" tilesmith.ini || fail "the dialogs' folder was not remembered"
grep -qx 'palette_x=3' tilesmith.ini || fail "window positions were written without being asked for"
echo "ok: drew with four tools in PIX and RGB, undid and redid, saved, reopened and saved equal"
