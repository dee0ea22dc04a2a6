#pragma once
// The program's web clients: the plain GET that the update check, the usage
// counter and the exchange-rate lookup use, and the general HttpRequest with
// headers, cookies, a proxy and redirect control. Both block their thread and
// may run on several threads at once.
#include <atomic>
#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>

#include "common/text/Gbk.h"

namespace trelvix {

// No request may hang a thread or fill the memory: a request that takes longer,
// or whose body grows past the cap, fails.
struct HttpLimits {
    std::chrono::milliseconds connect{std::chrono::seconds(10)};
    std::chrono::milliseconds total{std::chrono::seconds(30)};
    std::size_t maxBody = 16 * 1024 * 1024;
    // When given, a request fails soon after this turns true (libcurl asks
    // at least about once a second), so its thread can be joined.
    const std::atomic<bool>* abandon = nullptr;
};

// The body of a GET of url, redirects followed. Empty when the request fails,
// times out, ends with a status outside 200-299 or brings more than the cap, so
// an error page is never taken for an answer.
std::string HttpGet(std::string_view url, const HttpLimits& limits = {});

// A GET (method 0, and any value outside 0..2), POST (1) or HEAD (2) of url
// ("http://" or "https://"; none means http), returning the response body as
// received, whatever its status. Only url is needed; the rest may be left out:
// - postText: the body of a POST or HEAD when postBytes is empty.
// - cookies (in and out): given, even empty, it is sent (on a "Cookie: " line
//   unless it holds "Cookie:" itself) in place of the client's own cookie store,
//   and on return holds it merged with what the response set (MergeCookies).
// - newCookies (out): what the response set, or the merged list when cookies is given.
// - headers (in and out): extra lines joined by CR LF; Accept, Referer,
//   Accept-Language, Content-Type and Cookie lines are added when missing, and on
//   return it holds the text sent. A User-Agent line names the agent.
// - responseHeaders (out): status line and header lines of the last response,
//   joined by CR LF, every set-cookie spelled "Set-Cookie".
// - noRedirect: a redirect is returned as it is instead of followed.
// - postBytes (in and out): the body of a POST or HEAD, ahead of postText; when
//   empty it is set to postText's bytes.
// - proxy: "host:port" of an HTTP proxy; empty for a direct connection.
// A URL that names no usable host and port (or holds control bytes) gives an
// empty body and leaves the out-arguments alone; a request that fails later
// (refused, timed out, over the cap) gives what body had arrived and writes them.
std::string HttpRequest(std::string_view url, int method = 0, std::string_view postText = {}, Gbk* cookies = nullptr,
                        Gbk* newCookies = nullptr, Gbk* headers = nullptr, Gbk* responseHeaders = nullptr,
                        bool noRedirect = false, std::string* postBytes = nullptr, std::string_view proxy = {},
                        const HttpLimits& limits = {});

// The request header text HttpRequest sends: the caller's lines with the
// default lines and the cookie line appended.
Gbk ComposeRequestHeaders(std::string_view headers, std::string_view url, std::string_view cookies);

// The agent HttpRequest names: the value of the first User-Agent line of the
// header text (name in any case), else the default agent.
Gbk UserAgentFor(std::string_view headers);

}  // namespace trelvix
