#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A crash loses nothing: a picture drawn and never saved is written to the recovery folder
# within half a minute; the process is killed with SIGKILL; the next start offers the
# changes back, Restore brings them, and the picture saved then is byte for byte what was
# drawn. Saving and closing leave the recovery folder empty.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

in_work_folder
recovery="$XDG_STATE_HOME/tilesmith/recovery"

./tilesmith &
pid=$!
MAIN=$(wait_for_window '^tileSmith x0\.96$') || fail "no main window"
find_layout "$MAIN"
palette_corner
# PIX only, combination 3 (both screens' bits set): the attributes stay as they were, so
# the .mg8 export below holds the whole picture.
tool_key KEY_Palette
wait_for_pixel "$MAIN" $((PAL_X + 20)) $((PAL_Y + 8)) a6caf0 || fail "the Full Palette did not show"
palette_swatch 3
rgb_key
tool_key KEY_Palette # hidden again, off the picture
for row in 30 31 90; do
    read -r x y < <(at 200 "$row")
    xdotool mousemove "$x" "$y" mousedown 1
    for px in $(seq 201 6 250); do
        read -r x y < <(at "$px" $((row + px % 7)))
        xdotool mousemove "$x" "$y" sleep 0.01
    done
    xdotool mouseup 1
done
# What was drawn: an export leaves the picture unsaved. "Export" > "Export to *.mg8".
file_item "$FILE_EXPORT" Right Down Down Down Down
answer_file_dialog "$work/drawn.mg8"
wait_for_file drawn.mg8 14080 || fail "drawn.mg8 was not written"
cmp -s <(head -c 12544 drawn.mg8 | tail -c 12288) <(head -c 12288 /dev/zero) &&
    fail "nothing was drawn"

# The recovery file is written within 30 seconds of the start.
for _ in $(seq 400); do
    compgen -G "$recovery/*.tsr" >/dev/null && break
    sleep 0.1
done
compgen -G "$recovery/*.tsr" >/dev/null || fail "no recovery file in $recovery"
kill -KILL "$pid"
wait "$pid" 2>/dev/null || true
pid=""

# ---- The next start ----
./tilesmith &
pid=$!
question=$(wait_for_popup 200 559) || fail "no question about the changes left behind"
xdotool windowfocus "$question" 2>/dev/null || true
sleep 0.3
xdotool key Return # Restore, the default button
wait_gone "$question" || fail "the question stayed open"
MAIN=$(wait_for_window '^tileSmith x0\.96$') || fail "no main window after the restore"
find_layout "$MAIN"
xdotool mousemove $((VIEW_X + 600)) $((VIEW_Y + 700))
xdotool key ctrl+s
answer_file_dialog "$work/restored.mgs"
wait_for_file restored.mgs 36871 || fail "restored.mgs was not written"
./tilesmith-convert drawn.mg8 expected.mgs
cmp expected.mgs restored.mgs || fail "the restored picture is not what was drawn"
compgen -G "$recovery/*.tsr" >/dev/null && fail "a recovery file is left after the save"

"$XCLOSE" "$MAIN" || fail "could not send the close request"
status=0
wait_for_exit "$pid" || status=$?
pid=""
[ "$status" -eq 0 ] || fail "the second session exited with status $status"
[ -z "$(ls -A "$recovery")" ] || fail "left in the recovery folder: $(ls -A "$recovery")"
echo "ok: drew, was killed, restored the drawing after a restart and saved it equal"
