#!/usr/bin/env bash
# Installs what is needed, builds the program (only the program: the tests and
# benchmarks are built by scripts/test.sh) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --target trelvix
exec build/app/trelvix "$@"
