#pragma once
// What a page's handlers need from the program: the window they live on, the
// desktop, the clock and random source (fixed in tests), the script box, and
// the way to the tool windows.
#include <functional>
#include <string>

#include "common/ServiceAddresses.h"
#include "common/platform/Random.h"
#include "common/text/DateTime.h"
#include "generators/tools/MacVendor.h"
#include "tools/ToolIndex.h"
#include "ui/Ui.h"

namespace trelvix {

struct PageContext {
    ui::Ui& ui;
    ui::Window& window;
    const Clock& clock;
    RandomSource& random;        // pseudo-random values (MAC addresses)
    RandomSource& secureRandom;  // passwords and account names
    // The script box's output routine: replaces the box's content and stamps the time.
    std::function<void(const Gbk& script)> showScript;
    // Shows a tool window as the tool chooser does (a loaded one again as it
    // was); null when nothing opened.
    std::function<ui::Window*(ToolIndex tool)> openToolWindow;
    // Host (and port) of the MAC-vendor service (the build's, unless a test
    // points it elsewhere); "" for none.
    std::string macVendorHost = BuiltInServices().macVendorHost;
    // How long a lookup there may take: the service's own bounds, unless a
    // test sets others.
    HttpLimits macVendorLimits = tools::MacVendorService{}.limits;
};

}  // namespace trelvix
