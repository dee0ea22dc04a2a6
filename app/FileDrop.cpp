// Dropped files: not built yet, so no control of the main window accepts drops.
#include "app/App.h"

namespace trelvix {

void RegisterDropTargets(App&) {}

void UnregisterDropTargets(App&) {}

}  // namespace trelvix
