#include "generators/tools/MacVendor.h"

#include "common/regex/RegexObject.h"
#include "common/text/CodePage.h"
#include "common/text/RouterOsText.h"

namespace trelvix::tools {
namespace {

// The service's two-row table; the line feeds are the page's own.
constexpr std::string_view kVendorTable =
    "厂商</td>\n<td bgcolor=\"#FFFFFF\" align=\"center\" style=\"font-size:16px;\">(.*?)</td>\n</tr>\n\n<tr>\n"
    "<td bgcolor=\"#F5F5F5\" align=\"center\">厂址</td>\n"
    "<td bgcolor=\"#FFFFFF\" align=\"center\" style=\"font-size:16px;\">(.*?)</td>";

}  // namespace

std::string MacVendorUrl(std::string_view host, std::string_view mac) {
    std::string path;
    path.reserve(mac.size() * 3);
    std::size_t from = 0;
    // Percent-encode the runs between separators so a separator stays itself.
    for (std::size_t i = 0; i <= mac.size(); ++i) {
        if (i == mac.size() || mac[i] == ':' || mac[i] == '-') {
            path += PercentEncode(mac.substr(from, i - from), true);
            if (i < mac.size()) path += mac[i];
            from = i + 1;
        }
    }
    return "http://" + std::string(host) + "/" + path + "__mac/";
}

MacVendor ParseMacVendorPage(std::string_view utf8Page) {
    RegexObject regex;
    if (!regex.Create(kVendorTable, Utf8ToGbk(utf8Page), true, false, true, false)) return {};
    return {regex.SubMatchText(1, 1), regex.SubMatchText(1, 2)};
}

MacVendor LookupMacVendor(const MacVendorService& service, std::string_view mac) {
    if (service.host.empty()) return {};
    const std::string body = HttpGet(MacVendorUrl(service.host, mac), service.limits);
    return ParseMacVendorPage(body);
}

}  // namespace trelvix::tools
