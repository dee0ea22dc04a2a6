#include "FakeHttpServer.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <stdexcept>

namespace trelvix::test {

namespace {

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

// The value of the first header line called name in a block of CR LF lines.
std::string headerIn(std::string_view block, std::string_view name) {
    const std::string want = lower(name);
    size_t pos = 0;
    while (pos < block.size()) {
        size_t end = block.find("\r\n", pos);
        if (end == std::string_view::npos) end = block.size();
        std::string_view line = block.substr(pos, end - pos);
        size_t colon = line.find(':');
        if (colon != std::string_view::npos && lower(trim(line.substr(0, colon))) == want)
            return std::string(trim(line.substr(colon + 1)));
        pos = end + 2;
    }
    return {};
}

const char* reasonPhrase(int status) {
    switch (status) {
        case 100: return "Continue";
        case 200: return "OK";
        case 201: return "Created";
        case 204: return "No Content";
        case 301: return "Moved Permanently";
        case 302: return "Found";
        case 303: return "See Other";
        case 304: return "Not Modified";
        case 307: return "Temporary Redirect";
        case 308: return "Permanent Redirect";
        case 400: return "Bad Request";
        case 403: return "Forbidden";
        case 404: return "Not Found";
        case 500: return "Internal Server Error";
        case 503: return "Service Unavailable";
        default: return "Status";
    }
}

bool sendAll(int fd, std::string_view data) {
    while (!data.empty()) {
        ssize_t n = ::send(fd, data.data(), data.size(), MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

// Reads what the client sent on a connection, giving up when the server
// shuts down or the client goes away.
class Reader {
public:
    Reader(int fd, int wake) : fd_(fd), wake_(wake) {}

    // Waits for more bytes; false on shut-down, close or error.
    bool more() {
        for (;;) {
            pollfd p[2] = {{fd_, POLLIN, 0}, {wake_, POLLIN, 0}};
            int r = ::poll(p, 2, -1);
            if (r < 0 && errno == EINTR) continue;
            if (r < 0 || (p[1].revents & POLLIN)) return false;
            char buf[16384];
            ssize_t n = ::recv(fd_, buf, sizeof buf, 0);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) return false;
            data_.append(buf, static_cast<size_t>(n));
            return true;
        }
    }

    // Bytes up to and without delim, consumed with it.
    bool until(std::string_view delim, std::string& out) {
        size_t at;
        while ((at = data_.find(delim, scanned_)) == std::string::npos) {
            scanned_ = data_.size() >= delim.size() ? data_.size() - delim.size() + 1 : 0;
            if (!more()) return false;
        }
        out = data_.substr(0, at);
        data_.erase(0, at + delim.size());
        scanned_ = 0;
        return true;
    }

    bool take(size_t count, std::string& out) {
        while (data_.size() < count)
            if (!more()) return false;
        out.append(data_, 0, count);
        data_.erase(0, count);
        return true;
    }

private:
    int fd_, wake_;
    std::string data_;
    size_t scanned_ = 0;
};

bool readChunkedBody(Reader& in, std::string& body) {
    for (;;) {
        std::string sizeLine;
        if (!in.until("\r\n", sizeLine)) return false;
        size_t size = std::strtoul(sizeLine.c_str(), nullptr, 16);
        if (size == 0) {
            std::string trailer;
            do {
                if (!in.until("\r\n", trailer)) return false;
            } while (!trailer.empty());
            return true;
        }
        std::string crlf;
        if (!in.take(size, body) || !in.take(2, crlf)) return false;
    }
}

}  // namespace

std::string SeenRequest::header(std::string_view name) const { return headerIn(rawHeaders, name); }

FakeHttpServer::FakeHttpServer() {
    int wake[2];
    if (::pipe2(wake, O_CLOEXEC) != 0) throw std::runtime_error("FakeHttpServer: pipe");
    wakeRead_ = wake[0];
    wakeWrite_ = wake[1];

    listenFd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (listenFd_ < 0) throw std::runtime_error("FakeHttpServer: socket");
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;
    socklen_t len = sizeof addr;
    if (::bind(listenFd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || ::listen(listenFd_, 64) != 0 ||
        ::getsockname(listenFd_, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
        ::close(listenFd_);
        ::close(wakeRead_);
        ::close(wakeWrite_);
        throw std::runtime_error("FakeHttpServer: bind 127.0.0.1");
    }
    port_ = ntohs(addr.sin_port);
    acceptor_ = std::thread([this] { acceptLoop(); });
}

FakeHttpServer::~FakeHttpServer() {
    char one = 1;
    while (::write(wakeWrite_, &one, 1) < 0 && errno == EINTR) {
    }
    acceptor_.join();
    std::vector<std::thread> workers;
    {
        // A worker blocked in send (a client that stopped reading) does not
        // watch the wake pipe.
        std::lock_guard lock(mutex_);
        for (int fd : open_) ::shutdown(fd, SHUT_RDWR);
        workers.swap(workers_);
    }
    for (std::thread& t : workers) t.join();
    ::close(listenFd_);
    ::close(wakeRead_);
    ::close(wakeWrite_);
}

std::string FakeHttpServer::url(std::string_view path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + std::string(path);
}

void FakeHttpServer::reply(std::string_view path, FakeReply r) {
    std::lock_guard lock(mutex_);
    replies_[std::string(path)].push_back(std::move(r));
}

void FakeHttpServer::replyAll(FakeReply r) {
    std::lock_guard lock(mutex_);
    fallback_.assign(1, std::move(r));
}

std::vector<SeenRequest> FakeHttpServer::requests() const {
    std::lock_guard lock(mutex_);
    return seen_;
}

FakeReply FakeHttpServer::nextReply(const std::string& target) {
    auto it = replies_.find(target);
    if (it == replies_.end()) it = replies_.find(std::string_view(target).substr(0, target.find('?')));
    if (it == replies_.end() || it->second.empty()) {
        if (!fallback_.empty()) return fallback_.front();
        FakeReply none;
        none.status = 404;
        return none;
    }
    FakeReply r = it->second.front();
    if (it->second.size() > 1) it->second.erase(it->second.begin());
    return r;
}

void FakeHttpServer::acceptLoop() {
    for (;;) {
        pollfd p[2] = {{listenFd_, POLLIN, 0}, {wakeRead_, POLLIN, 0}};
        int r = ::poll(p, 2, -1);
        if (r < 0 && errno == EINTR) continue;
        if (r < 0 || (p[1].revents & POLLIN)) return;
        int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0) continue;
        std::lock_guard lock(mutex_);
        open_.insert(fd);
        workers_.emplace_back([this, fd] { serve(fd); });
    }
}

void FakeHttpServer::serve(int fd) {
    Reader in(fd, wakeRead_);
    SeenRequest req;
    std::string head;
    bool complete = in.until("\r\n\r\n", head);
    if (complete) {
        size_t lineEnd = head.find("\r\n");
        std::string_view line = std::string_view(head).substr(0, lineEnd);
        req.rawHeaders = lineEnd == std::string::npos ? std::string() : head.substr(lineEnd + 2) + "\r\n";
        size_t sp1 = line.find(' ');
        size_t sp2 = line.find(' ', sp1 == std::string_view::npos ? line.size() : sp1 + 1);
        req.method = std::string(line.substr(0, sp1));
        if (sp1 != std::string_view::npos) req.target = std::string(line.substr(sp1 + 1, sp2 - sp1 - 1));

        if (lower(req.header("Expect")) == "100-continue") sendAll(fd, "HTTP/1.1 100 Continue\r\n\r\n");
        if (lower(req.header("Transfer-Encoding")).find("chunked") != std::string::npos)
            complete = readChunkedBody(in, req.body);
        else if (std::string length = req.header("Content-Length"); !length.empty())
            complete = in.take(std::strtoull(length.c_str(), nullptr, 10), req.body);
    }

    FakeReply reply;
    reply.silent = true;  // a request cut short gets no answer
    if (complete) {
        std::lock_guard lock(mutex_);
        reply = nextReply(req.target);
        seen_.push_back(req);
    }

    if (reply.silent) {
        // Hold the connection until the client gives up or the server shuts down.
        while (in.more()) {
        }
    } else {
        std::string out = "HTTP/1.1 " + std::to_string(reply.status) + " " + reasonPhrase(reply.status) + "\r\n";
        bool hasLength = false, hasConnection = false;
        for (const auto& [name, value] : reply.headers) {
            out += name + ": " + value + "\r\n";
            hasLength = hasLength || lower(name) == "content-length";
            hasConnection = hasConnection || lower(name) == "connection";
        }
        if (!hasLength) out += "Content-Length: " + std::to_string(reply.body.size()) + "\r\n";
        if (!hasConnection) out += "Connection: close\r\n";
        out += "\r\n";
        if (req.method != "HEAD") out += reply.body;
        if (sendAll(fd, out)) {
            // Closing with unread input would reset the connection and could
            // lose the answer at the client: let the client close first.
            ::shutdown(fd, SHUT_WR);
            while (in.more()) {
            }
        }
    }

    std::lock_guard lock(mutex_);
    open_.erase(fd);
    ::close(fd);
}

}  // namespace trelvix::test
