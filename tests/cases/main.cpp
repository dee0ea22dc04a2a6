// trelvix-cases [--desktop] FILE...: runs generator cases against the real
// main window, on the headless realisation or the desktop's, and says what
// differed.
#include <cstring>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "CaseFile.h"
#include "NeedDisplay.h"
#include "Runner.h"
#ifdef TRELVIX_CASES_DESKTOP
#include "ui/wx/WxWindow.h"
#endif

namespace {

// The exit status CTest reads as "skipped": no display on a desk.
constexpr int kSkipped = 77;

}  // namespace

int main(int argc, char** argv) {
    using namespace trelvix::cases;
    RunOptions options;
    std::vector<std::string> files;
    bool desktop = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "-v" || arg == "--verbose") {
            options.verbose = true;
        } else if ((arg == "-k" || arg == "--filter") && i + 1 < argc) {
            options.filter = argv[++i];
        } else if (arg == "--desktop") {
            desktop = true;
        } else if (arg == "-h" || arg == "--help") {
            std::cout << "usage: trelvix-cases [-v] [-k TEXT] [--desktop] FILE...\n"
                         "  -v         name every case that passed, too\n"
                         "  -k TEXT    run only the cases whose name holds TEXT\n"
                         "  --desktop  drive the toolkit's windows (needs a display) instead of the headless ones\n";
            return 0;
        } else if (arg.starts_with("-")) {
            std::cerr << "unknown option " << arg << " (try --help)\n";
            return 2;
        } else {
            files.push_back(arg);
        }
    }

#ifdef TRELVIX_CASES_DESKTOP
    // The toolkit starts once for the run; every case gets fresh windows on it.
    std::unique_ptr<trelvix::ui::WxUi> wx;
    if (desktop) {
        int toolkitArgc = 1;
        wx = trelvix::ui::WxUi::Create(toolkitArgc, argv);
        if (!wx) {
            // A CI run has a display for every GUI test: missing, it must not pass unseen.
            std::cerr << "no usable display for --desktop (is Xvfb running?)\n";
            return trelvix::test::InCi() ? 1 : kSkipped;
        }
        options.driver = [&wx] { return MakeDesktopDriver(*wx); };
    }
#else
    if (desktop) {
        std::cerr << "this build has no desktop realisation\n";
        return trelvix::test::InCi() ? 1 : kSkipped;
    }
#endif

    Totals totals;
    for (const std::string& f : files) totals += RunCaseFile(LoadCaseFile(f), std::cout, options);
    std::cout << totals.passed << " passed, " << totals.failed << " failed" << std::endl;
    // Nothing run is a failure too: a mistyped file name or filter must not pass quietly.
    return totals.failed == 0 && totals.passed > 0 ? 0 : 1;
}
