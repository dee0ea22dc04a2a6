#include "app/Program.h"

#include "app/App.h"
#include "app/Startup.h"
#include "common/platform/Random.h"
#include "common/platform/SessionEnd.h"
#include "common/text/DateTime.h"

namespace trelvix {

int RunProgram(std::unique_ptr<ui::Ui> ui) {
    SystemClock clock;
    SeededRandom random;
    SecureRandom secureRandom;
    App app(*ui, clock, random, secureRandom);
    // The session's end is the exit item's end, without its question: the
    // settings are written and the lock let go.
    std::unique_ptr<SessionEndWatch> sessionEnd =
        SessionEndWatch::Start([&app] { app.ui.post([&app] { OnSessionEnd(app); }); });
    const int code = ProgramEntry(app);
    sessionEnd.reset();
    ui.reset();
    return code;
}

}  // namespace trelvix
