#pragma once
// Where the IP lookup asks: the host (and port) of the IP-location service
// and its key, build settings (-DTRELVIX_IP_LOOKUP_HOST="host[:port]",
// -DTRELVIX_IP_LOOKUP_KEY="32 hex digits"). No host: every lookup fails, as
// one the network refused. Plain ASCII only: read by code of either charset.
#include <string>

#ifndef TRELVIX_IP_LOOKUP_HOST
#define TRELVIX_IP_LOOKUP_HOST ""
#endif
#ifndef TRELVIX_IP_LOOKUP_KEY
#define TRELVIX_IP_LOOKUP_KEY ""
#endif

namespace trelvix {

struct IpLookupService {
    std::string host = TRELVIX_IP_LOOKUP_HOST;
    std::string key = TRELVIX_IP_LOOKUP_KEY;
};

}  // namespace trelvix
