#include "net/socket.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

int Fd(NetSocket s) {
    return static_cast<int>(s);
}

bool SetBlocking(int fd, bool blocking) {
    int flags = fcntl(fd, F_GETFL, 0);
    if (flags < 0) return false;
    flags = blocking ? flags & ~O_NONBLOCK : flags | O_NONBLOCK;
    return fcntl(fd, F_SETFL, flags) == 0;
}

// Waits for `events` on fd; false on a time-out or error.
bool Wait(int fd, short events, int timeoutMs) {
    pollfd p{fd, events, 0};
    int n;
    do
        n = poll(&p, 1, timeoutMs);
    while (n < 0 && errno == EINTR);
    return n > 0;
}

} // namespace

bool NetStartup() {
    return true;
}

bool NetResolve(const std::string& host, std::uint32_t* address) {
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
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    return fd < 0 ? kNoSocket : static_cast<NetSocket>(fd);
}

bool NetConnect(NetSocket s, std::uint32_t address, int port, int timeoutMs) {
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(static_cast<std::uint16_t>(port));
    to.sin_addr.s_addr = address;
    if (!SetBlocking(Fd(s), false)) return false;
    if (connect(Fd(s), reinterpret_cast<sockaddr*>(&to), sizeof to) != 0) {
        if (errno != EINPROGRESS || !Wait(Fd(s), POLLOUT, timeoutMs)) return false;
        int error = 0;
        socklen_t size = sizeof error;
        if (getsockopt(Fd(s), SOL_SOCKET, SO_ERROR, &error, &size) != 0 || error != 0) return false;
    }
    return SetBlocking(Fd(s), true);
}

int NetSend(NetSocket s, const char* data, int size) {
    // A peer that has gone must give an error, not SIGPIPE.
    ssize_t n = send(Fd(s), data, static_cast<size_t>(size), MSG_NOSIGNAL);
    return n < 0 ? -1 : static_cast<int>(n);
}

int NetReceive(NetSocket s, char* data, int size, int timeoutMs) {
    if (!Wait(Fd(s), POLLIN, timeoutMs)) return -1;
    ssize_t n = recv(Fd(s), data, static_cast<size_t>(size), 0);
    return n < 0 ? -1 : static_cast<int>(n);
}

void NetShutdown(NetSocket s) {
    shutdown(Fd(s), SHUT_RDWR);
}

void NetClose(NetSocket s) {
    close(Fd(s));
}
