#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian/Ubuntu packages tileSmith needs to build, run and test, but
# only those that are missing, so that a second run costs a second. Works as root,
# or as a normal user through sudo.
set -euo pipefail

packages=(
    g++ cmake ninja-build pkg-config
    qt6-base-dev qt6-qpa-plugins libpng-dev libgif-dev libx11-dev
    libgtest-dev libbenchmark-dev
    xvfb xauth xdotool dbus fontconfig fonts-dejavu-core
    desktop-file-utils shared-mime-info clang-format git
    pasmo fuse-emulator-sdl fuse-emulator-utils opense-basic
    librsvg2-bin appstream groff-base xdg-utils libglib2.0-bin
)
if [ "${TILESMITH_WITH_FUZZ:-0}" = 1 ]; then
    packages+=(clang libclang-rt-dev)
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
    sudo=()
elif command -v sudo >/dev/null 2>&1; then
    sudo=(sudo)
else
    echo "error: these packages are missing and neither root nor sudo is available: ${missing[*]}" >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
