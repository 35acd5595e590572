// One HTTP exchange with the headline server: a GET of `path` on `host`:`port`, whose reply body
// comes back in the caller's buffer. Blocking; every wait in it is bounded, so run it off the
// user-interface thread.
#pragma once

#include <string>

enum HttpStatus {
    kHttpOk = 0,
    kHttpNoHost = -1,          // the host name did not resolve
    kHttpNoSocket = -2,        // no socket could be created
    kHttpNoConnection = -3,    // refused, failed, or not made within the connect time
    kHttpNotSent = -4,         // the request was not sent whole
    kHttpNothingReceived = -5, // error, time-out or closed connection before any byte
    kHttpNoHeaderEnd = -6,     // the reply holds no "\r\n\r\n"
};

constexpr int kHttpConnectMs = 10000;
constexpr int kHttpReceiveMs = 10000; // for the whole reply, however many pieces it comes in
constexpr int kHttpReplyLimit = 2047; // received bytes, header included

// The request is exactly "GET /<path> HTTP/1.1\r\nHost:<host>\r\nVer:<version>\r\n\r\n"; one that
// would not fit 2,047 bytes is not sent (kHttpNotSent). The reply is read until its header and the
// body its Content-Length announces are in, the peer closes, kHttpReplyLimit bytes are in or
// kHttpReceiveMs have passed. Headers are not otherwise looked at.
//
// `capacity`: in, the most body bytes the caller takes (`buffer` holds capacity + 1); out, the body
// length. On kHttpOk the buffer holds the body, cut at capacity and NUL-terminated.
int HttpGet(char* buffer, int* capacity, const std::string& host, const std::string& path, const std::string& version,
            int port = 80);
