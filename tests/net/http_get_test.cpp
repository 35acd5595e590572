#include "net/headline.h"
#include "net/headline_fetch.h"
#include "net/http_get.h"

#include <gtest/gtest.h>

#include <netinet/in.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>
#include <vector>

namespace {

void PauseMs(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}
void Send(int fd, const std::string& bytes) {
    send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
}

// A real server on 127.0.0.1 for one connection: it reads the request up to its blank line, then
// the test's script answers (or not) on the connection.
struct Server {
    explicit Server(std::function<void(int fd)> script, bool listening = true) {
        sockaddr_in at{AF_INET, 0, {htonl(INADDR_LOOPBACK)}, {}};
        socklen_t size = sizeof at;
        bind(fd, reinterpret_cast<sockaddr*>(&at), size);
        getsockname(fd, reinterpret_cast<sockaddr*>(&at), &size);
        port = ntohs(at.sin_port);
        if (!listening) return; // bound but deaf: connections are refused
        listen(fd, 1);
        thread = std::thread([this, script] {
            int c = accept(fd, nullptr, nullptr);
            if (c < 0) return;
            char piece[512];
            for (ssize_t n; request.find("\r\n\r\n") == std::string::npos && (n = recv(c, piece, sizeof piece, 0)) > 0;)
                request.append(piece, static_cast<size_t>(n));
            script(c);
            close(c);
        });
    }
    ~Server() {
        release = true;
        shutdown(fd, SHUT_RDWR); // ends a pending accept
        if (thread.joinable()) thread.join();
        close(fd);
    }
    void Hold() { // until the test releases the server
        for (int i = 0; i < 3000 && !release; ++i)
            PauseMs(10);
    }
    // Whether the client closes its end within 5 s.
    static bool ClientCloses(int c) {
        char drop[64];
        timeval t{5, 0};
        setsockopt(c, SOL_SOCKET, SO_RCVTIMEO, &t, sizeof t);
        return recv(c, drop, sizeof drop, 0) == 0;
    }

    int fd = socket(AF_INET, SOCK_STREAM, 0);
    int port = 0;
    std::string request;
    std::atomic<bool> release{false};
    std::thread thread;
};

struct Result {
    int status = 0;
    std::string body;
};

Result Get(int port, int capacity = kHeadlineBodyCapacity, const std::string& path = kHeadlinePath,
           const std::string& host = "127.0.0.1") {
    std::vector<char> buffer(static_cast<size_t>(capacity) + 1, '#');
    int length = capacity;
    Result r{HttpGet(buffer.data(), &length, host, path, kHeadlineVersion, port), ""};
    if (r.status == kHttpOk && buffer[static_cast<size_t>(length)] == '\0') r.body.assign(buffer.data(), length);
    return r;
}

std::string WithLength(const std::string& body) {
    return "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

} // namespace

TEST(HttpGet, SendsExactlyItsRequestAndReturnsTheBody) {
    Result r;
    std::string request;
    {
        Server server([](int c) { Send(c, WithLength("\r\n*http://a.test/\tTitle")); });
        r = Get(server.port);
        server.thread.join();
        request = server.request;
    }
    EXPECT_EQ(r.status, kHttpOk);
    EXPECT_EQ(r.body, "\r\n*http://a.test/\tTitle");
    EXPECT_EQ(request, "GET /link230/ HTTP/1.1\r\nHost:127.0.0.1\r\nVer:1.2\r\n\r\n");
}

TEST(HttpGet, StatusForEachFailure) {
    EXPECT_EQ(Get(80, 100, kHeadlinePath, "no-such-host.invalid").status, kHttpNoHost);
    EXPECT_EQ(Get(Server([](int) {}, false).port).status, kHttpNoConnection);
    EXPECT_EQ(Get(Server([](int) {}).port).status, kHttpNothingReceived); // closed without a word
    EXPECT_EQ(Get(Server([](int c) { Send(c, "HTTP/1.1 200 OK\r\nX: y"); }).port).status, kHttpNoHeaderEnd);
    // A request that does not fit its 2,047 bytes is not sent at all.
    {
        Server any([](int c) { Send(c, WithLength("x")); });
        EXPECT_EQ(Get(any.port, 100, std::string(2100, 'p')).status, kHttpNotSent);
        EXPECT_EQ(any.request, "");
    } // its thread is done with its descriptors before the table is filled below

    rlimit old{};
    getrlimit(RLIMIT_NOFILE, &old);
    rlimit low{64, old.rlim_max};
    setrlimit(RLIMIT_NOFILE, &low);
    std::vector<int> held;
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
        Server server([&](int c) {
            for (std::string piece : {reply.substr(0, 10), reply.substr(10, 30), reply.substr(40)}) {
                Send(c, piece);
                PauseMs(150);
            }
            // The announced length is in: the client ends the exchange without waiting for us.
            clientClosedFirst = Server::ClientCloses(c);
        });
        r = Get(server.port);
    }
    EXPECT_EQ(r.status, kHttpOk);
    EXPECT_EQ(r.body, "*http://a.test/\tthree pieces");
    EXPECT_TRUE(clientClosedFirst);
}

TEST(HttpGet, CutsTheReplyAndTheBody) {
    // More than 2,047 bytes from a server that keeps the connection open: the first 2,047 count.
    const std::string head = "HTTP/1.1 200 OK\r\n\r\n";
    Server flood([&](int c) {
        Send(c, head + std::string(3000, 'x'));
        flood.Hold();
    });
    EXPECT_EQ(Get(flood.port, 4096).body, std::string(kHttpReplyLimit - head.size(), 'x'));
    EXPECT_EQ(Get(Server([](int c) { Send(c, WithLength(std::string(1500, 'b'))); }).port).body,
              std::string(kHeadlineBodyCapacity, 'b'));
}

TEST(HttpGetSlow, ServerThatNeverAnswers) {
    Server mute([&](int) { mute.Hold(); });
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Get(mute.port).status, kHttpNothingReceived);
    auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_GT(seconds, 9.5);
    EXPECT_LT(seconds, 12.0);
}

TEST(HeadlineFetcher, OneExchangeAtATimeAndTheReplyOnce) {
    Server server([&](int c) {
        server.Hold();
        Send(c, WithLength("*l\tt"));
    });
    std::atomic<int> notified{0};
    HeadlineFetcher fetcher([&] { ++notified; });
    ASSERT_TRUE(fetcher.Start("127.0.0.1", server.port));
    EXPECT_FALSE(fetcher.Start("127.0.0.1", server.port));
    server.release = true;
    for (int i = 0; i < 200 && notified == 0; ++i)
        PauseMs(10);
    EXPECT_EQ(notified, 1);
    EXPECT_FALSE(fetcher.Busy());
    HeadlineReply reply;
    ASSERT_TRUE(fetcher.TakeReply(&reply));
    EXPECT_EQ(reply.body, "*l\tt");
    EXPECT_FALSE(fetcher.TakeReply(&reply));
}

TEST(HeadlineFetcher, ReplyAfterTheOwnerHasGoneIsDropped) {
    std::atomic<int> notified{0};
    std::atomic<bool> clientDone{false};
    Server server([&](int c) {
        server.Hold();
        Send(c, WithLength("*l\tt"));
        clientDone = Server::ClientCloses(c);
    });
    std::make_unique<HeadlineFetcher>([&] { ++notified; })->Start("127.0.0.1", server.port);
    // The fetcher is gone while the server still holds its reply back: nothing waited for it.
    server.release = true;
    server.thread.join();
    PauseMs(100);
    EXPECT_TRUE(clientDone);
    EXPECT_EQ(notified, 0);
}
