#pragma once
// Runs parsed case files against the real windows, on the headless
// realisation or the desktop's: a fresh program (App, main window, temporary
// home) for each case, the steps applied as a user would, and a short report
// of what differed.
#include <functional>
#include <ostream>
#include <string>
#include <string_view>

#include "CaseFile.h"
#include "Driver.h"

namespace trelvix {
struct App;
}

namespace trelvix::cases {

struct RunOptions {
    std::string filter;    // only the cases whose name holds this text ("" = all)
    bool verbose = false;  // a line for each case that passed, too
    // Brings the program's windows up; the main window by default. The
    // runner's own tests add a small window of theirs.
    std::function<void(App&)> createWindows;
    // Makes each case's realisation; the headless one by default.
    DriverMaker driver;
};

struct Totals {
    int passed = 0;
    int failed = 0;
    Totals& operator+=(const Totals& o) {
        passed += o.passed;
        failed += o.failed;
        return *this;
    }
};

Totals RunCaseFile(const CaseFile& file, std::ostream& out, const RunOptions& options = {});

// Bytes as a person can read them: GBK characters as themselves; CR, LF, tab
// and backslash escaped (\r \n \t and a doubled backslash); any other byte
// outside printable ASCII as \xHH.
std::string ShowBytes(std::string_view gbk);

// Where two texts first differ, both sides around it, and their lengths;
// "" when they are equal.
std::string DescribeDifference(std::string_view expected, std::string_view actual);

}  // namespace trelvix::cases
