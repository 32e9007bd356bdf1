# Shared helpers of the end-to-end scripts: start the real program, find its window,
# close it as a user would.
# Needs TILESMITH (the program), XCLOSE (the close helper) and XPIXELS (the pixel reader)
# in the environment.

fail() {
    echo "FAIL: $*" >&2
    exit 1
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
