#!/usr/bin/env bash
# Builds the Debian package build/torbel_<version>-1_<arch>.deb in the build tree the
# run and test commands use. CPack installs from a fully built tree, so whatever is
# not built yet is built first (after the test command: nothing).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j2
(cd build && cpack -G DEB)
