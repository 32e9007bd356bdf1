# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck shell=bash
# Shared helpers of the end-to-end scripts: start the real program, find its window,
# close it as a user would.
# Needs TILESMITH (the program), XCLOSE (the close helper) and XPIXELS (the pixel reader)
# in the environment.

fail() {
    echo "FAIL: $*" >&2
    # For a person looking into a failure: a command of theirs that records the screen.
    [ -z "${E2E_ON_FAIL:-}" ] || eval "$E2E_ON_FAIL" || true
    exit 1
}

# in_work_folder: makes a temporary folder holding a copy of the program (and of the
# converter, when TILESMITH_CONVERT names it) the current folder, so that no settings file,
# recovery file or picture lands in the build folder or the user's home. When the script ends the folder goes, and every
# copy of the program whose process id is in `pid` or `pids` is stopped.
work=""
pid=""
pids=()
in_work_folder() {
    work=$(mktemp -d)
    trap 'stop_copies; rm -rf "$work"' EXIT
    # Recovery files of the copies under test stay in the work folder too.
    export XDG_STATE_HOME="$work/state"
    cp "$TILESMITH" "$work/tilesmith"
    if [ -n "${TILESMITH_CONVERT:-}" ]; then
        cp "$TILESMITH_CONVERT" "$work/tilesmith-convert"
    fi
    cd "$work" || fail "cannot enter $work"
}
stop_copies() {
    local p
    for p in $pid "${pids[@]}"; do
        kill "$p" 2>/dev/null || true
    done
}

# start_two_copies: starts two copies of the program from the work folder and sets A and B
# to their windows (both untitled, so B is the one that is not A).
start_two_copies() {
    local title='^tileSmith x0\.96$'
    ./tilesmith &
    pids+=($!)
    A=$(wait_for_window "$title") || fail "copy A showed no window"
    ./tilesmith &
    pids+=($!)
    B=""
    for _ in $(seq 200); do
        B=$(xdotool search --name "$title" 2>/dev/null | grep -vx "$A" | head -n 1) || true
        [ -n "$B" ] && return 0
        sleep 0.1
    done
    fail "copy B showed no window"
}

# front WINDOW: two copies fill the screen at the same place; without a window manager a
# click gives its window the keyboard for good, so the copy that is to take the pointer and
# the keys is raised and focused.
front() {
    xdotool windowraise "$1"
    xdotool windowfocus "$1" 2>/dev/null || true
    sleep 0.5 # the copy repaints what was hidden
}

# wait_for_window NAME-REGEX [SECONDS]: prints the id of the first window whose name matches.
wait_for_window() {
    local pattern=$1 seconds=${2:-20} id
    for _ in $(seq $((seconds * 10))); do
        id=$(xdotool search --name "$pattern" 2>/dev/null | head -n 1) || true
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# wait_for_exit PID [SECONDS]: waits for the process and returns its exit status.
wait_for_exit() {
    local pid=$1 seconds=${2:-20}
    for _ in $(seq $((seconds * 10))); do
        if ! kill -0 "$pid" 2>/dev/null; then
            wait "$pid"
            return $?
        fi
        sleep 0.1
    done
    kill "$pid" 2>/dev/null
    fail "process $pid did not end within $seconds s"
}

# close_discarding WINDOW PID: closes a copy of the program as a user would and, when it
# asks about unsaved changes, answers Discard (the button after the default Save); then
# waits for it to end and returns its exit status.
close_discarding() {
    local window=$1 pid=$2
    "$XCLOSE" "$window" || fail "could not send the close request to $window"
    for _ in $(seq 20); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$pid" 2>/dev/null; then
        xdotool key Tab space
    fi
    wait_for_exit "$pid"
}

# ---- Driving the main window ------------------------------------------------------------
# The main window fills the screen at (0, 0) (there is no window manager), so window and
# screen coordinates are the same. The helpers below place the pointer from the layout the
# program draws: they find the work area's top and the picture view by their pixels once,
# and everything else from the fixed positions of the controls in the work area.

# wait_for_popup MIN-WIDTH MAX-WIDTH [SECONDS]: prints the id of a mapped window of the
# program whose width lies in the range. Menus, dialogs and message boxes are top-level
# windows of their own, narrower than a main window (which fills the screen); a file
# dialog (624 pixels wide) is the only one wider than 560 (the question on close is 500).
# Menus carry no WM_NAME, so they are found by their class.
wait_for_popup() {
    local minWidth=$1 maxWidth=$2 seconds=${3:-20} id width
    for _ in $(seq $((seconds * 10))); do
        for id in $(xdotool search --onlyvisible --class '^tilesmith$' 2>/dev/null); do
            width=$(xdotool getwindowgeometry "$id" 2>/dev/null |
                sed -n 's/.*Geometry: \([0-9]*\)x.*/\1/p')
            if [ -n "$width" ] && [ "$width" -ge "$minWidth" ] && [ "$width" -le "$maxWidth" ]; then
                echo "$id"
                return 0
            fi
        done
        sleep 0.1
    done
    return 1
}

# wait_gone WINDOW [SECONDS]: waits until the window is no longer mapped.
wait_gone() {
    local window=$1 seconds=${2:-20}
    for _ in $(seq $((seconds * 10))); do
        xdotool search --onlyvisible --class '^tilesmith$' 2>/dev/null | grep -qx "$window" || return 0
        sleep 0.1
    done
    return 1
}

# wait_for_file PATH SIZE [SECONDS]: waits until the file exists with exactly SIZE bytes.
wait_for_file() {
    local path=$1 size=$2 seconds=${3:-20}
    for _ in $(seq $((seconds * 10))); do
        [ -f "$path" ] && [ "$(stat -c %s "$path")" -eq "$size" ] && return 0
        sleep 0.1
    done
    return 1
}

# pixel WINDOW X Y: the colour at a point of a window, RRGGBB.
pixel() { "$XPIXELS" "$1" "$2" "$3" 1 1; }

# wait_for_pixel WINDOW X Y RRGGBB [SECONDS]: waits until the point shows the colour.
wait_for_pixel() {
    local window=$1 x=$2 y=$3 colour=$4 seconds=${5:-10}
    for _ in $(seq $((seconds * 10))); do
        [ "$(pixel "$window" "$x" "$y")" = "$colour" ] && return 0
        sleep 0.1
    done
    return 1
}

# wait_for_pixel_not WINDOW X Y RRGGBB [SECONDS]: waits until the point shows another colour.
wait_for_pixel_not() {
    local window=$1 x=$2 y=$3 colour=$4 seconds=${5:-10}
    for _ in $(seq $((seconds * 10))); do
        [ "$(pixel "$window" "$x" "$y")" != "$colour" ] && return 0
        sleep 0.1
    done
    return 1
}

# find_top WINDOW: sets TOP, the top of the work area below the menu bar, in window
# coordinates. A window has its name before it is mapped and painted, so this waits for the
# toolbar to show.
find_top() {
    local row=""
    for _ in $(seq 100); do
        # The pressed zoom key KEY_Zoom1_1: light blue inside a 2-pixel bevel, its frame 4
        # pixels below the work area's top.
        row=$("$XPIXELS" "$1" 20 0 1 200 2>/dev/null |
            awk '!found && $1 == "b8d0ec" { print NR; found = 1 }') || true
        [ -n "$row" ] && break
        sleep 0.1
    done
    [ -n "$row" ] || fail "cannot find the toolbar"
    TOP=$((row - 1 - 6))
}

# find_layout WINDOW: sets TOP, and VIEW_X and VIEW_Y, the top-left corner of the picture
# view, in window coordinates. Call it while the picture window is maximised, at zoom
# level 1, and nothing covers the middle of the view.
find_layout() {
    local window=$1 width height background from found=""
    find_top "$window"
    read -r width height < <(xdotool getwindowgeometry "$window" |
        sed -n 's/.*Geometry: \([0-9]*\)x\([0-9]*\).*/\1 \2/p')
    from=$((TOP + 41 + 24))
    # The view is the first thing in the picture window's middle row that is not its
    # background, and the first in the view's middle column below the title bar; the
    # answer counts once two readings agree.
    for _ in $(seq 50); do
        background=$(pixel "$window" 10 $((height / 2)))
        VIEW_X=$("$XPIXELS" "$window" 0 $((height / 2)) "$width" 1 |
            awk -v bg="$background" '!found && NR > 10 && $1 != bg { print NR - 1; found = 1 }')
        VIEW_Y=""
        [ -z "$VIEW_X" ] || VIEW_Y=$("$XPIXELS" "$window" $((VIEW_X + 512)) "$from" 1 $((height - from)) |
            awk -v bg="$background" -v from="$from" '!found && $1 != bg { print from + NR - 1; found = 1 }')
        if [ -n "$VIEW_Y" ] && [ "$VIEW_X,$VIEW_Y" = "$found" ]; then
            return 0
        fi
        found="$VIEW_X,$VIEW_Y"
        sleep 0.2
    done
    fail "cannot find the picture view"
}

# at X Y: the screen point of picture pixel (X, Y) at zoom level 1 (4 screen pixels a
# picture pixel; the middle of the pixel's square).
at() { echo "$((VIEW_X + 4 * $1 + 2)) $((VIEW_Y + 4 * $2 + 2))"; }

# click_at X Y [BUTTON]: a click on picture pixel (X, Y).
click_at() {
    # shellcheck disable=SC2046
    xdotool mousemove $(at "$1" "$2") click "${3:-1}"
}

# Toolbar keys by their left edge in the toolbar (32 wide, 4 below the work area's top).
declare -A TOOL_KEY=(
    [KEY_Palette]=212 [KEY_BorderPalette]=244
    [Key_Instrument_Paint]=668 [Key_Instrument_Line]=700 [Key_Instrument_Rect]=732
)
tool_key() { xdotool mousemove $((TOOL_KEY[$1] + 16)) $((TOP + 20)) click 1; }
# The two captioned mode keys KEY_EditMode_PIX and KEY_EditMode_RGB.
pix_key() { xdotool mousemove $((572 + 20)) $((TOP + 20)) click 1; }
rgb_key() { xdotool mousemove $((613 + 24)) $((TOP + 20)) click 1; }
# swatch_point N: the middle of the toolbar's current-colour swatch N
# (CharPal_SelectedColor0..3); swatch_colour WINDOW N: its colour.
swatch_point() {
    local lefts=(11 62 111 158) widths=(46 43 42 43)
    echo "$((356 + lefts[$1] + widths[$1] / 2)) $((TOP + 4 + 12 + 8))"
}
# shellcheck disable=SC2046
swatch_colour() { pixel "$1" $(swatch_point "$2"); }

# The Full Palette window at its default place (3, 43): PAL_X, PAL_Y is its inner corner.
palette_corner() {
    PAL_X=$((3 + 2))
    PAL_Y=$((TOP + 43 + 2))
}
# strip_click ROW INDEX: colour INDEX of the strip right of ZX button ROW (0 paper0,
# 1 ink0, 2 paper1, 3 ink1).
strip_click() {
    xdotool mousemove $((PAL_X + 89 + 16 * $2 + 8)) $((PAL_Y + 308 + 24 * $1 + 8)) click 1
}
# palette_swatch N: the window's swatch of combination N (Pal4Color0..3).
palette_swatch() {
    local lefts=(8 92 174 256)
    xdotool mousemove $((PAL_X + lefts[$1] + 36)) $((PAL_Y + 448 + 12)) click 1
}

# file_menu KEY...: opens the File menu with a click and presses the KEYs (Down, Up, Right,
# Return ...) in it. A menu opened by the mouse has no active item: the first Down makes
# the first item active, the first Up the last.
file_menu() {
    xdotool mousemove 16 $((TOP / 2)) click 1
    wait_for_popup 50 1000 5 >/dev/null || fail "the File menu did not open"
    sleep 0.2 # the menu takes the keyboard once it is shown
    xdotool key "$@"
}
# menu_bar WINDOW N KEY...: opens the menu bar's Nth menu (1 File, 2 Edit, 3 Color
# Corrector) with a click on its title and presses the KEYs in it. The titles are found
# from the bar's pixels: runs of text separated by background, read along the middle row.
menu_bar() {
    local window=$1 n=$2 x
    shift 2
    x=$("$XPIXELS" "$window" 0 $((TOP / 2)) 400 1 | awk -v n="$n" '
        NR == 1 { bg = $1 }
        $1 != bg { if (NR - last > 8) { runs++; if (runs == n) { print NR + 3; exit } } last = NR }')
    [ -n "$x" ] || fail "cannot find menu $n in the menu bar"
    xdotool mousemove "$x" $((TOP / 2)) click 1
    wait_for_popup 50 1000 5 >/dev/null || fail "menu $n did not open"
    sleep 0.2
    xdotool key "$@"
}

# The File menu's items in keyboard order (separators are skipped).
# shellcheck disable=SC2034
FILE_CHANGE_CHAR_SIZE=2 FILE_SAVE_MGS=4 FILE_EXPORT=7
# file_item N [KEY...]: the File menu's item N, then KEYs inside its submenu.
file_item() {
    local n=$1
    shift
    local keys=()
    for _ in $(seq "$n"); do keys+=(Down); done
    file_menu "${keys[@]}" "$@" Return
}

# answer_file_dialog PATH: types PATH into the open file dialog's name field and accepts.
answer_file_dialog() {
    local dialog
    dialog=$(wait_for_popup 560 1000) || fail "no file dialog appeared"
    # The dialog gives its name field the focus as it is shown; keys count from then on.
    for _ in $(seq 100); do
        [ "$(xdotool getwindowfocus 2>/dev/null)" = "$dialog" ] && break
        sleep 0.1
    done
    sleep 0.1
    xdotool key ctrl+a
    xdotool type --delay 2 "$1"
    xdotool key Return
    wait_gone "$dialog" || fail "the file dialog stayed open for $1"
}

# drag X Y DX DY: presses the left button at (X, Y), moves by (DX, DY) in a few steps and
# lets go.
drag() {
    local x=$1 y=$2 dx=$3 dy=$4
    xdotool mousemove "$x" "$y" mousedown 1
    for step in 1 2 3 4; do
        xdotool mousemove $((x + dx * step / 4)) $((y + dy * step / 4)) sleep 0.05
    done
    xdotool mouseup 1
}

# ---- Reading .mgs files ----------------------------------------------------------------
# A version-1 .mgs: 7 header bytes, the pixels of screen 0 and screen 1 (rows of 32 bytes,
# top to bottom), then the attributes of screen 0 and screen 1 (rows of 32 cells of two
# bytes, ink then paper).

# byte FILE OFFSET: the byte's value, decimal.
byte() { od -An -tu1 -j "$2" -N1 "$1" | tr -d ' '; }
# pix FILE SCREEN X Y: the pixel bit, 0 or 1.
pix() {
    local value
    value=$(byte "$1" $((7 + $2 * 6144 + $4 * 32 + $3 / 8)))
    echo $(((value >> (7 - $3 % 8)) & 1))
}
# attr FILE SCREEN COLUMN ROW: "ink paper" of the stored attribute of a pixel row.
attr() {
    local offset=$((12295 + $2 * 12288 + $4 * 64 + $3 * 2))
    od -An -tu1 -j "$offset" -N2 "$1" | awk '{ print $1, $2 }'
}

# pattern COUNT SEED [MODULUS]: COUNT bytes from a small linear congruential generator, each
# taken modulo MODULUS (256 by default), so that test pictures are the same on every run.
pattern() {
    LC_ALL=C awk -v n="$1" -v x="$2" -v m="${3:-256}" \
        'BEGIN { for (i = 0; i < n; i++) { x = (x * 75 + 74) % 65537; printf "%c", x % m } }'
}
