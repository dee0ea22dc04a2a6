#pragma once
// What the runner's own tests share: fixture files run to a report, and
// small windows beside the main one for behaviour the main window lacks.
#include <string>

#include "Runner.h"

namespace trelvix {
struct App;
}

namespace trelvix::cases {

// The main window and a test window: boxes with and without a focus move, a
// question, a faulty handler, a hidden button.
void CreateWindowsWithTestWindow(App& app);
// The main window and one with the controls and services the later windows
// use: a scroll bar, a list box, a code box, a status bar, a close that asks,
// web requests on the UI thread and from a worker, the end of the program.
void CreateWindowsWithServiceWindow(App& app);

struct FixtureRun {
    Totals totals;
    std::string report;
};

// Runs a file of the fixtures folder.
FixtureRun RunFixture(const std::string& name, const RunOptions& options = {});

// The report's block for one case: from its FAIL line to the next case's.
std::string FailureOf(const std::string& report, const std::string& caseName);

}  // namespace trelvix::cases
