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
