#pragma once
// Pieces of URLs, header lines and cookie lists, as the web clients take them
// apart. All texts are GBK; positions and searches step over two-byte characters.
// A cookie list is "name=value" items joined by "; "; a header text is lines
// joined by CR LF with none after the last.
#include <string_view>
#include <vector>

#include "common/text/Gbk.h"

namespace trelvix {

// The text after the first ":" of a header line, without spaces at either end;
// empty when there is no ":".
Gbk HeaderValue(std::string_view line);

// The host of a URL in lower case, without scheme and path, and without the
// port unless keepPort. A URL without a scheme is taken as http.
Gbk UrlHost(std::string_view url, bool keepPort = false);

// The number after the last ":" of the host and port; without one 443 for a URL
// beginning "https" (any case), else 80.
long long UrlPort(std::string_view url);

// From the first "/" after the host to the end, query included, in the URL's own
// letter case; "/" when nothing follows the host.
Gbk UrlPath(std::string_view url);

// The new cookies win over old ones of the same name; of two old ones with one
// name the first wins; cookies whose value is "deleted" are dropped. Both
// arguments are rewritten: the new cookies without spaces, the old ones with the
// merged list, which is also returned.
Gbk MergeCookies(Gbk& oldCookies, Gbk& newCookies);

// The name of a "name=value" item, without spaces at either end; the whole item
// when it has no "=".
Gbk CookieName(std::string_view item);

// Whether some item's CookieName is name (case-sensitive).
bool CookieListHas(const std::vector<Gbk>& items, std::string_view name);

// The text split at separator with repeated items dropped (the first kept),
// joined again with separator.
Gbk DedupeList(std::string_view text, std::string_view separator);

// 1-based index of the first item equal to text (case-sensitive), -1 when none.
long long IndexOfText(const std::vector<Gbk>& items, std::string_view text);

// The "name=value" items of the Set-Cookie lines of a response's header text,
// joined as a cookie list. Header names must already read "Set-Cookie".
Gbk CookiesFromHeaders(std::string_view responseHeaders);

}  // namespace trelvix
