#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the Debian package orvanta-dictionary_<version>_<arch>.deb from a
# Release build in its own directory, with Debian's hardening flags, and
# checks it with lintian. Prints the package's path last.
# Usage: scripts/package.sh [BUILD_DIR]   (default: build-package)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-package}

scripts/install-deps.sh package

# The flags Debian builds its own packages with; the file prefix map keeps
# this directory's path out of the binaries.
eval "$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --export=sh)"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DBUILD_TESTING=OFF -DORVANTA_BENCHMARKS=OFF \
    -DCMAKE_CXX_FLAGS="$CPPFLAGS $CXXFLAGS" -DCMAKE_EXE_LINKER_FLAGS="$LDFLAGS" >/dev/null
cmake --build "$build" -j"$(nproc)"

rm -f "$build"/orvanta-dictionary_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/orvanta-dictionary_*.deb)

# Errors fail the build; warnings are shown.
lintian --fail-on error --display-info "$deb" >&2
echo "$deb"
