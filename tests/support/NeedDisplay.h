#pragma once
// GUI tests call TRELVIX_NEED_DISPLAY first. Without a display a local run
// skips them; a CI run (CI=true) fails them instead, because there a missing or
// broken X server would otherwise let every GUI test pass unseen. CI installs
// everything these tests use, so TRELVIX_NEED does the same for a missing tool.
#include <gtest/gtest.h>

namespace trelvix::test {

// True when the run is CI's (the environment has CI=true).
bool InCi();

}  // namespace trelvix::test

// `usable`: whatever the test needs to have found; `what` names it. A
// statement in a test body or SetUp: it ends the test when `usable` is false.
#define TRELVIX_NEED(usable, what)                                                                                 \
    if (usable) {                                                                                                  \
    } else if (::trelvix::test::InCi()) GTEST_FAIL() << "CI=true runs every GUI test, but there is no " << (what); \
    else GTEST_SKIP() << "no " << (what)

// A display the toolkit can start on: DISPLAY set, or the toolkit started.
#define TRELVIX_NEED_DISPLAY(usable) TRELVIX_NEED(usable, "usable display (is Xvfb running?)")
