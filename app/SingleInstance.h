#pragma once
#include <chrono>

#include "common/platform/InstanceLock.h"
#include "common/text/Gbk.h"

namespace trelvix {

struct App;

// The lock name used when none is given: the program's own full path.
Gbk DefaultInstanceName();

// True in the first copy. In a later copy: the message (when asked), a
// request to the first copy to come forward (when asked), then false so the
// start-up ends with exit code 0. The start-up's form (StartupParts.h) uses
// "ROS" and the message "已有一个Trelvix启动着!". The later copy waits for
// the first copy's answer up to 3 seconds on `now`.
bool EnsureSingleInstance(App& app, const Gbk& name, bool showMessage, const Gbk& message, int icon, bool activate,
                          const SteadyNow& now = std::chrono::steady_clock::now);

}  // namespace trelvix
