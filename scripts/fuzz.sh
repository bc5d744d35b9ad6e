#!/usr/bin/env bash
# Fuzzes the trip file reader with libFuzzer for $1 seconds (30 by default), then a trip's
# figures (nutrition, shopping, carry split) for half as long, and fails on any crash,
# leak, hang or sanitizer report. Builds the targets with clang in fuzz-build/, apart from
# the program's own build.
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
mkdir -p "$work/corpus" "$work/figures" "$work/artifacts"
cp fuzz/corpus/trip/* "$work/corpus/"
cp fuzz/corpus/trip/* fuzz/corpus/figures/* "$work/figures/"

fuzz_run "$build" "$work" "$seconds" fuzz_tripfile "$work/corpus"
echo "Fuzzing the trip file reader: no findings in ${seconds} s."
figures=$(( seconds / 2 > 5 ? seconds / 2 : 5 ))
fuzz_run "$build" "$work" "$figures" fuzz_tripfigures "$work/figures"
echo "Fuzzing a trip's figures: no findings in ${figures} s."
