#pragma once
// The second web client: one call that drives a request object step by step
// (time-outs, proxy and its credentials, open, headers, send) and returns the
// body, the status and the response headers. A caller may keep the request
// object and pass it again; what it remembers between calls is the caller's.
#include <atomic>
#include <memory>
#include <string>
#include <string_view>

#include "common/text/Gbk.h"

namespace trelvix {

// A request object, driven the way HttpRequestEx drives it. Every step that
// fails leaves its own result empty; none throws.
class WebRequestObject {
public:
    virtual ~WebRequestObject() = default;
    // Milliseconds for resolving, connecting, sending and receiving. Until it
    // is called the object keeps its own bounded defaults.
    virtual void SetTimeouts(int resolveMs, int connectMs, int sendMs, int receiveMs) = 0;
    // setting 2: use the named proxy ("host:port"); 0 and 1: no proxy.
    virtual void SetProxy(int setting, std::string_view server) = 0;
    // flags 1: the credentials are the proxy's; 0: the server's.
    virtual void SetCredentials(std::string_view user, std::string_view password, int flags) = 0;
    // Starts a new request: the previous request's headers and response are
    // dropped; time-outs, proxy, credentials and options stay. False when the
    // URL names no host and port a connection can be made to.
    virtual bool Open(std::string_view verb, std::string_view url, bool async) = 0;
    // Option 6: redirects are followed (non-zero, the default) or returned as
    // they are. Other options are not honoured.
    virtual void SetOption(int option, long value) = 0;
    // A second header of the same name (any letter case) replaces the first.
    // False for an empty name, and for a name or value that would break the
    // header block (CR, LF, or a name with blanks or ":").
    virtual bool SetRequestHeader(std::string_view name, std::string_view value) = 0;
    // Sends the opened request with the body (none when empty, except that a
    // POST always has one) and waits for the answer. False when no complete
    // answer arrived; the response then reads as empty with status 0.
    virtual bool Send(std::string_view body) = 0;
    virtual std::string ResponseBody() const = 0;
    // The header lines of the final response without its status line, each
    // ending in CR LF; empty without a response.
    virtual Gbk GetAllResponseHeaders() const = 0;
    virtual int Status() const = 0;
};

// A request object over the program's HTTP core; null when none can be made.
// With `abandon`, every request it sends fails soon after that turns true.
std::shared_ptr<WebRequestObject> NewWebRequestObject(const std::atomic<bool>* abandon = nullptr);

// method: 0 GET (and any value outside 0..2), 1 POST, 2 HEAD. Only url is needed.
// - postText: the body when postBytes is empty, for every method.
// - cookies (in and out): sent on a Cookie line when not empty; on return the
//   merged list (MergeCookies of it and what the response set).
// - newCookies (out): the merged list.
// - headers (in and out): extra lines joined by CR LF; Accept, Referer,
//   Accept-Language, User-Agent and Content-Type lines are appended when the
//   text lacks them (case-sensitive), and on return it holds the text sent.
// - responseHeaders (out), status (out): GetAllResponseHeaders with every
//   set-cookie spelled "Set-Cookie", and Status; empty and 0 after a failure.
// - noRedirect: true turns following redirects off on the request object.
// - timeoutSeconds: for each phase; 1 and above in seconds, -1 leaves the
//   object's own (bounded) time-outs, 0 and every other value below 1 means 15.
// - proxyUser, proxyPassword, credentialFlags: passed only with a proxy.
// - requestObject: used in place of a fresh object, and kept by the caller.
// Certificates are always checked: a secure request to a server whose
// certificate does not hold fails like an unreachable one. A failed request
// returns an empty body; an error status returns its body.
std::string HttpRequestEx(std::string_view url, int method = 0, std::string_view postText = {}, Gbk* cookies = nullptr,
                          Gbk* newCookies = nullptr, Gbk* headers = nullptr, Gbk* responseHeaders = nullptr,
                          int* status = nullptr, bool noRedirect = false, std::string_view postBytes = {},
                          std::string_view proxy = {}, int timeoutSeconds = 0, std::string_view proxyUser = {},
                          std::string_view proxyPassword = {}, int credentialFlags = 1,
                          std::shared_ptr<WebRequestObject> requestObject = nullptr);

// The text before the first ":" of a header line, without spaces at either
// end; empty when the line has no ":". The counterpart of HeaderValue.
Gbk HeaderName(std::string_view line);

}  // namespace trelvix
