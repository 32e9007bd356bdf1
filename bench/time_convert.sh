#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Times whole runs of tilesmith-convert (process start to exit) on one picture, beside the
# empty process `true` as the floor of any run: with hyperfine when it is installed,
# otherwise with a plain loop. Prints medians.
# Usage: bench/time_convert.sh [build-dir] [runs]
set -euo pipefail
build=${1:-build}
runs=${2:-200}
convert=$(cd "$build" && pwd)/tilesmith-convert
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
head -c 6912 /dev/urandom > in.scr
"$convert" in.scr in.mgs

true=$(command -v true)
commands=("$true" "$convert in.mgs out.png --png 11" "$convert in.mgs out.mg4"
          "$convert in.mgs out.mg1 --char-height 1" "$convert --info in.mgs")
if command -v hyperfine >/dev/null 2>&1; then
    hyperfine -N --warmup 10 --runs "$runs" --export-json times.json "${commands[@]}" >/dev/null
    sed -n 's/.*"command": "\([^"]*\)".*/\1/p; s/.*"median": \([0-9.e-]*\).*/\1/p' times.json |
        paste - - | awk -F'\t' '{ printf "%-60s median %.2f ms\n", $1, $2 * 1000 }'
else
    for command in "${commands[@]}"; do
        for ((i = 0; i < runs; ++i)); do
            start=$(date +%s%N)
            $command >/dev/null
            echo $(( $(date +%s%N) - start ))
        done | sort -n | awk -v c="$command" '{ t[NR] = $1 } END {
            printf "%-60s median %.2f ms\n", c, t[int((NR + 1) / 2)] / 1e6 }'
    done
fi
