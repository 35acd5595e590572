// A real TCP server on 127.0.0.1 for the exchange's tests: it accepts one connection after another
// on a thread of its own, reads each request up to its blank line and hands the connection to the
// test's script.
#pragma once

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

class LoopbackServer {
public:
    using Script = std::function<void(LoopbackServer& server, int fd, const std::string& request)>;
    explicit LoopbackServer(Script script);
    ~LoopbackServer();

    int Port() const { return port; }
    int Requests() const { return requests; }
    std::string LastRequest();

    // For scripts: send everything; wait until the test calls Release (or the server stops).
    static void SendAll(int fd, const std::string& bytes);
    void WaitForRelease();
    void Release();
    // For scripts: whether the client closes its end within `ms` (reads and drops what comes).
    static bool ClientCloses(int fd, int ms);

private:
    void Serve();

    Script script;
    int listenFd = -1;
    int port = 0;
    std::atomic<int> requests{0};
    std::atomic<bool> stopping{false};
    std::mutex lock;
    std::condition_variable released;
    bool isReleased = false;
    std::string lastRequest;
    std::thread thread;
};

// Sleeps between the pieces of a split reply.
void PauseMs(int ms);
