// Usage counter: not built yet; no service address is configured in this
// build and no worker is started.
#include "app/App.h"

namespace trelvix {

Gbk DecipherStatisticsAddress() { return Gbk(); }

void StartUsageCounter(App&) {}

}  // namespace trelvix
