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

build=fuzz-build
cmake -S fuzz -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build" -j2

# libFuzzer adds what it finds to the corpus it runs over: give it a copy, so the seeds
# in the repository stay as they are.
work="$build/run"
rm -rf "$work"
mkdir -p "$work/corpus" "$work/artifacts"
cp fuzz/corpus/trip/* "$work/corpus/"

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:halt_on_error=1:allocator_may_return_null=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
set +e
"$build/fuzz_tripfile" "$work/corpus" \
  -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
  -dict=fuzz/trip.dict -detect_leaks=1 -print_final_stats=1 -artifact_prefix="$work/artifacts/" \
  2>"$work/fuzz.log"
status=$?
set -e
tail -n 25 "$work/fuzz.log"
if [ "$status" -ne 0 ] || grep -qE "ERROR: (AddressSanitizer|LeakSanitizer|libFuzzer)|runtime error:" "$work/fuzz.log"; then
  echo "The trip file fuzzer found a problem (exit $status); the input is in $work/artifacts/" >&2
  exit 1
fi
echo "Fuzzing the trip file reader: no findings in ${seconds} s."
