#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs an end-to-end test script inside its own X server with a 24-bit screen large
# enough for the main window (Xvfb's default 8-bit 640x480 screen makes Qt fail).
set -euo pipefail
# Qt wants a private runtime folder; give each run its own.
XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR
trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
# A random display number keeps runs that start together apart; -noreset keeps the server
# between a script's sessions; the script starts once the server answers.
# shellcheck disable=SC2016
xvfb-run -a -n $((100 + RANDOM % 5000)) -s "-screen 0 1920x1080x24 -noreset" \
    bash -c 'for _ in $(seq 100); do
                 xdotool getdisplaygeometry >/dev/null 2>&1 && break
                 sleep 0.1
             done
             exec "$@"' run_xvfb "$@"
