#include "net/socket.h"

#include <winsock2.h>
#include <ws2tcpip.h>

namespace {

SOCKET Sock(NetSocket s) {
    return static_cast<SOCKET>(s);
}

// The main window starts Winsock at start-up; this makes HttpGet usable on its own (tests, a
// worker that runs first). WSAStartup counts its callers, so a second start is harmless.
bool Started() {
    static const bool started = [] {
        WSADATA data{};
        return WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    return started;
}

timeval Timeval(int ms) {
    timeval t{};
    t.tv_sec = ms / 1000;
    t.tv_usec = (ms % 1000) * 1000;
    return t;
}

} // namespace

bool NetResolve(const std::string& host, std::uint32_t* address) {
    if (!Started()) return false;
    in_addr literal{};
    if (inet_pton(AF_INET, host.c_str(), &literal) == 1) {
        *address = literal.s_addr;
        return true;
    }
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0 || !found) return false;
    *address = reinterpret_cast<sockaddr_in*>(found->ai_addr)->sin_addr.s_addr;
    freeaddrinfo(found);
    return true;
}

NetSocket NetOpenTcp() {
    if (!Started()) return kNoSocket;
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    return s == INVALID_SOCKET ? kNoSocket : static_cast<NetSocket>(s);
}

bool NetConnect(NetSocket s, std::uint32_t address, int port, int timeoutMs) {
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(static_cast<u_short>(port));
    to.sin_addr.s_addr = address;
    u_long nonBlocking = 1;
    if (ioctlsocket(Sock(s), FIONBIO, &nonBlocking) != 0) return false;
    if (connect(Sock(s), reinterpret_cast<sockaddr*>(&to), sizeof to) != 0) {
        if (WSAGetLastError() != WSAEWOULDBLOCK) return false;
        // Windows reports a refused connection in the exception set, not as writable.
        fd_set writable, failed;
        FD_ZERO(&writable);
        FD_ZERO(&failed);
        FD_SET(Sock(s), &writable);
        FD_SET(Sock(s), &failed);
        timeval t = Timeval(timeoutMs);
        if (select(0, nullptr, &writable, &failed, &t) <= 0 || FD_ISSET(Sock(s), &failed)) return false;
        int error = 0;
        int size = sizeof error;
        if (getsockopt(Sock(s), SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &size) != 0 || error != 0)
            return false;
    }
    u_long blocking = 0;
    return ioctlsocket(Sock(s), FIONBIO, &blocking) == 0;
}

int NetSend(NetSocket s, const char* data, int size) {
    int n = send(Sock(s), data, size, 0);
    return n == SOCKET_ERROR ? -1 : n;
}

int NetReceive(NetSocket s, char* data, int size, int timeoutMs) {
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(Sock(s), &readable);
    timeval t = Timeval(timeoutMs);
    if (select(0, &readable, nullptr, nullptr, &t) <= 0) return -1;
    int n = recv(Sock(s), data, size, 0);
    return n == SOCKET_ERROR ? -1 : n;
}

void NetShutdown(NetSocket s) {
    shutdown(Sock(s), SD_BOTH);
}

void NetClose(NetSocket s) {
    closesocket(Sock(s));
}
