#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing, builds from scratch, and runs every test: the
# suite, the suite again under AddressSanitizer and UBSan, the Windows build
# and its installer under Wine, the fuzzers, and the format and static
# checks.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh test

rm -rf build-test
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=Debug
cmake --build build-test -j"$(nproc)"
(cd build-test && ctest --output-on-failure)

rm -rf build-test-asan
cmake -S . -B build-test-asan -DCMAKE_BUILD_TYPE=Debug -DORVANTA_SANITIZE=ON
cmake --build build-test-asan -j"$(nproc)"
(cd build-test-asan && LSAN_OPTIONS="suppressions=$PWD/../tests/lsan.supp" ctest --output-on-failure)

# Windows: Qt for Windows is built once and cached outside the checkout; the
# word list comes from this build's importer.
rm -rf build-test-windows
ORVANTA_HOST_IMPORTER=build-test/en-si-import scripts/windows.sh --test build-test-windows

scripts/fuzz.sh 20
scripts/lint.sh build-test

echo "All checks passed."
