#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the fuzz targets with clang and libFuzzer and runs each for a fixed time:
#   scripts/fuzz.sh [seconds-per-target] [target...]
# Each run starts from the stored inputs in fuzz/inputs/<target>. A crash fails the run;
# copy the reported input into fuzz/inputs/<target> so that every later test run
# replays it.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(fuzz_picture_readers fuzz_clipboard_block fuzz_palette_message fuzz_settings_file
    fuzz_picture_file fuzz_dbus_arguments fuzz_settings_rewrite)

TILESMITH_WITH_FUZZ=1 "$top/scripts/install-deps.sh"
build="$top/build-fuzz"
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DTILESMITH_FUZZ=ON \
    -DTILESMITH_BUILD_TESTS=OFF -DTILESMITH_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target "${targets[@]}"

# Targets that write files (each one synced to disk) run much faster on a memory file system.
[ -w /dev/shm ] && export TMPDIR=/dev/shm
status=0
for target in "${targets[@]}"; do
    corpus="$build/corpus/$target"
    artifacts="$build/artifacts/$target/"
    mkdir -p "$corpus" "$artifacts"
    cp -n "$top/fuzz/inputs/$target/"* "$corpus/" 2>/dev/null || true
    echo "== $target: $seconds s"
    if ! LSAN_OPTIONS="suppressions=$top/tests/lsan.supp" \
        "$build/$target" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=4096 \
        -artifact_prefix="$artifacts" -print_final_stats=1 "$corpus" >"$build/$target.log" 2>&1; then
        echo "FAIL: $target found a crash; input in $artifacts" >&2
        tail -n 40 "$build/$target.log" >&2
        status=1
    else
        grep -E '^(Done|stat::number_of_executed_units)' "$build/$target.log" || true
    fi
done
exit $status
