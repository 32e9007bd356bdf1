#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Times whole runs of tilesmith-convert (process start to exit) on one picture and on one
# 256 x 192 photo (every char height, no dithering and diffusion): with hyperfine when it
# is installed, otherwise with a plain loop. Prints medians.
# Usage: bench/time_convert.sh [build-dir] [runs] [photo]
# Without a photo, ImageMagick (when installed) makes a plasma picture to stand in for one.
set -euo pipefail
build=${1:-build}
runs=${2:-200}
photo=${3:+$(cd "$(dirname "$3")" && pwd)/$(basename "$3")}
convert=$(cd "$build" && pwd)/tilesmith-convert
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
head -c 6912 /dev/urandom > in.scr
"$convert" in.scr in.mgs

commands=("$convert in.mgs out.mg4" "$convert in.mgs out.mg1 --char-height 1" "$convert --info in.mgs")
if [[ -n $photo ]]; then
    cp "$photo" "photo.${photo##*.}"
    photo=photo.${photo##*.}
elif command -v convert >/dev/null 2>&1; then
    convert -seed 14 -size 256x192 plasma:fractal -blur 0x1 photo.png
    photo=photo.png
fi
if [[ -n $photo ]]; then
    for height in 8 4 2 1; do
        for dither in none diffusion; do
            commands+=("$convert $photo out.mgs --char-height $height --dither $dither")
        done
    done
fi
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
