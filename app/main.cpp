// The desktop program: the wx realisation, the real clock and random sources,
// and the program's own start-up.
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "app/App.h"
#include "app/Startup.h"
#include "common/platform/Random.h"
#include "common/text/DateTime.h"
#include "ui/wx/WxUi.h"

int main(int argc, char** argv) {
    std::unique_ptr<trelvix::ui::Ui> ui = trelvix::ui::CreateWxUi(argc, argv);
    if (!ui) {
        std::fprintf(stderr, "trelvix: cannot open a display to show windows on\n");
        return 1;
    }
    // Tests of the whole program let it end by itself once its window is up.
    if (const char* ms = std::getenv("TRELVIX_EXIT_AFTER_MS")) trelvix::ui::QuitWxUiAfter(*ui, std::atoi(ms));

    trelvix::SystemClock clock;
    trelvix::SeededRandom random;
    trelvix::SecureRandom secureRandom;
    trelvix::App app(*ui, clock, random, secureRandom);
    const int code = trelvix::ProgramEntry(app);
    ui.reset();  // the windows left go (their destroy handlers run) while the App still lives
    return code;
}
