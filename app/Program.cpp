#include "app/Program.h"

#include "app/App.h"
#include "app/Startup.h"
#include "common/platform/Random.h"
#include "common/text/DateTime.h"

namespace trelvix {

int RunProgram(std::unique_ptr<ui::Ui> ui) {
    SystemClock clock;
    SeededRandom random;
    SecureRandom secureRandom;
    App app(*ui, clock, random, secureRandom);
    const int code = ProgramEntry(app);
    ui.reset();
    return code;
}

}  // namespace trelvix
