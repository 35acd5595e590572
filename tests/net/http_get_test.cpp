#include "net/headline.h"
#include "net/headline_fetch.h"
#include "net/http_get.h"
#include "loopback_server.h"

#include <gtest/gtest.h>

#include <netinet/in.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <vector>

namespace {

constexpr char kOk[] = "HTTP/1.1 200 OK\r\n";

struct Result {
    int status = 0;
    std::string body;
};

Result Get(int port, int capacity = kHeadlineBodyCapacity, const std::string& path = kHeadlinePath,
           const std::string& host = "127.0.0.1") {
    std::vector<char> buffer(static_cast<size_t>(capacity) + 1, '#');
    int length = capacity;
    Result r;
    r.status = HttpGet(buffer.data(), &length, host, path, kHeadlineVersion, port);
    if (r.status == kHttpOk) {
        EXPECT_EQ(buffer[static_cast<size_t>(length)], '\0');
        r.body.assign(buffer.data(), static_cast<size_t>(length));
    }
    return r;
}

std::string WithLength(const std::string& body) {
    return std::string(kOk) + "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

} // namespace

TEST(HttpGet, SendsExactlyItsRequestAndReturnsTheBody) {
    const std::string body = "\r\n*http://example.test/a\tTitle";
    LoopbackServer server(
        [&](LoopbackServer&, int fd, const std::string&) { LoopbackServer::SendAll(fd, WithLength(body)); });
    Result r = Get(server.Port());
    EXPECT_EQ(r.status, kHttpOk);
    EXPECT_EQ(r.body, body);
    EXPECT_EQ(server.LastRequest(), "GET /link230/ HTTP/1.1\r\nHost:127.0.0.1\r\nVer:1.2\r\n\r\n");
}

TEST(HttpGet, StatusForEachFailure) {
    EXPECT_EQ(Get(80, 100, kHeadlinePath, "no-such-host.invalid").status, kHttpNoHost);

    // A port that is bound but not listening refuses the connection.
    int reserved = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in at{};
    at.sin_family = AF_INET;
    at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof at;
    ASSERT_EQ(bind(reserved, reinterpret_cast<sockaddr*>(&at), sizeof at), 0);
    ASSERT_EQ(getsockname(reserved, reinterpret_cast<sockaddr*>(&at), &size), 0);
    EXPECT_EQ(Get(ntohs(at.sin_port)).status, kHttpNoConnection);
    close(reserved);

    LoopbackServer silent([](LoopbackServer&, int, const std::string&) {}); // closes at once
    EXPECT_EQ(Get(silent.Port()).status, kHttpNothingReceived);

    LoopbackServer headerOnly(
        [](LoopbackServer&, int fd, const std::string&) { LoopbackServer::SendAll(fd, std::string(kOk) + "X: y"); });
    EXPECT_EQ(Get(headerOnly.Port()).status, kHttpNoHeaderEnd);

    // A request that does not fit its 2,047 bytes is not sent at all.
    LoopbackServer any(
        [](LoopbackServer&, int fd, const std::string&) { LoopbackServer::SendAll(fd, WithLength("x")); });
    EXPECT_EQ(Get(any.Port(), 100, std::string(2100, 'p')).status, kHttpNotSent);
    EXPECT_EQ(any.Requests(), 0);
}

TEST(HttpGet, NoSocketLeftToOpen) {
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_NOFILE, &old), 0);
    std::vector<int> held;
    rlimit low = old;
    low.rlim_cur = 64;
    ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &low), 0);
    for (int fd; (fd = dup(0)) >= 0;)
        held.push_back(fd);
    int status = Get(1).status; // an address literal needs no resolver files
    for (int fd : held)
        close(fd);
    setrlimit(RLIMIT_NOFILE, &old);
    EXPECT_EQ(status, kHttpNoSocket);
}

TEST(HttpGet, ReadsAReplyThatComesInPieces) {
    const std::string reply = WithLength("*http://a.test/\tthree pieces");
    std::atomic<bool> clientClosedFirst{false};
    Result r;
    {
        LoopbackServer server([&](LoopbackServer&, int fd, const std::string&) {
            LoopbackServer::SendAll(fd, reply.substr(0, 10));
            PauseMs(150);
            LoopbackServer::SendAll(fd, reply.substr(10, 30));
            PauseMs(150);
            LoopbackServer::SendAll(fd, reply.substr(40));
            // The announced length is in: the client ends the exchange without waiting for us.
            clientClosedFirst = LoopbackServer::ClientCloses(fd, 5000);
        });
        r = Get(server.Port());
    }
    EXPECT_EQ(r.status, kHttpOk);
    EXPECT_EQ(r.body, "*http://a.test/\tthree pieces");
    EXPECT_TRUE(clientClosedFirst);
}

TEST(HttpGet, CutsTheReplyAndTheBody) {
    // More than 2,047 bytes from a server that keeps the connection open: the first 2,047 count.
    const std::string head = "HTTP/1.1 200 OK\r\n\r\n";
    LoopbackServer flood([&](LoopbackServer& s, int fd, const std::string&) {
        LoopbackServer::SendAll(fd, head + std::string(3000, 'x'));
        s.WaitForRelease();
    });
    Result r = Get(flood.Port(), 4096);
    flood.Release();
    EXPECT_EQ(r.status, kHttpOk);
    EXPECT_EQ(r.body, std::string(kHttpReplyLimit - head.size(), 'x'));

    LoopbackServer big([](LoopbackServer&, int fd, const std::string&) {
        LoopbackServer::SendAll(fd, WithLength(std::string(1500, 'b')));
    });
    r = Get(big.Port());
    EXPECT_EQ(r.status, kHttpOk);
    EXPECT_EQ(r.body, std::string(kHeadlineBodyCapacity, 'b'));
}

TEST(HttpGetSlow, ServerThatNeverAnswers) {
    LoopbackServer mute([](LoopbackServer& s, int, const std::string&) { s.WaitForRelease(); });
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Get(mute.Port()).status, kHttpNothingReceived);
    auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    mute.Release();
    EXPECT_GT(seconds, 9.5);
    EXPECT_LT(seconds, 12.0);
}

TEST(HeadlineFetcher, OneExchangeAtATimeAndTheReplyOnce) {
    LoopbackServer server([](LoopbackServer& s, int fd, const std::string&) {
        s.WaitForRelease();
        LoopbackServer::SendAll(fd, WithLength("*l\tt"));
    });
    std::atomic<int> notified{0};
    HeadlineFetcher fetcher([&] { ++notified; });
    ASSERT_TRUE(fetcher.Start("127.0.0.1", server.Port()));
    EXPECT_TRUE(fetcher.Busy());
    EXPECT_FALSE(fetcher.Start("127.0.0.1", server.Port()));
    server.Release();
    for (int i = 0; i < 200 && notified == 0; ++i)
        PauseMs(10);
    ASSERT_EQ(notified, 1);
    EXPECT_FALSE(fetcher.Busy());
    HeadlineReply reply;
    ASSERT_TRUE(fetcher.TakeReply(&reply));
    EXPECT_EQ(reply.status, kHttpOk);
    EXPECT_EQ(reply.body, "*l\tt");
    EXPECT_FALSE(fetcher.TakeReply(&reply));
    EXPECT_EQ(server.Requests(), 1);
}

TEST(HeadlineFetcher, ReplyAfterTheOwnerHasGoneIsDropped) {
    std::atomic<bool> clientDone{false};
    LoopbackServer server([&](LoopbackServer& s, int fd, const std::string&) {
        s.WaitForRelease();
        LoopbackServer::SendAll(fd, WithLength("*l\tt"));
        clientDone = LoopbackServer::ClientCloses(fd, 5000);
    });
    std::atomic<int> notified{0};
    {
        HeadlineFetcher fetcher([&] { ++notified; });
        ASSERT_TRUE(fetcher.Start("127.0.0.1", server.Port()));
        while (server.Requests() == 0)
            PauseMs(5);
    } // gone while the server still holds the reply back: nothing waits for it
    server.Release();
    for (int i = 0; i < 200 && !clientDone; ++i)
        PauseMs(10);
    PauseMs(100);
    EXPECT_TRUE(clientDone);
    EXPECT_EQ(notified, 0);
}
