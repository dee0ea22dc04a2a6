#pragma once
// The web services' addresses (common/ServiceAddresses.h, build settings) and
// how the start-up's requests to the update service and the usage counter are
// bounded. The App holds a copy, so a test can point them at a server of its own.
// Plain ASCII only: this header is read by code compiled with either charset.
#include <chrono>
#include <string>

#include "common/ServiceAddresses.h"
#include "common/http/HttpRequest.h"

namespace trelvix {

// Where a user is sent to fetch a new version by hand.
inline std::string DownloadPage() { return std::string("http://") + kMakerSite + "/category/download"; }

struct ServiceSettings : ServiceAddresses {
    ServiceSettings() : ServiceAddresses(BuiltInServices()) {}
    // The update check holds the start-up before the window appears, so a dead
    // network may cost a few seconds, never minutes. The replies are short texts.
    HttpLimits limits{std::chrono::seconds(3), std::chrono::seconds(5), 64 * 1024};
    // Between the counter's attempts to count this start.
    std::chrono::milliseconds counterRetryWait{10000};
};

}  // namespace trelvix
