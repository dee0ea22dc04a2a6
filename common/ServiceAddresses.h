#pragma once
// The web services the program reaches. Each address is a build setting; an
// empty one means the build names no such service, and the feature then
// behaves as for a failed request (the update check answers "current").
// Tests point them at a server of their own on 127.0.0.1 by changing the
// copy an App holds before its windows are created.
// Plain ASCII only: this header is read by code compiled with either charset.
#include <string>
#include <string_view>

namespace trelvix {

struct ServiceAddresses {
    std::string updateService;     // URL that the update check GETs
    std::string usageCounter;      // URL that the counter's queries ("?var=times", ...) follow
    std::string macVendorHost;     // host[:port] of the MAC-vendor lookup
    std::string ipLocationHost;    // host[:port] of the IP-location API
    std::string ipLocationKey;     // the key sent to it as "apikey"
    std::string exchangeRateHost;  // host[:port] of the exchange-rate page
    std::string shoppingSiteHost;  // host[:port] of the shopping site's search page (https)
};

// The addresses this build was configured with (CMake: TRELVIX_UPDATE_SERVICE,
// TRELVIX_USAGE_COUNTER, TRELVIX_MAC_VENDOR_HOST, TRELVIX_IP_LOCATION_HOST,
// TRELVIX_IP_LOCATION_KEY, TRELVIX_EXCHANGE_RATE_HOST,
// TRELVIX_SHOPPING_SITE_HOST).
ServiceAddresses BuiltInServices();

// The maker's web site (CMake: TRELVIX_MAKER_SITE, a host): messages name it,
// and the tray's "visit" item, the marking page's label and the expiry page's
// link open pages on it. By default there is none: those links are shown
// disabled and the messages speak of the program alone.
extern const char kMakerSite[];
extern const bool kHasMakerSite;

// scheme + the site + path ("/394.html"); empty without a site.
std::string MakerPage(std::string_view path, std::string_view scheme = "http://");

}  // namespace trelvix
