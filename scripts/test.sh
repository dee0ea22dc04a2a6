#!/usr/bin/env bash
# Builds everything and runs every test; the GUI tests run under Xvfb.
# CI=true makes warnings errors. The decoders' fuzz tests also run under
# AddressSanitizer first; the full suite runs last and ends with CTest's summary.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
jobs=$(nproc)
werror=OFF
[ "${CI:-}" = true ] && werror=ON

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTRELVIX_SANITIZE=ON \
  -DTRELVIX_GUI=OFF -DTRELVIX_BENCH=OFF -DTRELVIX_WERROR=$werror > /dev/null
cmake --build build-asan -j "$jobs" --target text_core_test
(cd build-asan && ctest -R Fuzz --output-on-failure -j "$jobs")

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTRELVIX_WERROR=$werror > /dev/null
cmake --build build -j "$jobs"
cd build
if [ -n "${DISPLAY:-}" ]; then
  ctest --output-on-failure -j "$jobs" --no-tests=error
else
  xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure -j "$jobs" --no-tests=error
fi
