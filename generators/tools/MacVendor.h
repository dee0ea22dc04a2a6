#pragma once
// The MAC-vendor lookup: a web page of the lookup service, named by the
// address, that holds the vendor's name and address in a small table. The
// host is a build setting (common/ServiceAddresses.h); a build without one
// answers from the IEEE registry built into the program.
#include <chrono>
#include <string>
#include <string_view>

#include "common/ServiceAddresses.h"
#include "common/http/HttpRequest.h"
#include "common/text/Gbk.h"

namespace trelvix::tools {

struct MacVendorService {
    std::string host = BuiltInServices().macVendorHost;
    // A lookup holds the button (and the end of the program) while it runs;
    // the page is a few kilobytes.
    HttpLimits limits{std::chrono::seconds(4), std::chrono::seconds(8), 512 * 1024};
};

struct MacVendor {
    Gbk name;
    Gbk address;
};

// "http://" host "/" address "__mac/", the address percent-encoded except
// for the ":" and "-" between its octets.
std::string MacVendorUrl(std::string_view host, std::string_view mac);

// The vendor's name and address from the page's text (UTF-8); both empty
// when the page does not hold the table.
MacVendor ParseMacVendorPage(std::string_view utf8Page);

// The organisation the IEEE registry assigned the address's block to, and
// its address (GBK; a character GBK lacks is "?"). The longest assignment
// that holds the address wins (MA-S and IAB, then MA-M, then MA-L). The
// address is six two-digit hexadecimal octets in either case, separated by
// ":" or "-" throughout; blanks around it are ignored. Empty for anything else
// and for an address no assignment holds.
MacVendor FindRegisteredVendor(std::string_view mac);

// With a host: blocks for at most the service's time limit; empty when the
// request fails or the page does not match. Without one: the registry's
// answer. Safe on any thread.
MacVendor LookupMacVendor(const MacVendorService& service, std::string_view mac);

}  // namespace trelvix::tools
