// trelvix-cases FILE...: runs generator cases against the real main window
// on the headless realisation and says what differed.
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "CaseFile.h"
#include "Runner.h"

int main(int argc, char** argv) {
    using namespace trelvix::cases;
    RunOptions options;
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "-v" || arg == "--verbose") {
            options.verbose = true;
        } else if ((arg == "-k" || arg == "--filter") && i + 1 < argc) {
            options.filter = argv[++i];
        } else if (arg == "-h" || arg == "--help") {
            std::cout << "usage: trelvix-cases [-v] [-k TEXT] FILE...\n"
                         "  -v       name every case that passed, too\n"
                         "  -k TEXT  run only the cases whose name holds TEXT\n";
            return 0;
        } else if (arg.starts_with("-")) {
            std::cerr << "unknown option " << arg << " (try --help)\n";
            return 2;
        } else {
            files.push_back(arg);
        }
    }

    Totals totals;
    for (const std::string& f : files) totals += RunCaseFile(LoadCaseFile(f), std::cout, options);
    std::cout << totals.passed << " passed, " << totals.failed << " failed" << std::endl;
    // Nothing run is a failure too: a mistyped file name or filter must not pass quietly.
    return totals.failed == 0 && totals.passed > 0 ? 0 : 1;
}
