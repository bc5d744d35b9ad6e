#!/usr/bin/env bash
# Builds the program and its benchmarks if needed (in the test command's build folder,
# with the same settings, so after scripts/test.sh nothing is left to build), runs every benchmark
# offscreen and prints one table: each action's median and worst time and its budget.
# Exits non-zero when an action is over its budget. Options go to the benchmark, e.g.
#   scripts/bench.sh --repeats 30        # more runs of each action
#   scripts/bench.sh --only windows      # core | windows | processes
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh >/dev/null

build=${TORBEL_BENCH_BUILD:-build}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTORBEL_BUILD_BENCH=ON >/dev/null
cmake --build "$build" -j2 --target torbel_bench >/dev/null

export QT_QPA_PLATFORM=offscreen
exec "$build/bench/torbel_bench" "$@"
