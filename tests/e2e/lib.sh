# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck shell=bash disable=SC2034,SC2059,SC2154
# Shared helpers of the end-to-end scripts: start the real program, find its windows and
# controls, reach menu items by caption, close it as a user would.
# Needs TILESMITH, XCLOSE, XPIXELS and MENU_KEYS in the environment (TILESMITH_CONVERT
# when a script uses the converter).

fail() {
    echo "FAIL: $*" >&2
    # For a person looking into a failure: a command of theirs that records the screen.
    [ -z "${E2E_ON_FAIL:-}" ] || eval "$E2E_ON_FAIL" || true
    exit 1
}

# poll SECONDS COMMAND...: runs the command every 0.1 s until it succeeds.
poll() {
    local seconds=$1
    shift
    for _ in $(seq $((seconds * 10))); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

# in_work_folder: a temporary folder with copies of the programs becomes the current one,
# so that no settings, recovery file or picture lands in the build folder or the user's
# home. At the end the copy whose process id is in `pid` is stopped and the folder goes.
work=""
pid=""
in_work_folder() {
    work=$(mktemp -d)
    trap 'kill $pid 2>/dev/null || true; rm -rf "$work"' EXIT
    # Recovery files of the copies under test stay in the work folder too.
    export XDG_STATE_HOME="$work/state"
    cp "$TILESMITH" "$work/tilesmith"
    [ -z "${TILESMITH_CONVERT:-}" ] || cp "$TILESMITH_CONVERT" "$work/tilesmith-convert"
    cd "$work" || fail "cannot enter $work"
    # The windows where the scripts look for them (a first start places them by the screen).
    printf '%s\n' '[positions]' picture_x=0 picture_y=40 picture_width=1033 \
        picture_height=794 picture_align=0 palette_x=3 palette_y=43 borderpal_x=345 \
        borderpal_y=43 preview_x=3 preview_y=43 zoompreview_x=495 zoompreview_y=43 \
        colorcorrector_x=3 colorcorrector_y=43 >tilesmith.ini
}

TITLE='tileSmith x0\.96'
# wait_for_window NAME-REGEX [SECONDS]: prints the id of the first window whose name matches.
wait_for_window() {
    local id
    for _ in $(seq $((${2:-20} * 10))); do
        id=$(xdotool search --name "$1" 2>/dev/null | head -n 1) && [ -n "$id" ] && echo "$id" && return 0
        sleep 0.1
    done
    return 1
}

# start: starts a copy on no file; sets pid and MAIN.
start() {
    ./tilesmith &
    pid=$!
    MAIN=$(wait_for_window "^$TITLE\$") || fail "no main window"
}

# close_window WINDOW PID: closes a copy as a window manager asks it to; nothing may be
# left unsaved, and the copy must end with status 0.
close_window() {
    "$XCLOSE" "$1" || fail "could not send the close request to $1"
    poll 20 eval "! kill -0 $2 2>/dev/null" || fail "process $2 did not end"
    wait "$2" || fail "process $2 exited with status $?"
}

# wait_for_popup MIN-WIDTH MAX-WIDTH [SECONDS]: the id of a shown window of the program
# whose width lies in the range (menus and message boxes are narrower than 560, a file
# dialog wider). Menus carry no WM_NAME, so they are found by their class.
wait_for_popup() {
    local id width
    for _ in $(seq $((${3:-20} * 10))); do
        for id in $(xdotool search --onlyvisible --class '^tilesmith$' 2>/dev/null); do
            width=$(xdotool getwindowgeometry "$id" 2>/dev/null | sed -n 's/.*Geometry: \([0-9]*\)x.*/\1/p')
            [ -n "$width" ] && [ "$width" -ge "$1" ] && [ "$width" -le "$2" ] && echo "$id" && return 0
        done
        sleep 0.1
    done
    return 1
}

# wait_for_file PATH SIZE: waits until the file exists with exactly SIZE bytes.
wait_for_file() { poll 20 eval "[ \"\$(stat -c %s '$1' 2>/dev/null)\" = $2 ]"; }

# pixel WINDOW X Y: the colour at a point of a window, RRGGBB.
pixel() { "$XPIXELS" "$1" "$2" "$3" 1 1; }
# wait_for_pixel WINDOW X Y RRGGBB: waits until the point shows the colour.
wait_for_pixel() { poll 10 eval "[ \"\$(pixel $1 $2 $3)\" = $4 ]"; }

# ---- Driving the main window ------------------------------------------------------------
# Without a window manager the main window fills the screen at (0, 0): window and screen
# coordinates are the same. The work area's top and the picture view are found by their
# pixels once, everything else from the controls' fixed places.

# find_top WINDOW: sets TOP, the work area's top, once the toolbar is painted: the pressed
# zoom key KEY_Zoom1_1, light blue inside a 2-pixel bevel, 4 pixels below the top.
find_top() {
    local row=""
    for _ in $(seq 100); do
        row=$("$XPIXELS" "$1" 20 0 1 200 2>/dev/null | awk '!f && $1 == "b8d0ec" { print NR; f = 1 }') || true
        [ -n "$row" ] && break
        sleep 0.1
    done
    [ -n "$row" ] || fail "cannot find the toolbar"
    TOP=$((row - 1 - 6))
}

# find_layout WINDOW: sets TOP, and VIEW_X, VIEW_Y, the picture view's corner (maximised
# picture window, zoom level 1): the first non-background pixel of the middle row and of
# the view's middle column, once two readings agree.
find_layout() {
    local window=$1 width height background from found=""
    find_top "$window"
    read -r width height < <(xdotool getwindowgeometry "$window" |
        sed -n 's/.*Geometry: \([0-9]*\)x\([0-9]*\).*/\1 \2/p')
    from=$((TOP + 41 + 24))
    for _ in $(seq 50); do
        background=$(pixel "$window" 10 $((height / 2)))
        VIEW_X=$("$XPIXELS" "$window" 0 $((height / 2)) "$width" 1 |
            awk -v bg="$background" '!f && NR > 10 && $1 != bg { print NR - 1; f = 1 }')
        VIEW_Y=""
        [ -z "$VIEW_X" ] || VIEW_Y=$("$XPIXELS" "$window" $((VIEW_X + 512)) "$from" 1 $((height - from)) |
            awk -v bg="$background" -v from="$from" '!f && $1 != bg { print from + NR - 1; f = 1 }')
        [ -n "$VIEW_Y" ] && [ "$VIEW_X,$VIEW_Y" = "$found" ] && return 0
        found="$VIEW_X,$VIEW_Y"
        sleep 0.2
    done
    fail "cannot find the picture view"
}

# at X Y: the screen point of picture pixel (X, Y) at zoom level 1. rest: the pointer onto
# the view, away from everything drawn, so that keys reach the picture.
at() { echo "$((VIEW_X + 4 * $1 + 2)) $((VIEW_Y + 4 * $2 + 2))"; }
rest() { xdotool mousemove $((VIEW_X + 600)) $((VIEW_Y + 700)); }

# stroke Y X0 X1 [STEP]: a pencil stroke along picture row Y; small pauses keep the moves
# from being merged into one.
stroke() {
    local x y px
    read -r x y < <(at "$2" "$1")
    xdotool mousemove "$x" "$y" mousedown 1
    for px in $(seq "$2" "${4:-1}" "$3"); do
        read -r x y < <(at "$px" "$1")
        xdotool mousemove "$x" "$y" sleep 0.01
    done
    xdotool mouseup 1
}

# tool_key NAME: a toolbar key by its left edge.
declare -A TOOL_KEY=([KEY_Palette]=228 [KEY_EditMode_RGB]=637)
tool_key() { xdotool mousemove "${TOOL_KEY[$1]}" $((TOP + 20)) click 1; }
# show_palette WINDOW: the Full Palette window from its key, at its default place (3, 43);
# PAL_X, PAL_Y is its inner corner. strip_click ROW INDEX: colour INDEX of the strip of
# ROW (0 paper0, 1 ink0, 2 paper1, 3 ink1). palette_swatch N: combination N (Pal4ColorN).
show_palette() {
    PAL_X=5 PAL_Y=$((TOP + 45))
    tool_key KEY_Palette
    wait_for_pixel "$1" $((PAL_X + 20)) $((PAL_Y + 8)) a6caf0 || fail "the Full Palette did not show"
}
strip_click() { xdotool mousemove $((PAL_X + 97 + 16 * $2)) $((PAL_Y + 316 + 24 * $1)) click 1 sleep 0.1; }
# set_colours PAPER0 INK0 PAPER1 INK1: the four strips at once.
set_colours() { for row in 0 1 2 3; do strip_click $row "${@:row+1:1}"; done; }
palette_swatch() {
    local lefts=(8 92 174 256)
    xdotool mousemove $((PAL_X + lefts[$1] + 36)) $((PAL_Y + 460)) click 1
}

# menu WINDOW TITLE ITEM [SUBITEM]: chooses a menu item by its captions: a click on the
# title, found in the bar's pixels as the n-th run of text, then the keys MENU_KEYS reads
# from the program's own menus, then Return.
menu() {
    local window=$1 n keys x
    shift
    read -r n keys < <("$MENU_KEYS" "$@" 2>/dev/null) || true
    [ -n "$n" ] || fail "the menus have no item '$*'"
    x=$("$XPIXELS" "$window" 0 $((TOP / 2)) 400 1 | awk -v n="$n" '
        NR == 1 { bg = $1 }
        $1 != bg { if (NR - last > 8 && ++runs == n && !f) { print NR + 3; f = 1 } last = NR }')
    [ -n "$x" ] || fail "cannot find menu $n in the menu bar"
    xdotool mousemove "$x" $((TOP / 2)) click 1
    wait_for_popup 50 1000 5 >/dev/null || fail "menu '$1' did not open"
    sleep 0.2 # the menu takes the keyboard once it is shown
    # shellcheck disable=SC2086
    xdotool key $keys Return
}

# answer_file_dialog PATH: types PATH into the file dialog's name field and accepts.
answer_file_dialog() {
    local dialog
    dialog=$(wait_for_popup 560 1000) || fail "no file dialog appeared"
    # The dialog gives its name field the focus as it is shown; keys count from then on.
    poll 10 eval "[ \"\$(xdotool getwindowfocus 2>/dev/null)\" = $dialog ]" || true
    sleep 0.1
    xdotool key ctrl+a
    xdotool type --delay 2 "$1"
    xdotool key Return
    poll 20 eval "! xdotool search --onlyvisible --class '^tilesmith\$' 2>/dev/null | grep -qx $dialog" ||
        fail "the file dialog stayed open for $1"
}

# save_mgs NAME: Ctrl+S over the view, NAME typed into the save dialog; waits for the file.
save_mgs() {
    rest
    xdotool key ctrl+s
    answer_file_dialog "$work/$1"
    wait_for_file "$work/$1" 36871 || fail "$1 was not written"
}
