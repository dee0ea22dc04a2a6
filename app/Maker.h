#pragma once
// The maker's web site: messages name it and the tray's "visit" item, the
// marking page's label and the expiry page's link open pages on it. A build
// names it with -DTRELVIX_MAKER_SITE="host"; by default there is none, and
// those links are shown disabled and the messages speak of the program alone.
// Plain ASCII only: this header is read by code compiled with either charset.
#include <string>
#include <string_view>

#ifndef TRELVIX_MAKER_SITE
#define TRELVIX_MAKER_SITE ""
#endif

namespace trelvix {

inline constexpr char kMakerSite[] = TRELVIX_MAKER_SITE;
inline constexpr bool kHasMakerSite = sizeof(kMakerSite) > 1;

// scheme + the site + path ("/394.html"); empty without a site.
inline std::string MakerPage(std::string_view path, std::string_view scheme = "http://") {
    if (!kHasMakerSite) return {};
    return std::string(scheme) + kMakerSite + std::string(path);
}

}  // namespace trelvix
