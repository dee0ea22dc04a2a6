// The test server checked with a bare socket client, so that it can be
// trusted by tests of the program's own web client.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <optional>
#include <thread>

#include "FakeHttpServer.h"

namespace trelvix::test {
namespace {

// Sends raw bytes and reads until the server closes (or timeoutMs passes).
std::string exchange(int port, std::string_view request, int timeoutMs = 5000) {
    int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = htons(static_cast<uint16_t>(port));
    EXPECT_EQ(::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    EXPECT_EQ(::send(fd, request.data(), request.size(), MSG_NOSIGNAL), static_cast<ssize_t>(request.size()));
    std::string got;
    for (;;) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, timeoutMs) <= 0) break;
        char buf[4096];
        ssize_t n = ::recv(fd, buf, sizeof buf, 0);
        if (n <= 0) break;
        got.append(buf, static_cast<size_t>(n));
    }
    ::close(fd);
    return got;
}

TEST(FakeHttpServer, AnswersWithCannedBytesAndRecordsTheRequest) {
    FakeHttpServer server;
    const std::string body("a\0b\r\n\xFF", 6);
    server.reply("/x", {201, body, {{"Set-Cookie", "k=v"}}});
    const std::string request = "POST /x?q=1 HTTP/1.1\r\nHost: h\r\nContent-Length: 3\r\nX-A:  one \r\n\r\n";
    std::string got = exchange(server.port(), request + std::string("\0yz", 3));
    EXPECT_EQ(got, "HTTP/1.1 201 Created\r\nSet-Cookie: k=v\r\nContent-Length: 6\r\nConnection: close\r\n\r\n" + body);

    auto seen = server.requests();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].method, "POST");
    EXPECT_EQ(seen[0].target, "/x?q=1");
    EXPECT_EQ(seen[0].rawHeaders, "Host: h\r\nContent-Length: 3\r\nX-A:  one \r\n");
    EXPECT_EQ(seen[0].body, std::string("\0yz", 3));
    EXPECT_EQ(seen[0].header("x-a"), "one");
    EXPECT_EQ(seen[0].header("Cookie"), "");
}

TEST(FakeHttpServer, QueuedRepliesRepeatTheLastAndOthersFallBack) {
    FakeHttpServer server;
    server.reply("/q", {200, "first", {}});
    server.reply("/q", {200, "second", {}});
    auto bodyOf = [&](std::string_view target) {
        std::string got = exchange(server.port(), "GET " + std::string(target) + " HTTP/1.1\r\n\r\n");
        return got.substr(got.find("\r\n\r\n") + 4);
    };
    EXPECT_EQ(bodyOf("/q"), "first");
    EXPECT_EQ(bodyOf("/q?x"), "second");
    EXPECT_EQ(bodyOf("/q"), "second");
    EXPECT_EQ(exchange(server.port(), "GET /none HTTP/1.1\r\n\r\n").substr(0, 22), "HTTP/1.1 404 Not Found");
    server.replyAll({200, "any", {}});
    EXPECT_EQ(bodyOf("/none"), "any");
}

TEST(FakeHttpServer, ChunkedRequestBodyIsDecoded) {
    FakeHttpServer server;
    exchange(server.port(), "PUT / HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\n3\r\nabc\r\n2\r\nde\r\n0\r\n\r\n");
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(server.requests()[0].body, "abcde");
}

TEST(FakeHttpServer, SilentReplyHoldsTheConnectionAndShutDownStillEnds) {
    std::optional<FakeHttpServer> server(std::in_place);
    server->replyAll({200, "never sent", {}, true});
    EXPECT_EQ(exchange(server->port(), "GET / HTTP/1.1\r\n\r\n", 300), "");

    // A second client still holds its connection while the server is destroyed.
    int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = htons(static_cast<uint16_t>(server->port()));
    ASSERT_EQ(::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    ::send(fd, "GET / HTTP/1.1\r\n\r\n", 18, MSG_NOSIGNAL);
    while (server->requests().size() < 2) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    server.reset();
    char c;
    EXPECT_EQ(::recv(fd, &c, 1, 0), 0);  // closed without an answer
    ::close(fd);
}

}  // namespace
}  // namespace trelvix::test
