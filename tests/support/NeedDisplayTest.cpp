// A GUI test without its display: skipped on a desk, failed in CI.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "NeedDisplay.h"

namespace trelvix::test {
namespace {

void GuiTestBody(bool usable) {
    TRELVIX_NEED_DISPLAY(usable);
    SUCCEED();
}

TEST(NeedDisplay, FailsInCiSkipsElsewhereAndRunsWithADisplay) {
    enum class Outcome { Runs, Skipped, Fails };
    struct Row {
        const char* ci;
        bool usable;
        Outcome outcome;
    };
    const Row rows[] = {
        {nullptr, false, Outcome::Skipped}, {"false", false, Outcome::Skipped}, {"true", false, Outcome::Fails},
        {"true", true, Outcome::Runs},      {nullptr, true, Outcome::Runs},
    };
    const char* before = std::getenv("CI");
    const std::optional<std::string> saved = before ? std::optional<std::string>(before) : std::nullopt;
    for (const Row& r : rows) {
        if (r.ci) setenv("CI", r.ci, 1);
        else unsetenv("CI");
        ::testing::TestPartResultArray results;
        {
            ::testing::ScopedFakeTestPartResultReporter reporter(
                ::testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &results);
            GuiTestBody(r.usable);
        }
        const std::string where = std::string("CI=") + (r.ci ? r.ci : "(unset)") + (r.usable ? " with" : " without") +
                                  " a display";
        bool failed = false, skipped = false;
        for (int i = 0; i < results.size(); ++i) {
            failed |= results.GetTestPartResult(i).fatally_failed();
            skipped |= results.GetTestPartResult(i).skipped();
        }
        EXPECT_EQ(failed, r.outcome == Outcome::Fails) << where;
        EXPECT_EQ(skipped, r.outcome == Outcome::Skipped) << where;
    }
    if (saved) setenv("CI", saved->c_str(), 1);
    else unsetenv("CI");
}

}  // namespace
}  // namespace trelvix::test
