#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what building, running and testing need on Debian or Ubuntu.
set -euo pipefail

packages=(
    cmake g++ make pkg-config
    qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite
    fonts-noto-core
    # tests: a virtual display, a window manager to close the window, the
    # clipboard, screenshots, and a look into the database
    xvfb xauth openbox wmctrl xclip imagemagick sqlite3
    # tests: the installed menu entry and metainfo, started as desktops do
    desktop-file-utils appstream libglib2.0-bin
    # tests: the Windows resource script
    binutils-mingw-w64-x86-64
    # checks: fuzzing, sanitizers, format and static analysis; benchmarks
    clang libclang-rt-14-dev clang-format clang-tidy libbenchmark-dev libsqlite3-dev
)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
"${sudo[@]}" apt-get update
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y "${missing[@]}"
