#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds optimised and runs every benchmark, then prints the figures as
# ratios against the baselines measured in the same run.
# Usage: scripts/bench.sh [extra Google Benchmark options]
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh test
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build build-bench -j"$(nproc)"
build-bench/bench/orvanta-bench --benchmark_out=build-bench/bench.json --benchmark_out_format=json "$@"
python3 bench/summary.py build-bench/bench.json
