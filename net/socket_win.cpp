#include "net/socket.h"

#include "win/lazy_dll.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <cstring>

namespace {

SOCKET Sock(NetSocket s) {
    return static_cast<SOCKET>(s);
}

// Winsock, bound on first use: a calendar with no headline server never loads ws2_32.dll.
struct Winsock {
    decltype(&::WSAStartup) startup;
    decltype(&::inet_pton) pton;
    decltype(&::getaddrinfo) resolve;
    decltype(&::freeaddrinfo) freeResolved;
    decltype(&::socket) open;
    decltype(&::ioctlsocket) control;
    decltype(&::connect) connectTo;
    decltype(&::WSAGetLastError) lastError;
    decltype(&::select) wait;
    decltype(&::getsockopt) option;
    decltype(&::send) sendTo;
    decltype(&::recv) receive;
    decltype(&::shutdown) stop;
    decltype(&::closesocket) close;
};

template <typename F> bool Bind(F* f, const char* name) {
    *f = LazyFunction<F>(L"ws2_32.dll", name);
    return *f != nullptr;
}

// The library, loaded and started once (WSAStartup counts its callers, so the main window's start
// and a worker's are both fine); null when it cannot start.
const Winsock* Ws() {
    static Winsock ws;
    static const bool ready = [] {
        bool all = Bind(&ws.startup, "WSAStartup") && Bind(&ws.pton, "inet_pton") && Bind(&ws.resolve, "getaddrinfo") &&
                   Bind(&ws.freeResolved, "freeaddrinfo") && Bind(&ws.open, "socket") &&
                   Bind(&ws.control, "ioctlsocket") && Bind(&ws.connectTo, "connect") &&
                   Bind(&ws.lastError, "WSAGetLastError") && Bind(&ws.wait, "select") &&
                   Bind(&ws.option, "getsockopt") && Bind(&ws.sendTo, "send") && Bind(&ws.receive, "recv") &&
                   Bind(&ws.stop, "shutdown") && Bind(&ws.close, "closesocket");
        WSADATA data{};
        return all && ws.startup(MAKEWORD(2, 2), &data) == 0;
    }();
    return ready ? &ws : nullptr;
}

// FD_ISSET without __WSAFDIsSet from the DLL.
bool InSet(const fd_set& set, SOCKET s) {
    for (u_int i = 0; i < set.fd_count; ++i)
        if (set.fd_array[i] == s) return true;
    return false;
}

timeval Timeval(int ms) {
    timeval t{};
    t.tv_sec = ms / 1000;
    t.tv_usec = (ms % 1000) * 1000;
    return t;
}

} // namespace

bool NetStartup() {
    return Ws() != nullptr;
}

bool NetResolve(const std::string& host, std::uint32_t* address) {
    const Winsock* ws = Ws();
    if (!ws) return false;
    in_addr literal{};
    if (ws->pton(AF_INET, host.c_str(), &literal) == 1) {
        *address = literal.s_addr;
        return true;
    }
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (ws->resolve(host.c_str(), nullptr, &hints, &found) != 0 || !found) return false;
    *address = reinterpret_cast<sockaddr_in*>(found->ai_addr)->sin_addr.s_addr;
    ws->freeResolved(found);
    return true;
}

NetSocket NetOpenTcp() {
    const Winsock* ws = Ws();
    if (!ws) return kNoSocket;
    SOCKET s = ws->open(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    return s == INVALID_SOCKET ? kNoSocket : static_cast<NetSocket>(s);
}

bool NetConnect(NetSocket s, std::uint32_t address, int port, int timeoutMs) {
    const Winsock* ws = Ws();
    if (!ws) return false;
    sockaddr_in to{};
    to.sin_family = AF_INET;
    // Network byte order by hand: htons is one more import.
    const auto p = static_cast<u_short>(port);
    const unsigned char bytes[2] = {static_cast<unsigned char>(p >> 8), static_cast<unsigned char>(p & 0xff)};
    std::memcpy(&to.sin_port, bytes, 2);
    to.sin_addr.s_addr = address;
    u_long nonBlocking = 1;
    if (ws->control(Sock(s), FIONBIO, &nonBlocking) != 0) return false;
    if (ws->connectTo(Sock(s), reinterpret_cast<sockaddr*>(&to), sizeof to) != 0) {
        if (ws->lastError() != WSAEWOULDBLOCK) return false;
        // Windows reports a refused connection in the exception set, not as writable.
        fd_set writable, failed;
        FD_ZERO(&writable);
        FD_ZERO(&failed);
        FD_SET(Sock(s), &writable);
        FD_SET(Sock(s), &failed);
        timeval t = Timeval(timeoutMs);
        if (ws->wait(0, nullptr, &writable, &failed, &t) <= 0 || InSet(failed, Sock(s))) return false;
        int error = 0;
        int size = sizeof error;
        if (ws->option(Sock(s), SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &size) != 0 || error != 0)
            return false;
    }
    u_long blocking = 0;
    return ws->control(Sock(s), FIONBIO, &blocking) == 0;
}

int NetSend(NetSocket s, const char* data, int size) {
    const Winsock* ws = Ws();
    if (!ws) return -1;
    int n = ws->sendTo(Sock(s), data, size, 0);
    return n == SOCKET_ERROR ? -1 : n;
}

int NetReceive(NetSocket s, char* data, int size, int timeoutMs) {
    const Winsock* ws = Ws();
    if (!ws) return -1;
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(Sock(s), &readable);
    timeval t = Timeval(timeoutMs);
    if (ws->wait(0, &readable, nullptr, nullptr, &t) <= 0) return -1;
    int n = ws->receive(Sock(s), data, size, 0);
    return n == SOCKET_ERROR ? -1 : n;
}

void NetShutdown(NetSocket s) {
    if (const Winsock* ws = Ws()) ws->stop(Sock(s), SD_BOTH);
}

void NetClose(NetSocket s) {
    if (const Winsock* ws = Ws()) ws->close(Sock(s));
}
