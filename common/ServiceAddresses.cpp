#include "common/ServiceAddresses.h"

// Only this file sees the build settings, so changing one rebuilds little.
#ifndef TRELVIX_UPDATE_SERVICE
#define TRELVIX_UPDATE_SERVICE ""
#endif
#ifndef TRELVIX_USAGE_COUNTER
#define TRELVIX_USAGE_COUNTER ""
#endif
#ifndef TRELVIX_MAC_VENDOR_HOST
#define TRELVIX_MAC_VENDOR_HOST ""
#endif
#ifndef TRELVIX_IP_LOCATION_HOST
#define TRELVIX_IP_LOCATION_HOST ""
#endif
#ifndef TRELVIX_IP_LOCATION_KEY
#define TRELVIX_IP_LOCATION_KEY ""
#endif
#ifndef TRELVIX_EXCHANGE_RATE_HOST
#define TRELVIX_EXCHANGE_RATE_HOST ""
#endif
#ifndef TRELVIX_SHOPPING_SITE_HOST
#define TRELVIX_SHOPPING_SITE_HOST ""
#endif
#ifndef TRELVIX_MAKER_SITE
#define TRELVIX_MAKER_SITE ""
#endif

namespace trelvix {

ServiceAddresses BuiltInServices() {
    return {TRELVIX_UPDATE_SERVICE,  TRELVIX_USAGE_COUNTER,      TRELVIX_MAC_VENDOR_HOST,   TRELVIX_IP_LOCATION_HOST,
            TRELVIX_IP_LOCATION_KEY, TRELVIX_EXCHANGE_RATE_HOST, TRELVIX_SHOPPING_SITE_HOST};
}

const char kMakerSite[] = TRELVIX_MAKER_SITE;
const bool kHasMakerSite = sizeof(kMakerSite) > 1;

std::string MakerPage(std::string_view path, std::string_view scheme) {
    if (!kHasMakerSite) return {};
    return std::string(scheme) + kMakerSite + std::string(path);
}

}  // namespace trelvix
