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
left() { compgen -G "$recovery/*.tsr" >/dev/null; }

start
find_layout "$MAIN"
# PIX only, combination 3 (both screens' bits set): the attributes stay as they were, so
# the .mg8 export below holds the whole picture.
show_palette "$MAIN"
palette_swatch 3
tool_key KEY_Palette # hidden again, off the picture
tool_key KEY_EditMode_RGB
stroke 30 200 250 3
stroke 90 180 240 7
# What was drawn: an export leaves the picture unsaved.
menu "$MAIN" File Export "Export to *.mg8"
answer_file_dialog "$work/drawn.mg8"
wait_for_file drawn.mg8 14080 || fail "drawn.mg8 was not written"
cmp -s <(head -c 12544 drawn.mg8 | tail -c 12288) <(head -c 12288 /dev/zero) &&
    fail "nothing was drawn"

# The recovery file is written within 30 seconds of the start.
poll 40 left || fail "no recovery file in $recovery"
kill -KILL "$pid"
wait "$pid" 2>/dev/null || true

# ---- The next start: the question comes once the window is up ----
./tilesmith &
pid=$!
question=$(wait_for_popup 200 559) || fail "no question about the changes left behind"
xdotool windowfocus "$question" 2>/dev/null || true
sleep 0.3
xdotool key Return # Restore, the default button
MAIN=$(wait_for_window "^\\*$TITLE\$") || fail "no main window after the restore"
find_layout "$MAIN"
save_mgs restored.mgs
./tilesmith-convert drawn.mg8 expected.mgs
cmp expected.mgs restored.mgs || fail "the restored picture is not what was drawn"
left && fail "a recovery file is left after the save"
close_window "$MAIN" "$pid"
[ -z "$(ls -A "$recovery")" ] || fail "left in the recovery folder: $(ls -A "$recovery")"
echo "ok: drew, was killed, restored the drawing after a restart and saved it equal"
