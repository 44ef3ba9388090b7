#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing, builds from scratch, and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
rm -rf build-test
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=Debug
cmake --build build-test -j"$(nproc)"
cd build-test
ctest --output-on-failure
