#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the Windows installer on Debian: installs what is missing, builds
# Qt and Hunspell for Windows from Debian's sources (or reuses the cached
# builds), builds the program with the word list made by this machine's
# importer, packs the installer and prints its path and size last. With
# --test it also runs the fast tests under Wine and the installer's
# end-to-end test.
# Usage: scripts/windows.sh [--test] [BUILD_DIR]   (default: build-windows)
# ORVANTA_HOST_IMPORTER names an en-si-import of this machine to use instead
# of building one.
set -euo pipefail
cd "$(dirname "$0")/.."
test=OFF
if [ "${1:-}" = "--test" ]; then
    test=ON
    shift
fi
build=${1:-build-windows}

if [ $test = ON ]; then
    scripts/install-deps.sh test
else
    scripts/install-deps.sh windows
fi
qt=$(packaging/windows/build-qt.sh | tail -1)
hunspell=$(packaging/windows/build-hunspell.sh | tail -1)

importer=${ORVANTA_HOST_IMPORTER:-}
if [ -z "$importer" ]; then
    cmake -S . -B "$build/host" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DORVANTA_BENCHMARKS=OFF >/dev/null
    cmake --build "$build/host" --target en-si-import -j"$(nproc)" >/dev/null
    importer=$build/host/en-si-import
fi
importer=$(realpath "$importer")

# pkg-config finds the Windows Hunspell and never this machine's.
PKG_CONFIG_LIBDIR=$hunspell/lib/pkgconfig PKG_CONFIG_PATH='' \
    cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=packaging/windows/mingw64.cmake \
    -DCMAKE_PREFIX_PATH="$qt;$hunspell" -DCMAKE_BUILD_TYPE=Release -DORVANTA_BENCHMARKS=OFF \
    -DBUILD_TESTING=$test -DORVANTA_HOST_IMPORTER="$importer" >/dev/null
if ! grep -q '^HUNSPELL_FOUND:INTERNAL=1$' "$build/CMakeCache.txt"; then
    echo "The Windows build found no Hunspell in $hunspell" >&2
    exit 1
fi
cmake --build "$build" -j"$(nproc)"

if [ $test = ON ]; then
    (cd "$build" && ctest -L fast --output-on-failure)
    (cd "$build" && ctest -L wine --output-on-failure)
fi

rm -f "$build"/orvanta-dictionary-*-win64.exe
(cd "$build" && cpack >/dev/null)
installer=$(realpath "$build"/orvanta-dictionary-*-win64.exe)
echo "Installer: $installer ($(du -h "$installer" | cut -f1))"
