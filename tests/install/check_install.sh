#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a temporary prefix and checks it as a desktop sees it: every file
# in its freedesktop place and valid, the MIME types found for real files, and the
# thumbnailer run exactly as a file manager runs it.
set -euo pipefail
build=$1
top=$(mktemp -d)
trap 'rm -rf "$top"' EXIT
prefix=$top/prefix
share=$prefix/share
work=$top/work
mkdir -p "$work" "$top/empty"
app=org.tilesmith.TileSmith

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

cmake --install "$build" --prefix "$prefix" >/dev/null

# --- The layout: what must be there, and nothing outside the freedesktop places.
required=(bin/tilesmith bin/tilesmith-convert share/applications/$app.desktop
    share/metainfo/$app.metainfo.xml share/mime/packages/tilesmith.xml
    share/thumbnailers/tilesmith.thumbnailer share/icons/hicolor/scalable/apps/$app.svg
    share/man/man1/tilesmith.1 share/man/man1/tilesmith-convert.1)
for size in 16 32 48 64 128 256; do
    required+=("share/icons/hicolor/${size}x$size/apps/$app.png")
done
for f in "${required[@]}"; do
    [ -f "$prefix/$f" ] || fail "$f is not installed"
done
(cd "$prefix" && find . -type f | sed 's|^\./||') | while read -r f; do
    case $f in
    bin/* | share/applications/*.desktop | share/metainfo/*.metainfo.xml) ;;
    share/mime/packages/*.xml | share/thumbnailers/*.thumbnailer | share/man/man1/*.1) ;;
    share/icons/hicolor/*/apps/$app.png | share/icons/hicolor/scalable/*/*.svg) ;;
    share/tilesmith/*) ;; # the program's own data
    *) fail "$f is installed outside the places a desktop looks" ;;
    esac
done

# --- The version the programs report, which the metainfo and the manuals must name.
env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/tilesmith" --version >"$work/version" ||
    fail "tilesmith --version failed without a display"

# --- Metadata the desktop tools must accept.
desktop-file-validate "$share/applications/$app.desktop" || fail "invalid desktop entry"
appstreamcli validate --no-net "$share/metainfo/$app.metainfo.xml" >"$work/appstream" 2>&1 ||
    fail "invalid metainfo: $(cat "$work/appstream")"
# The manuals and the release list name the version the programs report.
version=$(awk '{ print $3; exit }' "$work/version")
grep -q "<release version=\"$version\"" "$share/metainfo/$app.metainfo.xml" || fail "no release $version"
for page in tilesmith tilesmith-convert; do
    grep -q "\"tileSmith $version\"" "$share/man/man1/$page.1" || fail "$page.1 does not name $version"
done
# The converter's manual names every option its --help lists.
for option in $("$prefix/bin/tilesmith-convert" --help | grep -o -- '^  --[a-z-]*'); do
    grep -q -- "${option//-/\\\\-}" "$share/man/man1/tilesmith-convert.1" ||
        fail "tilesmith-convert.1 does not describe $option"
done
# --- MIME types: defined, named alike by the desktop entry, metainfo and thumbnailer, and
# each with an icon.
update-mime-database "$share/mime" >/dev/null 2>&1 || fail "update-mime-database rejected the MIME types"
types=$(sed -n 's/^MimeType=//p' "$share/applications/$app.desktop" | tr ';' '\n' | sort)
[ "$(sed -n 's/^MimeType=//p' "$share/thumbnailers/tilesmith.thumbnailer" | tr ';' '\n' | sort)" = "$types" ] ||
    fail "the thumbnailer and the desktop entry name different MIME types"
for type in $types; do
    grep -q ":$type:" "$share/mime/globs2" || fail "the desktop entry names $type, which is not defined"
    grep -q "<mediatype>$type</mediatype>" "$share/metainfo/$app.metainfo.xml" || fail "the metainfo lacks $type"
    [ -f "$share/icons/hicolor/scalable/mimetypes/${type//\//-}.svg" ] || fail "$type has no icon"
done

# --- A sample of every format, made with the installed converter from two random screens.
convert=$prefix/bin/tilesmith-convert
head -c 13824 /dev/urandom >"$work/pic.img"
head -c 6912 "$work/pic.img" >"$work/pic.scr"
head -c 17 /dev/zero | cat - "$work/pic.img" >"$work/pic.\$img"
head -c 17 /dev/zero | cat - "$work/pic.scr" >"$work/pic.\$scr"
"$convert" "$work/pic.img" "$work/pic.mgs"
for n in 1 2 4 8; do
    "$convert" --char-height $n "$work/pic.img" "$work/pic.mg$n"
done
declare -A type_of=([mgs]=application/x-tilesmith-mgs [mg1]=image/x-zx-multigigascreen
    [mg2]=image/x-zx-multigigascreen [mg4]=image/x-zx-multigigascreen
    [mg8]=image/x-zx-multigigascreen [img]=image/x-zx-gigascreen ['$img']=image/x-zx-gigascreen
    [scr]=image/x-zx-screen ['$scr']=image/x-zx-screen)

# --- The thumbnailer, as a file manager runs it: its Exec line with %s, %i and %o filled
# in, the program found through PATH after TryExec.
entry=$share/thumbnailers/tilesmith.thumbnailer
read -r -a exec_line <<<"$(sed -n 's/^Exec=//p' "$entry")"
export PATH=$prefix/bin:$PATH
command -v "$(sed -n 's/^TryExec=//p' "$entry")" >/dev/null || fail "TryExec is not found"
thumbnail() { # SIZE INPUT OUTPUT
    local args=() arg
    for arg in "${exec_line[@]}"; do
        case $arg in
        %s) args+=("$1") ;;
        %i) args+=("$2") ;;
        %o) args+=("$3") ;;
        *) args+=("$arg") ;;
        esac
    done
    "${args[@]}"
}
# Each file: its MIME type from the installed database only, so that the answer is ours and
# not another program's (.img also names disk images), then its thumbnails.
# Upper-case names, as a file manager may pass them.
for ext in "${!type_of[@]}"; do
    file=$work/UPPER.${ext^^}
    cp "$work/pic.$ext" "$file"
    got=$(XDG_CURRENT_DESKTOP=GNOME XDG_DATA_HOME=$top/empty XDG_DATA_DIRS=$share \
        xdg-mime query filetype "$file")
    [ "$got" = "${type_of[$ext]}" ] || fail "xdg-mime finds ${file##*/} to be '$got'"
    # At 256 the thumbnail is the picture itself: the converter's PNG export, byte for byte.
    thumbnail 256 "$file" "$work/large.png" || fail "no large thumbnail of ${file##*/}"
    "$convert" --png 1 "$work/pic.$ext" "$work/export.png"
    cmp -s "$work/large.png" "$work/export.png" || fail "the 256 thumbnail of ${file##*/} is not the picture"
done
# A damaged file: exit status 1 and no thumbnail, so the file manager shows its icon.
for ext in mgs '$img'; do
    head -c 100 "$work/pic.$ext" >"$work/short.$ext"
    status=0
    thumbnail 128 "$work/short.$ext" "$work/damaged.png" 2>/dev/null || status=$?
    [ $status = 1 ] || fail "a damaged .$ext gives exit status $status"
    [ ! -e "$work/damaged.png" ] || fail "a damaged .$ext leaves a thumbnail"
done
# --- The preview scripts turn a picture into a snapshot with the installed converter and
# start Fuse on it (here a stand-in that records its arguments).
view=$work/zxview
mkdir -p "$view/fakebin"
printf '#!/bin/sh\necho "$@" > "%s/fuse-args"\n' "$view" >"$view/fakebin/fuse-sdl"
chmod +x "$view/fakebin/fuse-sdl"
{ printf 'MGH\001\010'; head -c 14075 /dev/zero; } >"$view/image.mg8" # a blank 8x8 picture
(cd "$view" && PATH="$view/fakebin:/usr/bin:/bin" "$share/tilesmith/zxview/view8x8.sh") ||
    fail "view8x8.sh failed"
[ -s "$view/image.z80" ] || fail "view8x8.sh wrote no snapshot"
grep -q -- "--snapshot $view/image.z80" "$view/fuse-args" || fail "view8x8.sh did not start Fuse on the snapshot"
echo "ok: installed tree is complete, valid and usable by a desktop"
