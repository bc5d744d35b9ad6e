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

source scripts/fuzz-lib.sh

# Its own build tree, so a short run of the test command may go on beside it.
build=fuzz-build-long
fuzz_build "$build"

work="$build/run"
rm -rf "$work"
mkdir -p "$work/new" "$work/artifacts"

# New inputs go to the first directory only; the kept corpus is read, never written.
fuzz_run "$build" "$work" "$seconds" fuzz_tripfile "$work/new" "$corpus" -max_len="$max_len"

before=$(find "$corpus" -type f | wc -l)
"$build/fuzz_tripfile" -merge=1 -max_len="$max_len" "$corpus" "$work/new" 2>"$work/merge.log"
after=$(find "$corpus" -type f | wc -l)
echo "Fuzzing the trip file reader: no findings in ${seconds} s; $((after - before)) new inputs merged into $corpus/ ($after in all)."
