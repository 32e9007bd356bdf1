#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by view8x1.sh ... view8x8.sh: turns an MG picture into a Spectrum snapshot with
# our viewer (tilesmith-convert) and shows it in Fuse, or says where the snapshot is.
# Usage: zxview.sh N [PICTURE [128|pentagon]]   (PICTURE defaults to image.mgN)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
height=$1
picture=${2:-image.mg$height}
# Every mode runs on the 128K, the commoner machine.
machine=${3:-128}

say() {
    echo "$1" >&2
    if command -v notify-send >/dev/null 2>&1; then
        notify-send "tileSmith" "$1" 2>/dev/null || true
    fi
}

# The converter beside us: in a build tree (zxview/ next to the programs), in an installed
# tree (share/tilesmith/zxview/ under the prefix), or on the PATH.
convert=
for candidate in "$here/../tilesmith-convert" "$here/../../../bin/tilesmith-convert"; do
    if [ -x "$candidate" ]; then
        convert=$candidate
        break
    fi
done
if [ -z "$convert" ]; then
    convert=$(command -v tilesmith-convert || true)
fi
if [ -z "$convert" ]; then
    say "tilesmith-convert was not found next to this script or on the PATH."
    exit 1
fi
if [ ! -f "$picture" ]; then
    say "There is no picture $picture to show."
    exit 1
fi

# The snapshot goes beside the picture, or into the cache when that folder is read-only.
folder=$(cd "$(dirname "$picture")" && pwd)
if [ ! -w "$folder" ]; then
    folder=${XDG_CACHE_HOME:-$HOME/.cache}/tilesmith
    mkdir -p "$folder"
fi
base=$(basename "$picture")
snapshot=$folder/${base%.*}.z80
# Reading an MG file leaves the border alone, so the header's border pair is passed on.
border=$(od -An -tu1 -j5 -N2 "$picture" | awk '$1 <= 7 && $2 <= 7 { print $1 "," $2 }')
"$convert" --machine "$machine" ${border:+--border "$border"} "$picture" "$snapshot"

fuse=
for name in fuse-sdl fuse-gtk fuse; do
    if command -v "$name" >/dev/null 2>&1; then
        fuse=$name
        break
    fi
done
if [ -z "$fuse" ]; then
    say "The snapshot is $snapshot. To see it, install Fuse (on Debian or Ubuntu: sudo apt install fuse-emulator-sdl opense-basic) or load it in any Spectrum emulator."
    exit 0
fi

# Without Sinclair's ROMs the free OpenSE BASIC serves: the viewer needs no ROM routine.
roms=/usr/share/spectrum-roms
set --
if [ "$machine" = pentagon ]; then
    if [ ! -f "$roms/128p-0.rom" ] && [ -f "$roms/opense.rom" ]; then
        set -- --rom-pentagon-0 "$roms/opense.rom" --rom-pentagon-1 "$roms/opense.rom" \
            --rom-pentagon-2 "$roms/opense-stub.rom"
    fi
    set -- --machine pentagon "$@"
else
    if [ ! -f "$roms/128-0.rom" ] && [ -f "$roms/opense.rom" ]; then
        set -- --rom-128-0 "$roms/opense.rom" --rom-128-1 "$roms/opense.rom"
    fi
    set -- --machine 128 "$@"
fi
exec "$fuse" "$@" --snapshot "$snapshot"
