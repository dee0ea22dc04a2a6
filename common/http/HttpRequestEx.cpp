#include "common/http/HttpRequestEx.h"

#include <algorithm>
#include <utility>

#include "common/http/WebText.h"

namespace trelvix {

namespace {

constexpr int kProxyNamed = 2;
constexpr int kOptionEnableRedirects = 6;
constexpr int kDefaultTimeoutSeconds = 15;
constexpr int kMaxTimeoutSeconds = 24 * 60 * 60;  // keeps the milliseconds within an int

// The default lines, each added when the text so far lacks its name.
Gbk WithDefaultHeaders(Gbk text, std::string_view url) {
    if (text.empty()) text = "Accept: */*";
    else if (Find(text, "Accept:") < 0) text += "\r\nAccept: */*";
    if (Find(text, "Referer:") < 0) {
        text += "\r\nReferer: ";
        text += url;
    }
    if (Find(text, "Accept-Language:") < 0) text += "\r\nAccept-Language: zh-cn";
    if (Find(text, "User-Agent:") < 0) text += "\r\nUser-Agent: Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)";
    if (Find(text, "Content-Type:") < 0) text += "\r\nContent-Type: application/x-www-form-urlencoded";
    return text;
}

const char* Verb(int method) {
    switch (method) {
        case 1: return "POST";
        case 2: return "HEAD";
        default: return "GET";
    }
}

}  // namespace

Gbk HeaderName(std::string_view line) {
    const long long colon = Find(line, ":");
    return colon > 0 ? TrimSpaces(Left(line, colon - 1)) : Gbk();
}

std::string HttpRequestEx(std::string_view url, int method, std::string_view postText, Gbk* cookies, Gbk* newCookies,
                          Gbk* headers, Gbk* responseHeaders, int* status, bool noRedirect, std::string_view postBytes,
                          std::string_view proxy, int timeoutSeconds, std::string_view proxyUser,
                          std::string_view proxyPassword, int credentialFlags,
                          std::shared_ptr<WebRequestObject> requestObject) {
    std::shared_ptr<WebRequestObject> request = requestObject ? std::move(requestObject) : NewWebRequestObject();
    if (!request) return {};

    if (timeoutSeconds != -1) {
        const int seconds = timeoutSeconds >= 1 ? std::min(timeoutSeconds, kMaxTimeoutSeconds) : kDefaultTimeoutSeconds;
        const int ms = seconds * 1000;
        request->SetTimeouts(ms, ms, ms, ms);
    }
    if (!proxy.empty()) {
        request->SetProxy(kProxyNamed, proxy);
        if (!proxyUser.empty()) request->SetCredentials(proxyUser, proxyPassword, credentialFlags);
    }
    request->Open(Verb(method), url, false);
    if (noRedirect) request->SetOption(kOptionEnableRedirects, 0);

    const Gbk sent = WithDefaultHeaders(headers ? *headers : Gbk(), url);
    if (headers) *headers = sent;
    if (cookies && !cookies->empty()) request->SetRequestHeader("Cookie", *cookies);
    for (const Gbk& line : Split(sent, "\r\n"))
        if (!line.empty()) request->SetRequestHeader(HeaderName(line), HeaderValue(line));

    request->Send(postBytes.empty() ? postText : postBytes);

    std::string body = request->ResponseBody();
    Gbk received = ReplaceAll(request->GetAllResponseHeaders(), "set-cookie", "Set-Cookie", false);
    if (status) *status = request->Status();
    Gbk setCookies = CookiesFromHeaders(received);
    Gbk merged;
    Gbk& old = cookies ? *cookies : merged;
    MergeCookies(old, setCookies);
    if (newCookies) *newCookies = old;
    if (responseHeaders) *responseHeaders = std::move(received);
    return body;
}

}  // namespace trelvix
