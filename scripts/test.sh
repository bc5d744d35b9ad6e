#!/usr/bin/env bash
# Installs what is missing, checks the formatting, builds and runs every test,
# then does the same with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh test
source scripts/as-user.sh
continue_as_invoking_user "$PWD" "$PWD/scripts/test.sh"

echo "== Formatting"
unformatted=$(git ls-files -co --exclude-standard '*.cpp' '*.h' | while read -r f; do
  [ -f "$f" ] || continue
  clang-format --dry-run --Werror "$f" >/dev/null 2>&1 || echo "$f"
done)
if [ -n "$unformatted" ]; then
  echo "Not formatted (run: clang-format -i FILE):"
  echo "$unformatted"
  exit 1
fi

export QT_QPA_PLATFORM=offscreen

echo "== Build and test (the benchmarks are built here too; scripts/bench.sh runs them)"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j2
ctest --test-dir build --output-on-failure -j2

echo "== The Debian package"
if command -v dpkg-buildpackage >/dev/null 2>&1; then
  bash scripts/check-package.sh
else
  echo "Пропущено: здесь нет dpkg-buildpackage, пакет Debian не собрать."
fi

echo "== Fuzzing the trip file reader"
bash scripts/fuzz.sh 30

# Last, so that the run ends with the test summary.
echo "== Build and test with sanitizers"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:halt_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DTORBEL_SANITIZE=ON -DTORBEL_BUILD_BENCH=OFF
cmake --build build-asan -j2
ctest --test-dir build-asan --output-on-failure -j2
