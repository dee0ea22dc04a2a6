#pragma once
// The maker's web site: messages name it and the tray's "visit" item opens its
// home page. A build points it at the real host with -DTRELVIX_MAKER_SITE="host";
// the default is a reserved name that never resolves.
// Plain ASCII only: this header is read by code compiled with either charset.

#ifndef TRELVIX_MAKER_SITE
#define TRELVIX_MAKER_SITE "www.trelvix.example"
#endif

namespace trelvix {

inline constexpr char kMakerSite[] = TRELVIX_MAKER_SITE;
inline constexpr char kMakerHomePage[] = "http://" TRELVIX_MAKER_SITE "/";

}  // namespace trelvix
