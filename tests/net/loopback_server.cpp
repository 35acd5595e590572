#include "loopback_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>

LoopbackServer::LoopbackServer(Script s) : script(std::move(s)) {
    listenFd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in at{};
    at.sin_family = AF_INET;
    at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof at;
    if (bind(listenFd, reinterpret_cast<sockaddr*>(&at), sizeof at) == 0 && listen(listenFd, 4) == 0 &&
        getsockname(listenFd, reinterpret_cast<sockaddr*>(&at), &size) == 0)
        port = ntohs(at.sin_port);
    thread = std::thread([this] { Serve(); });
}

LoopbackServer::~LoopbackServer() {
    stopping = true;
    Release();
    thread.join();
    close(listenFd);
}

std::string LoopbackServer::LastRequest() {
    std::lock_guard<std::mutex> hold(lock);
    return lastRequest;
}

void LoopbackServer::Serve() {
    while (!stopping) {
        pollfd p{listenFd, POLLIN, 0};
        if (poll(&p, 1, 50) <= 0) continue;
        int fd = accept(listenFd, nullptr, nullptr);
        if (fd < 0) continue;
        std::string request;
        char chunk[4096];
        while (request.find("\r\n\r\n") == std::string::npos) {
            pollfd c{fd, POLLIN, 0};
            if (poll(&c, 1, 2000) <= 0) break;
            ssize_t n = recv(fd, chunk, sizeof chunk, 0);
            if (n <= 0) break;
            request.append(chunk, static_cast<size_t>(n));
        }
        {
            std::lock_guard<std::mutex> hold(lock);
            lastRequest = request;
        }
        ++requests;
        script(*this, fd, request);
        close(fd);
    }
}

void LoopbackServer::SendAll(int fd, const std::string& bytes) {
    size_t sent = 0;
    while (sent < bytes.size()) {
        ssize_t n = send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n <= 0) return;
        sent += static_cast<size_t>(n);
    }
}

void LoopbackServer::WaitForRelease() {
    std::unique_lock<std::mutex> hold(lock);
    released.wait_for(hold, std::chrono::seconds(30), [this] { return isReleased; });
}

void LoopbackServer::Release() {
    std::lock_guard<std::mutex> hold(lock);
    isReleased = true;
    released.notify_all();
}

bool LoopbackServer::ClientCloses(int fd, int ms) {
    char drop[256];
    for (;;) {
        pollfd c{fd, POLLIN, 0};
        if (poll(&c, 1, ms) <= 0) return false;
        ssize_t n = recv(fd, drop, sizeof drop, 0);
        if (n <= 0) return true;
    }
}

void PauseMs(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}
