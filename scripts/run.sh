#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTORBEL_BUILD_TESTS=OFF
cmake --build build -j2 --target torbel

exec ./build/src/torbel "$@"
