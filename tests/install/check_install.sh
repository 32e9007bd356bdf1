#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a temporary prefix and checks the tree a desktop needs: the
# programs, a valid desktop entry, the icon and MIME types a file manager understands.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

cmake --install "$build" --prefix "$prefix" >/dev/null
for f in bin/tilesmith bin/tilesmith-convert share/applications/tilesmith.desktop \
    share/icons/hicolor/64x64/apps/tilesmith.png share/mime/packages/tilesmith.xml; do
    [ -e "$prefix/$f" ] || fail "$f is not installed"
done
"$prefix/bin/tilesmith-convert" --list-png >/dev/null || fail "the installed converter does not run"

desktop-file-validate "$prefix/share/applications/tilesmith.desktop" || fail "invalid desktop entry"

update-mime-database "$prefix/share/mime" >/dev/null 2>&1 || fail "update-mime-database rejected the MIME types"
globs="$prefix/share/mime/globs2"
for pattern in '*.mgs' '*.mg1' '*.mg2' '*.mg4' '*.mg8' '*.scr' '*.img'; do
    grep -q ":$pattern\$" "$globs" || grep -q ":$pattern:" "$globs" || fail "no MIME type for $pattern"
done
# Every MIME type the desktop entry names is defined.
types=$(sed -n 's/^MimeType=//p' "$prefix/share/applications/tilesmith.desktop" | tr ';' ' ')
for type in $types; do
    grep -q ":$type:" "$globs" || fail "the desktop entry names $type, which is not defined"
done
# The preview scripts turn a picture into a snapshot with the installed converter and
# start Fuse on it (here a stand-in that records its arguments).
work=$prefix/work
mkdir -p "$work/fakebin"
printf '#!/bin/sh\necho "$@" > "%s/fuse-args"\n' "$work" > "$work/fakebin/fuse-sdl"
chmod +x "$work/fakebin/fuse-sdl"
{ printf 'MGH\001\010'; head -c 14075 /dev/zero; } > "$work/image.mg8" # a blank 8x8 picture
(cd "$work" && PATH="$work/fakebin:/usr/bin:/bin" "$prefix/share/tilesmith/zxview/view8x8.sh") ||
    fail "view8x8.sh failed"
[ -s "$work/image.z80" ] || fail "view8x8.sh wrote no snapshot"
grep -q -- "--snapshot $work/image.z80" "$work/fuse-args" || fail "view8x8.sh did not start Fuse on the snapshot"
echo "ok: installed tree is complete and valid"
