# Shared by scripts/fuzz.sh and scripts/fuzz-long.sh: building the trip file reader's
# fuzz target and running it with the same checks. Sourced, not run.

# fuzz_build DIR: builds the target with clang in DIR, apart from the program's own build.
fuzz_build() {
  cmake -S fuzz -B "$1" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
  cmake --build "$1" -j2
}

# fuzz_run BUILD WORK SECONDS LIBFUZZER-ARGS...: runs the target for SECONDS with the
# log and crashing inputs under WORK; fails on any crash, leak, hang or sanitizer report.
fuzz_run() {
  local build="$1" work="$2" seconds="$3"
  shift 3
  mkdir -p "$work/artifacts"
  local status
  set +e
  ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:halt_on_error=1:allocator_may_return_null=1" \
  UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
    "$build/fuzz_tripfile" "$@" \
    -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -dict=fuzz/trip.dict -detect_leaks=1 -print_final_stats=1 -artifact_prefix="$work/artifacts/" \
    2>"$work/fuzz.log"
  status=$?
  set -e
  tail -n 25 "$work/fuzz.log"
  if [ "$status" -ne 0 ] || grep -qE "ERROR: (AddressSanitizer|LeakSanitizer|libFuzzer)|runtime error:" "$work/fuzz.log"; then
    echo "The trip file fuzzer found a problem (exit $status); the input is in $work/artifacts/" >&2
    return 1
  fi
}
