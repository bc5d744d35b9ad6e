#!/usr/bin/env bash
# Fuzzes the trip file reader with libFuzzer for $1 seconds (30 by default) and fails on
# any crash, leak, hang or sanitizer report. Builds the target with clang in fuzz-build/,
# apart from the program's own build.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-30}"
case "$seconds" in
  '' | *[!0-9]*) echo "usage: $0 [seconds]" >&2; exit 2 ;;
esac

source scripts/fuzz-lib.sh

build=fuzz-build
fuzz_build "$build"

# libFuzzer adds what it finds to the corpus it runs over: give it a copy, so the seeds
# in the repository stay as they are.
work="$build/run"
rm -rf "$work"
mkdir -p "$work/corpus" "$work/artifacts"
cp fuzz/corpus/trip/* "$work/corpus/"

fuzz_run "$build" "$work" "$seconds" "$work/corpus"
echo "Fuzzing the trip file reader: no findings in ${seconds} s."
