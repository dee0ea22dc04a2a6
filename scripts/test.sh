#!/usr/bin/env bash
# Builds everything and runs every test; the GUI tests run under Xvfb.
#
# CI=true (set by .ci/run) makes warnings errors, makes a GUI test that finds
# no display fail instead of skipping, and runs the whole suite a second time,
# GUI tests included, built with AddressSanitizer and UndefinedBehaviorSanitizer
# (build-asan), then the tests of every worker built with ThreadSanitizer
# (scripts/test-threads.sh, build-tsan). --sanitize runs those passes outside CI too; without it a
# local run puts only the decoders' fuzz tests under the sanitizers.
# TRELVIX_JOBS caps the parallel jobs (default: every core).
set -euo pipefail
cd "$(dirname "$0")/.."
sanitize_all=false
werror=OFF
[ "${CI:-}" = true ] && { sanitize_all=true; werror=ON; }
for arg in "$@"; do
  case "$arg" in
    --sanitize) sanitize_all=true ;;
    *) echo "usage: scripts/test.sh [--sanitize]" >&2; exit 2 ;;
  esac
done
scripts/install-deps.sh
jobs=${TRELVIX_JOBS:-$(nproc)}
root=$PWD

# Runs ctest in the current build folder, under Xvfb when there is no display.
# -noreset: by default the server resets whenever its last client goes, and a
# program connecting during a reset is refused (a test that polls the desktop
# with xdotool while the program starts would fail now and then).
run_ctest() {
  if [ -n "${DISPLAY:-}" ]; then
    ctest --output-on-failure -j "$jobs" --no-tests=error "$@"
  else
    xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" ctest --output-on-failure -j "$jobs" --no-tests=error "$@"
  fi
}

# The sanitizers' settings for every test and every program a test starts.
# The desktop's accessibility bridge is left out (NO_AT_BRIDGE): it has no bus
# to talk to here and only leaks while it tries.
export ASAN_OPTIONS=detect_leaks=1:strict_init_order=1:detect_stack_use_after_return=1
export LSAN_OPTIONS=suppressions=$root/tests/sanitizers/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export NO_AT_BRIDGE=1

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTRELVIX_SANITIZE=ON \
  -DTRELVIX_BENCH=OFF -DTRELVIX_WERROR=$werror > /dev/null
if ! $sanitize_all; then
  cmake --build build-asan -j "$jobs" --target text_core_test
  (cd build-asan && ctest -R Fuzz --output-on-failure -j "$jobs")
fi

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTRELVIX_WERROR=$werror > /dev/null
cmake --build build -j "$jobs"
(cd build && run_ctest)

if $sanitize_all; then
  echo "== the whole suite again, under AddressSanitizer and UndefinedBehaviorSanitizer"
  cmake --build build-asan -j "$jobs"
  (cd build-asan && run_ctest)
  echo "== the tests of the work beside the UI thread, under ThreadSanitizer"
  scripts/test-threads.sh
fi
