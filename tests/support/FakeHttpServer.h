#pragma once
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

namespace trelvix::test {

// What the server answers to one request.
struct FakeReply {
    int status = 200;
    std::string body;  // any bytes, zero bytes included
    // Sent as given, in order, after the status line. The server adds
    // Content-Length and "Connection: close" unless they are given here.
    std::vector<std::pair<std::string, std::string>> headers;
    bool silent = false;  // accept and read the request, never answer
};

// One request as the server read it.
struct SeenRequest {
    std::string method, target;  // target as on the request line: "/path?query"
    std::string rawHeaders;      // header lines as received, each ending in CR LF, no blank line
    std::string body;            // decoded when sent chunked
    // The first value of a header (name case-insensitive), trimmed; empty when absent.
    std::string header(std::string_view name) const;
};

// A small HTTP/1.1 server on 127.0.0.1 for tests: the port is chosen by the
// system, connections are served on the server's own threads, and every
// connection is closed after one answer. Replies are canned per path; a path
// with no reply of its own gets the replyAll one, else 404 with no body.
// All members may be called from any thread.
class FakeHttpServer {
public:
    FakeHttpServer();
    ~FakeHttpServer();  // also ends connections held by silent replies
    FakeHttpServer(const FakeHttpServer&) = delete;
    FakeHttpServer& operator=(const FakeHttpServer&) = delete;

    int port() const { return port_; }
    // "http://127.0.0.1:<port>" followed by path.
    std::string url(std::string_view path = "/") const;

    // Replies for a path (the target before any "?"; an exact target with its
    // query is matched first), used in order; the last one repeats.
    void reply(std::string_view path, FakeReply r);
    void replyAll(FakeReply r);
    std::vector<SeenRequest> requests() const;

private:
    void acceptLoop();
    void serve(int fd);
    FakeReply nextReply(const std::string& target);

    int listenFd_ = -1;
    int wakeRead_ = -1, wakeWrite_ = -1;  // written once at shut-down; every wait watches it
    int port_ = 0;
    mutable std::mutex mutex_;
    std::map<std::string, std::vector<FakeReply>, std::less<>> replies_;
    std::vector<FakeReply> fallback_;
    std::vector<SeenRequest> seen_;
    std::set<int> open_;  // connections being served
    std::vector<std::thread> workers_;
    std::thread acceptor_;
};

}  // namespace trelvix::test
