#pragma once
// Where the IP lookup asks: the host (and port) of the IP-location service
// and its key, build settings (common/ServiceAddresses.h). No host: the lookup
// answers from the table built into the program. Plain ASCII only: read by
// code of either charset.
#include <string>

#include "common/ServiceAddresses.h"

namespace trelvix {

struct IpLookupService {
    std::string host = BuiltInServices().ipLocationHost;
    std::string key = BuiltInServices().ipLocationKey;
    // Each phase's time-out (resolve, connect, send, receive), as HttpRequestEx
    // takes it: 0 for its 15 seconds.
    int timeoutSeconds = 0;
};

}  // namespace trelvix
