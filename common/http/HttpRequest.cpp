#include "common/http/HttpRequest.h"

#include <curl/curl.h>

#include <algorithm>
#include <array>
#include <memory>
#include <mutex>
#include <optional>
#include <utility>
#include <vector>

#include "common/http/HttpRequestEx.h"
#include "common/http/WebText.h"
#include "common/text/RouterOsText.h"

namespace trelvix {

namespace {

constexpr char kDefaultAgent[] = "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)";
constexpr std::size_t kMaxHeaderBytes = 1024 * 1024;
constexpr long kMaxRedirects = 10;

void InitCurlOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

// The client's own cookies, kept for the life of the program and shared by every
// request that brings no cookie list of its own, as a browser's would be.
class CookieStore {
public:
    CookieStore() : share_(curl_share_init()) {
        curl_share_setopt(share_, CURLSHOPT_LOCKFUNC, &CookieStore::Lock);
        curl_share_setopt(share_, CURLSHOPT_UNLOCKFUNC, &CookieStore::Unlock);
        curl_share_setopt(share_, CURLSHOPT_USERDATA, this);
        curl_share_setopt(share_, CURLSHOPT_SHARE, CURL_LOCK_DATA_COOKIE);
    }
    CURLSH* handle() const { return share_; }

private:
    static void Lock(CURL*, curl_lock_data data, curl_lock_access, void* self) {
        static_cast<CookieStore*>(self)->mutexes_[Slot(data)].lock();
    }
    static void Unlock(CURL*, curl_lock_data data, void* self) {
        static_cast<CookieStore*>(self)->mutexes_[Slot(data)].unlock();
    }
    static std::size_t Slot(curl_lock_data data) {
        return data >= 0 && data < CURL_LOCK_DATA_LAST ? static_cast<std::size_t>(data) : 0;
    }

    CURLSH* share_;
    std::array<std::mutex, CURL_LOCK_DATA_LAST> mutexes_;
};

CURLSH* SharedCookies() {
    // Never destroyed: a worker thread may still be in a request at exit.
    static CookieStore* store = new CookieStore;
    return store->handle();
}

struct CurlDeleter {
    void operator()(CURL* c) const { curl_easy_cleanup(c); }
};
struct SlistDeleter {
    void operator()(curl_slist* l) const { curl_slist_free_all(l); }
};
using CurlPtr = std::unique_ptr<CURL, CurlDeleter>;
using SlistPtr = std::unique_ptr<curl_slist, SlistDeleter>;

// "HTTP/1.1 100 Continue" and the like, before the real answer.
bool IsInterim(std::string_view statusLine) {
    const std::size_t space = statusLine.find(' ');
    return space != std::string_view::npos && statusLine.substr(space + 1, 1) == "1";
}

// What arrives from the server, kept within the limits.
struct Transfer {
    std::size_t maxBody = 0;
    std::string body;
    bool overLimit = false;
    std::vector<std::string> headerLines;  // of the latest response only
    std::size_t headerBytes = 0;
    bool stopAfterHeaders = false;  // a response with no body to wait for

    static size_t OnBody(char* data, size_t, size_t size, void* self) {
        auto* t = static_cast<Transfer*>(self);
        if (size > t->maxBody - t->body.size()) {
            t->body.append(data, t->maxBody - t->body.size());
            t->overLimit = true;
            return 0;  // ends the transfer
        }
        t->body.append(data, size);
        return size;
    }

    const std::atomic<bool>* abandon = nullptr;
    static int OnProgress(void* self, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
        const auto* t = static_cast<Transfer*>(self);
        return t->abandon && t->abandon->load() ? 1 : 0;  // non-zero ends the transfer
    }

    static size_t OnHeader(char* data, size_t, size_t size, void* self) {
        auto* t = static_cast<Transfer*>(self);
        t->headerBytes += size;
        if (t->headerBytes > kMaxHeaderBytes) {
            t->overLimit = true;
            return 0;
        }
        std::string_view line(data, size);
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
        // Each response of a redirect chain (and an interim 100) starts with its
        // status line; only the last response's headers are reported.
        if (line.starts_with("HTTP/")) t->headerLines.clear();
        if (!line.empty()) {
            t->headerLines.emplace_back(line);
        } else if (t->stopAfterHeaders && !t->headerLines.empty() && !IsInterim(t->headerLines.front())) {
            return 0;  // the final response's headers are complete
        }
        return size;
    }
};

// Bytes a request line cannot carry as they are, percent-encoded; the rest of
// the path and query goes out as written.
std::string EncodePath(std::string_view path) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(path.size());
    for (unsigned char c : path) {
        if (c <= 0x20 || c >= 0x7F) {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 0x0F];
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

bool IsHostName(std::string_view host) {
    if (host.empty()) return false;
    for (unsigned char c : host) {
        const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
                        c == '.' || c == '_';
        if (!ok) return false;
    }
    return true;
}

// The address a request is sent to, taken apart the way both clients read a URL:
// the host, the port and the path. None when no connection can be made to it.
std::optional<std::string> RequestAddress(std::string_view url, bool secure) {
    // The URL also goes out as the Referer line: a CR or LF in it would start a line of its own.
    for (unsigned char c : url)
        if (c < 0x20 || c == 0x7F) return std::nullopt;
    const Gbk host = UrlHost(url);
    const long long port = UrlPort(url);
    if (!IsHostName(host) || port < 1 || port > 65535) return std::nullopt;
    return std::string(secure ? "https://" : "http://") + host + ":" + std::to_string(port) + EncodePath(UrlPath(url));
}

bool IsSecure(std::string_view url) { return ToLowerAscii(Left(url, 8)) == "https://"; }

CurlPtr NewTransfer(const std::string& address, Transfer& transfer, const HttpLimits& limits) {
    InitCurlOnce();
    CurlPtr curl(curl_easy_init());
    if (!curl) return curl;
    CURL* c = curl.get();
    curl_easy_setopt(c, CURLOPT_URL, address.c_str());
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(c, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(limits.connect.count()));
    curl_easy_setopt(c, CURLOPT_TIMEOUT_MS, static_cast<long>(limits.total.count()));
    // No proxy unless one is asked for: the environment's proxy settings are not ours.
    curl_easy_setopt(c, CURLOPT_PROXY, "");
    curl_easy_setopt(c, CURLOPT_MAXREDIRS, kMaxRedirects);
    // A secure request never continues over plain HTTP.
    curl_easy_setopt(c, CURLOPT_REDIR_PROTOCOLS_STR, address.starts_with("https://") ? "https" : "http,https");
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, &Transfer::OnBody);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(c, CURLOPT_HEADERFUNCTION, &Transfer::OnHeader);
    curl_easy_setopt(c, CURLOPT_HEADERDATA, &transfer);
    transfer.maxBody = limits.maxBody;
    if (limits.abandon) {
        transfer.abandon = limits.abandon;
        curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, &Transfer::OnProgress);
        curl_easy_setopt(c, CURLOPT_XFERINFODATA, &transfer);
        curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
    }
    return curl;
}

void UseSharedCookies(CURL* c) {
    curl_easy_setopt(c, CURLOPT_SHARE, SharedCookies());
    curl_easy_setopt(c, CURLOPT_COOKIEFILE, "");
}

// The header text as lines for libcurl: a blank line would end the header block,
// so empty lines (as caller text ending in CR LF leaves) are not sent, and a line
// whose value is empty is written "Name;", libcurl's spelling for an empty header.
SlistPtr HeaderList(std::string_view text) {
    curl_slist* list = nullptr;
    bool hasExpect = false;
    auto add = [&](std::string line) {
        if (curl_slist* grown = curl_slist_append(list, line.c_str())) list = grown;
    };
    std::size_t pos = 0;
    while (pos <= text.size()) {
        std::size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        if (TrimSpaces(line).empty()) continue;
        const long long colon = Find(line, ":");
        hasExpect = hasExpect || (colon > 0 && EqualsNoCase(TrimSpaces(Left(line, colon - 1)), "Expect"));
        if (colon > 0 && HeaderValue(line).empty()) add(TrimSpaces(Left(line, colon - 1)) + ";");
        else add(std::string(line));
    }
    // libcurl would otherwise hold a large body back for "100 Continue".
    if (!hasExpect) add("Expect:");
    return SlistPtr(list);
}

}  // namespace

Gbk UserAgentFor(std::string_view headers) {
    const Gbk agent = TrimSpaces(TextBetween(Gbk(headers) + "\r\n", "User-Agent:", "\r\n", 1, true));
    return agent.empty() ? Gbk(kDefaultAgent) : agent;
}

Gbk ComposeRequestHeaders(std::string_view headers, std::string_view url, std::string_view cookies) {
    Gbk text(headers);
    if (text.empty()) text = "Accept: */*";
    else if (Find(text, "Accept:") < 0) text += "\r\nAccept: */*";
    if (Find(text, "Referer:") < 0) {
        text += "\r\nReferer: ";
        text += url;
    }
    if (Find(text, "Accept-Language:") < 0) text += "\r\nAccept-Language: zh-cn";
    if (Find(text, "Content-Type:") < 0) text += "\r\nContent-Type: application/x-www-form-urlencoded";
    if (!cookies.empty()) {
        text += Find(cookies, "Cookie:") > 0 ? "\r\n" : "\r\nCookie: ";
        text += cookies;
    }
    return text;
}

std::string HttpGet(std::string_view url, const HttpLimits& limits) {
    const std::optional<std::string> address = RequestAddress(url, IsSecure(url));
    if (!address) return {};
    Transfer transfer;
    CurlPtr curl = NewTransfer(*address, transfer, limits);
    if (!curl) return {};
    CURL* c = curl.get();
    curl_easy_setopt(c, CURLOPT_USERAGENT, kDefaultAgent);
    curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 1L);
    UseSharedCookies(c);
    if (curl_easy_perform(c) != CURLE_OK || transfer.overLimit) return {};
    long status = 0;
    curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &status);
    if (status < 200 || status > 299) return {};
    return std::move(transfer.body);
}

std::string HttpRequest(std::string_view url, int method, std::string_view postText, Gbk* cookies, Gbk* newCookies,
                        Gbk* headers, Gbk* responseHeaders, bool noRedirect, std::string* postBytes,
                        std::string_view proxy, const HttpLimits& limits) {
    if (method < 0 || method > 2) method = 0;
    const std::optional<std::string> address = RequestAddress(url, IsSecure(url));
    if (!address) return {};
    Transfer transfer;
    CurlPtr curl = NewTransfer(*address, transfer, limits);
    if (!curl) return {};
    CURL* c = curl.get();

    const Gbk callerHeaders = headers ? *headers : Gbk();
    const Gbk agent = UserAgentFor(callerHeaders);
    const Gbk sentHeaders = ComposeRequestHeaders(callerHeaders, url, cookies ? *cookies : Gbk());
    curl_easy_setopt(c, CURLOPT_USERAGENT, agent.c_str());
    const SlistPtr headerList = HeaderList(sentHeaders);
    curl_easy_setopt(c, CURLOPT_HTTPHEADER, headerList.get());

    // A cookie list of the caller's own replaces the client's cookie store.
    if (!cookies) UseSharedCookies(c);
    curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, noRedirect ? 0L : 1L);
    if (!proxy.empty()) {
        const std::string proxyUrl = "http://" + std::string(proxy);
        curl_easy_setopt(c, CURLOPT_PROXY, proxyUrl.c_str());  // libcurl copies it
    }

    std::string body;
    if (method != 0) {
        body = postBytes && !postBytes->empty() ? *postBytes : std::string(postText);
        if (postBytes && postBytes->empty()) *postBytes = body;
    }
    if (method == 1) {
        curl_easy_setopt(c, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body.size()));
        curl_easy_setopt(c, CURLOPT_POSTFIELDS, body.data());
    } else if (method == 2 && body.empty()) {
        curl_easy_setopt(c, CURLOPT_NOBODY, 1L);
    } else if (method == 2) {
        // libcurl sends no body with a HEAD of its own, so this is a POST named
        // HEAD that stops when the headers are in: its answer has no body to
        // read. Such a request reports a redirect rather than follow it.
        curl_easy_setopt(c, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body.size()));
        curl_easy_setopt(c, CURLOPT_POSTFIELDS, body.data());
        curl_easy_setopt(c, CURLOPT_CUSTOMREQUEST, "HEAD");
        curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 0L);
        transfer.stopAfterHeaders = true;
    }

    // A failed or cut-short transfer still reports what arrived.
    curl_easy_perform(c);

    Gbk received;
    for (std::size_t i = 0; i < transfer.headerLines.size(); ++i) {
        if (i > 0) received += "\r\n";
        received += transfer.headerLines[i];
    }
    received = ReplaceAll(received, "set-cookie", "Set-Cookie", false);
    Gbk setCookies = CookiesFromHeaders(received);
    if (cookies) setCookies = MergeCookies(*cookies, setCookies);

    if (headers) *headers = sentHeaders;
    if (responseHeaders) *responseHeaders = std::move(received);
    if (newCookies) *newCookies = std::move(setCookies);
    return std::move(transfer.body);
}

namespace {

// The request object of HttpRequestEx over the same core: one transfer per
// Send, with the settings the object has been given so far.
class CurlRequestObject final : public WebRequestObject {
public:
    void SetTimeouts(int resolveMs, int connectMs, int sendMs, int receiveMs) override {
        // A phase without a positive time would wait for ever: such a call
        // leaves the bounded defaults.
        if (resolveMs <= 0 || connectMs <= 0 || sendMs <= 0 || receiveMs <= 0) return;
        using std::chrono::milliseconds;
        limits_.connect = milliseconds(static_cast<long long>(resolveMs) + connectMs);
        // Each phase has its own time; all of them together bound the request.
        limits_.total = limits_.connect + milliseconds(static_cast<long long>(sendMs) + receiveMs);
        stallSeconds_ = std::max(1, receiveMs / 1000);
    }

    void SetProxy(int setting, std::string_view server) override { proxy_ = setting == 2 ? Gbk(server) : Gbk(); }

    void SetCredentials(std::string_view user, std::string_view password, int flags) override {
        Credentials& c = flags == 1 ? proxyLogin_ : serverLogin_;
        c = {Gbk(user), Gbk(password), true};
    }

    bool Open(std::string_view verb, std::string_view url, bool) override {
        verb_ = Gbk(verb);
        headers_.clear();
        clearResponse();
        address_ = RequestAddress(url, IsSecure(url));
        return address_.has_value();
    }

    void SetOption(int option, long value) override {
        if (option == 6) followRedirects_ = value != 0;
    }

    bool SetRequestHeader(std::string_view name, std::string_view value) override {
        if (name.empty() || name.find_first_of(" \t:\r\n") != std::string_view::npos) return false;
        if (value.find_first_of("\r\n") != std::string_view::npos) return false;
        for (auto& [n, v] : headers_) {
            if (EqualsNoCase(n, name)) {
                v = Gbk(value);
                return true;
            }
        }
        headers_.emplace_back(Gbk(name), Gbk(value));
        return true;
    }

    bool Send(std::string_view body) override {
        clearResponse();
        if (!address_) return false;
        Transfer transfer;
        CurlPtr curl = NewTransfer(*address_, transfer, limits_);
        if (!curl) return false;
        CURL* c = curl.get();

        Gbk headerText;
        for (const auto& [n, v] : headers_) headerText += n + ": " + v + "\r\n";
        const SlistPtr headerList = HeaderList(headerText);
        curl_easy_setopt(c, CURLOPT_HTTPHEADER, headerList.get());
        curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, followRedirects_ ? 1L : 0L);
        if (stallSeconds_ > 0) {
            // No byte for the receive time ends the request.
            curl_easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, 1L);
            curl_easy_setopt(c, CURLOPT_LOW_SPEED_TIME, static_cast<long>(stallSeconds_));
        }
        const std::string proxyUrl = "http://" + proxy_;
        if (!proxy_.empty()) curl_easy_setopt(c, CURLOPT_PROXY, proxyUrl.c_str());
        if (!proxy_.empty() && proxyLogin_.given) {
            curl_easy_setopt(c, CURLOPT_PROXYUSERNAME, proxyLogin_.user.c_str());
            curl_easy_setopt(c, CURLOPT_PROXYPASSWORD, proxyLogin_.password.c_str());
            curl_easy_setopt(c, CURLOPT_PROXYAUTH, CURLAUTH_ANY);
        }
        if (serverLogin_.given) {
            curl_easy_setopt(c, CURLOPT_USERNAME, serverLogin_.user.c_str());
            curl_easy_setopt(c, CURLOPT_PASSWORD, serverLogin_.password.c_str());
            curl_easy_setopt(c, CURLOPT_HTTPAUTH, CURLAUTH_ANY);
        }

        const std::string payload(body);
        const bool head = EqualsNoCase(verb_, "HEAD");
        if (head && payload.empty()) {
            curl_easy_setopt(c, CURLOPT_NOBODY, 1L);
        } else if (EqualsNoCase(verb_, "POST") || !payload.empty()) {
            curl_easy_setopt(c, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(payload.size()));
            curl_easy_setopt(c, CURLOPT_POSTFIELDS, payload.data());
        }
        // A GET or HEAD with a body goes out as the verb it is, not as libcurl's POST.
        const bool known = head || EqualsNoCase(verb_, "GET") || EqualsNoCase(verb_, "POST");
        if ((!payload.empty() && !EqualsNoCase(verb_, "POST")) || !known)
            curl_easy_setopt(c, CURLOPT_CUSTOMREQUEST, verb_.c_str());
        if (head && !payload.empty()) {
            // As in HttpRequest: the answer to a HEAD has no body to wait for.
            curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 0L);
            transfer.stopAfterHeaders = true;
        }

        const CURLcode result = curl_easy_perform(c);
        const bool headersDone = transfer.stopAfterHeaders && result == CURLE_WRITE_ERROR && !transfer.overLimit;
        if ((result != CURLE_OK && !headersDone) || transfer.overLimit) return false;
        long code = 0;
        curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &code);
        status_ = static_cast<int>(code);
        body_ = std::move(transfer.body);
        for (const std::string& line : transfer.headerLines)
            if (!line.starts_with("HTTP/")) responseHeaders_ += line + "\r\n";
        return true;
    }

    std::string ResponseBody() const override { return body_; }
    Gbk GetAllResponseHeaders() const override { return responseHeaders_; }
    int Status() const override { return status_; }

    void AbandonWhen(const std::atomic<bool>* abandon) { limits_.abandon = abandon; }

private:
    struct Credentials {
        Gbk user, password;
        bool given = false;
    };

    void clearResponse() {
        body_.clear();
        responseHeaders_.clear();
        status_ = 0;
    }

    HttpLimits limits_;
    int stallSeconds_ = 0;
    Gbk proxy_;
    Credentials proxyLogin_, serverLogin_;
    bool followRedirects_ = true;
    Gbk verb_ = "GET";
    std::optional<std::string> address_;
    std::vector<std::pair<Gbk, Gbk>> headers_;
    std::string body_;
    Gbk responseHeaders_;
    int status_ = 0;
};

}  // namespace

std::shared_ptr<WebRequestObject> NewWebRequestObject(const std::atomic<bool>* abandon) {
    InitCurlOnce();
    auto request = std::make_shared<CurlRequestObject>();
    request->AbandonWhen(abandon);
    return request;
}

}  // namespace trelvix
