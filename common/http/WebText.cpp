#include "common/http/WebText.h"

#include <string>
#include <unordered_set>

#include "common/text/RouterOsText.h"

namespace trelvix {

namespace {

// Every ASCII space and every full-width space (A1 A1), wherever it stands:
// cookie items are compared without them.
Gbk RemoveSpaces(std::string_view text) {
    Gbk out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t n = CharLength(text, i);
        const std::string_view ch = text.substr(i, n);
        if (ch != " " && ch != "\xA1\xA1") out += ch;
        i += n;
    }
    return out;
}

// Joins pieces with a separator in one pass.
Gbk Join(const std::vector<Gbk>& pieces, std::string_view separator) {
    std::size_t size = 0;
    for (const Gbk& p : pieces) size += p.size() + separator.size();
    Gbk out;
    out.reserve(size);
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (i > 0) out += separator;
        out += pieces[i];
    }
    return out;
}

// 1-based position of the last occurrence of what, -1 when none.
long long FindLast(std::string_view text, std::string_view what) {
    long long last = -1;
    for (long long at = Find(text, what); at > 0; at = Find(text, what, at + 1)) last = at;
    return last;
}

}  // namespace

Gbk HeaderValue(std::string_view line) {
    const long long colon = Find(line, ":");
    if (colon < 0) return {};
    return TrimSpaces(Mid(line, colon + 1));
}

Gbk UrlHost(std::string_view url, bool keepPort) {
    Gbk text = ToLowerAscii(url);
    if (text.empty() || text.back() != '/') text += '/';
    Gbk host;
    if (text.starts_with("https://")) {
        host = TextBetween(text, "https://", "/");
    } else {
        if (Find(text, "http://") < 0) text.insert(0, "http://");
        host = TextBetween(text, "http://", "/");
    }
    if (!keepPort) {
        const long long colon = Find(host, ":");
        if (colon > 0) host = Left(host, colon - 1);
    }
    return host;
}

long long UrlPort(std::string_view url) {
    const Gbk hostAndPort = UrlHost(url, true);
    const long long colon = FindLast(hostAndPort, ":");
    if (colon > 0) return ToInt64(Mid(hostAndPort, colon + 1));
    return EqualsNoCase(Left(url, 5), "https") ? 443 : 80;
}

Gbk UrlPath(std::string_view url) {
    // The host is looked for after the scheme UrlHost took it from, so a host
    // that also occurs in the scheme ("http://http/x") does not mislead it.
    const Gbk lower = ToLowerAscii(url);
    long long from = 1;
    if (lower.starts_with("https://")) {
        from = 9;
    } else if (const long long scheme = Find(lower, "http://"); scheme > 0) {
        from = scheme + 7;
    }
    const long long hostAt = Find(url, UrlHost(url), from, false);
    if (hostAt < 0) return "/";
    const long long slash = Find(url, "/", hostAt);
    return slash < 0 ? Gbk("/") : Mid(url, slash);
}

Gbk CookieName(std::string_view item) {
    const long long eq = Find(item, "=");
    return TrimSpaces(eq < 0 ? item : std::string_view(item).substr(0, static_cast<std::size_t>(eq - 1)));
}

bool CookieListHas(const std::vector<Gbk>& items, std::string_view name) {
    for (const Gbk& item : items)
        if (CookieName(item) == name) return true;
    return false;
}

long long IndexOfText(const std::vector<Gbk>& items, std::string_view text) {
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i] == text) return static_cast<long long>(i) + 1;
    return -1;
}

Gbk DedupeList(std::string_view text, std::string_view separator) {
    std::vector<Gbk> kept;
    std::unordered_set<std::string_view> seen;
    const std::vector<Gbk> pieces = Split(text, separator);
    for (const Gbk& piece : pieces)
        if (seen.insert(piece).second) kept.push_back(piece);
    return Join(kept, separator);
}

Gbk MergeCookies(Gbk& oldCookies, Gbk& newCookies) {
    oldCookies = RemoveSpaces(oldCookies);
    newCookies = RemoveSpaces(newCookies);
    std::vector<Gbk> items = Split(newCookies, ";");
    // Names are kept in a set so that long lists merge in linear time.
    std::unordered_set<Gbk> names;
    for (const Gbk& item : items) names.insert(CookieName(item));
    for (Gbk& item : Split(oldCookies, ";")) {
        if (names.insert(CookieName(item)).second) items.push_back(std::move(item));
    }
    std::vector<Gbk> live;
    for (Gbk& item : items)
        if (Right(item, 8) != "=deleted") live.push_back(std::move(item));
    oldCookies = DedupeList(Join(live, "; "), "; ");
    return oldCookies;
}

Gbk CookiesFromHeaders(std::string_view responseHeaders) {
    Gbk cookies;
    for (const Gbk& line : Split(responseHeaders, "\r\n")) {
        if (Find(line, "Set-Cookie") < 0) continue;
        if (Find(line, ";") > 0) cookies += TrimSpaces(TextBetween(line, "Set-Cookie:", ";"));
        else cookies += TrimSpaces(ReplaceAll(line, "Set-Cookie:", "", false));
        cookies += "; ";
    }
    if (cookies.size() >= 2) cookies.resize(cookies.size() - 2);
    return cookies;
}

}  // namespace trelvix
