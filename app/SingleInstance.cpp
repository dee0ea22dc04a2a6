// Single instance: not wired yet, so every copy goes on (the per-user lock
// in common/platform/InstanceLock.h is what this will use).
#include "app/App.h"

namespace trelvix {

bool EnsureSingleInstance(App&) { return true; }

}  // namespace trelvix
