// The few socket calls HttpGet needs: IPv4 TCP with bounded waits. Two back ends, BSD sockets
// (socket_posix.cpp) and Winsock 2.2 (socket_win.cpp), so the exchange itself is one portable file
// and is tested natively against a real server on 127.0.0.1.
#pragma once

#include <cstdint>
#include <string>

using NetSocket = std::uintptr_t;
constexpr NetSocket kNoSocket = ~NetSocket(0);

// Makes the sockets library ready (Winsock 2.2, loaded on first use); false when it cannot start.
// Every call below does this itself; callers only need it to report a failure early.
bool NetStartup();
// An IPv4 literal, or a name through the system resolver; the first address, in network order.
bool NetResolve(const std::string& host, std::uint32_t* address);
NetSocket NetOpenTcp();
// Connects within timeoutMs (non-blocking connect, then back to blocking); false when refused,
// failed or out of time.
bool NetConnect(NetSocket s, std::uint32_t address, int port, int timeoutMs);
// One send call; the bytes sent, or -1.
int NetSend(NetSocket s, const char* data, int size);
// Waits up to timeoutMs for data: the bytes received (> 0), 0 when the peer closed, -1 on an
// error or when the time ran out.
int NetReceive(NetSocket s, char* data, int size, int timeoutMs);
void NetShutdown(NetSocket s);
void NetClose(NetSocket s);
