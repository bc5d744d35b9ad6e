# Shared by scripts/fuzz.sh and scripts/fuzz-long.sh: building the fuzz targets (the trip
# file reader, fuzz_tripfile; a trip's figures, fuzz_tripfigures) and running one with
# the same checks. Sourced, not run.

# fuzz_build DIR: builds the targets with clang in DIR, apart from the program's own build.
fuzz_build() {
  cmake -S fuzz -B "$1" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
  cmake --build "$1" -j2
}

# fuzz_run BUILD WORK SECONDS TARGET LIBFUZZER-ARGS...: runs TARGET for SECONDS with the
# log and crashing inputs under WORK; fails on any crash, leak, hang or sanitizer report.
fuzz_run() {
  local build="$1" work="$2" seconds="$3" target="$4"
  shift 4
  mkdir -p "$work/artifacts"
  local status
  set +e
  ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:halt_on_error=1:allocator_may_return_null=1" \
  UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
    "$build/$target" "$@" \
    -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -dict=fuzz/trip.dict -detect_leaks=1 -print_final_stats=1 -artifact_prefix="$work/artifacts/" \
    2>"$work/$target.log"
  status=$?
  set -e
  tail -n 25 "$work/$target.log"
  if [ "$status" -ne 0 ] || grep -qE "ERROR: (AddressSanitizer|LeakSanitizer|libFuzzer)|runtime error:" "$work/$target.log"; then
    echo "The fuzzer $target found a problem (exit $status); the input is in $work/artifacts/" >&2
    return 1
  fi
}
