#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The real program starts, shows its main window, and ends cleanly when it is closed.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

in_work_folder

./tilesmith &
pid=$!
window=$(wait_for_window '^tileSmith x0\.96$') || fail "no window titled 'tileSmith x0.96'"
"$XCLOSE" "$window" || fail "could not send the close request"
status=0
wait_for_exit "$pid" || status=$?
[ "$status" -eq 0 ] || fail "tilesmith exited with status $status"
echo "ok: started, showed its window, closed cleanly"
