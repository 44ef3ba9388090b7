#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# clang-format conformance and clang-tidy on our sources, using the compile
# commands of a configured build.
# Usage: scripts/lint.sh BUILD_DIR
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}

sources=$(git ls-files '*.cpp' '*.h')
clang-format --dry-run --Werror $sources
echo "lint: clang-format: clean"

# Only files that the build compiles have compile commands.
compiled=$(git ls-files '*.cpp' | grep -v -e '^tests/fuzz/' -e '^resources/icongen.cpp')
run-clang-tidy -quiet -p "$build" -j "$(nproc)" $compiled > "$build/clang-tidy.log" 2>&1 || {
    grep -E 'warning:|error:' "$build/clang-tidy.log" | sort -u
    echo "lint: clang-tidy found problems"
    exit 1
}
echo "lint: clang-tidy: clean"
