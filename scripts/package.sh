#!/usr/bin/env bash
# Builds the Debian package build/torbel_<version>-1_<arch>.deb in the build tree the
# run and test commands use, building only what the package installs.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j2 --target torbel torbel_package_files
# cpack rather than the package target, which would first build every test.
(cd build && cpack -G DEB)
