#!/usr/bin/env bash
# A longer run of the trip file reader's fuzzer: $1 seconds (600 by default), over the
# corpus kept in fuzz/corpus/trip/. Fails on any crash, leak, hang or sanitizer report,
# as scripts/fuzz.sh does. Afterwards the inputs that reached code the corpus did not
# are merged back into fuzz/corpus/trip/ (libFuzzer -merge=1 keeps only those), so the
# corpus grows by what the run found and stays small; commit it.
# Not part of the test command: run it by hand now and then.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-600}"
case "$seconds" in
  '' | *[!0-9]*) echo "usage: $0 [seconds]" >&2; exit 2 ;;
esac

# Trip files worth keeping are small; larger inputs only slow the search down.
max_len=8192
corpus=fuzz/corpus/trip

# Its own build tree, so a short run of the test command may go on beside it.
build=fuzz-build-long
cmake -S fuzz -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build" -j2

work="$build/run"
rm -rf "$work"
mkdir -p "$work/new" "$work/artifacts"

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:halt_on_error=1:allocator_may_return_null=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
# New inputs go to the first directory only; the kept corpus is read, never written.
set +e
"$build/fuzz_tripfile" "$work/new" "$corpus" \
  -max_total_time="$seconds" -max_len="$max_len" -timeout=10 -rss_limit_mb=2048 \
  -dict=fuzz/trip.dict -detect_leaks=1 -print_final_stats=1 -artifact_prefix="$work/artifacts/" \
  2>"$work/fuzz.log"
status=$?
set -e
tail -n 25 "$work/fuzz.log"
if [ "$status" -ne 0 ] || grep -qE "ERROR: (AddressSanitizer|LeakSanitizer|libFuzzer)|runtime error:" "$work/fuzz.log"; then
  echo "The trip file fuzzer found a problem (exit $status); the input is in $work/artifacts/" >&2
  exit 1
fi

before=$(find "$corpus" -type f | wc -l)
"$build/fuzz_tripfile" -merge=1 -max_len="$max_len" "$corpus" "$work/new" 2>"$work/merge.log"
after=$(find "$corpus" -type f | wc -l)
echo "Fuzzing the trip file reader: no findings in ${seconds} s; $((after - before)) new inputs merged into $corpus/ ($after in all)."
