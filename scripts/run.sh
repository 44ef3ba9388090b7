#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what building and running need, builds the program, the importer
# and the word list (no tests, no benchmarks), and starts the dictionary on
# the word list it ships (build/en-si.db, which keeps your history across
# rebuilds).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh run
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DORVANTA_BENCHMARKS=OFF
cmake --build build -j"$(nproc)" --target orvanta-dictionary en-si-import dictionary_data
cd build
exec ./orvanta-dictionary "$@"
