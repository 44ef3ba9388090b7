#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the libFuzzer targets with clang and runs each for a bounded time
# from the checked-in seeds (which it does not change). A crash fails.
# Usage: scripts/fuzz.sh [SECONDS_PER_TARGET]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}

CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVANTA_FUZZ=ON -DBUILD_TESTING=OFF >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target fuzz_linktarget fuzz_resulthtml fuzz_sourceparser

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for target in linktarget resulthtml sourceparser; do
    mkdir -p "$work/$target"
    echo "fuzz: $target for ${seconds}s"
    if ! build-fuzz/tests/fuzz/fuzz_$target -max_total_time="$seconds" -artifact_prefix="$work/" \
            "$work/$target" "tests/fuzz/corpus/$target" > "$work/$target.log" 2>&1; then
        tail -n 40 "$work/$target.log"
        echo "fuzz: $target failed; the input that did it:" "$work"/crash-* "$work"/leak-* "$work"/timeout-* 2>/dev/null
        exit 1
    fi
    tail -n 1 "$work/$target.log"
done
