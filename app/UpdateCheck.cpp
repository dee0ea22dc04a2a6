// Update check: no update service is configured in this build, so the answer
// is "current" at once and the start-up completes.
#include "app/App.h"

namespace trelvix {

int CheckForUpdate(App& app, const Gbk& currentVersion) {
    app.main->setText("标签_版本", currentVersion);
    return -1;
}

}  // namespace trelvix
