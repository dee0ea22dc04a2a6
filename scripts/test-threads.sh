#!/usr/bin/env bash
# Builds the tests of every piece of work that runs beside the UI thread (the
# background-work helper and its users, the web clients and their test
# server, the instance lock, the session-end watch, posting to the toolkit)
# with ThreadSanitizer (build-tsan) and runs them, under Xvfb when there is no
# display. Any report fails the run; only the toolkit's own libraries are
# suppressed (tests/sanitizers/tsan.supp). scripts/test.sh runs this in CI.
# TRELVIX_JOBS caps the parallel jobs (default: every core).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${TRELVIX_JOBS:-$(nproc)}
root=$PWD
werror=OFF
[ "${CI:-}" = true ] && werror=ON

targets=(
  test_ui_background_work test_ui_headless test_ui_wx_post
  http_request_test http_request_ex_test fake_http_server_test instance_lock_test session_end_test
  test_catalogue_loader test_catalogue_window test_catalogue_gui test_ip_lookup_window
  test_mac_vendor_lookup test_vendor_lookup_page app_update_test app_instance_test
)

export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:suppressions=$root/tests/sanitizers/tsan.supp"
export NO_AT_BRIDGE=1

cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTRELVIX_TSAN=ON \
  -DTRELVIX_BENCH=OFF -DTRELVIX_WERROR=$werror > /dev/null
cmake --build build-tsan -j "$jobs" --target "${targets[@]}"

# Tests of targets not built here (listed as *_NOT_BUILT) and the case files belong to the other passes.
cd build-tsan
run=(ctest --output-on-failure -j "$jobs" --no-tests=error -E '_NOT_BUILT$|^cases')
if [ -n "${DISPLAY:-}" ]; then
  "${run[@]}"
else
  xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "${run[@]}"
fi
