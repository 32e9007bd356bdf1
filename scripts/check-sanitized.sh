#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds everything with AddressSanitizer and UBSan and runs
# every test again in that build.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$top/scripts/install-deps.sh"
cmake -S "$top" -B "$top/build-asan" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTILESMITH_SANITIZE=ON -DTILESMITH_BUILD_BENCH=OFF
cmake --build "$top/build-asan"
ctest --test-dir "$top/build-asan" --output-on-failure --timeout 600 "$@"
