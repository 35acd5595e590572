#include "net/http_get.h"

#include "net/socket.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace {

constexpr std::string_view kHeaderEnd = "\r\n\r\n";

// The announced body length, or -1 when the header names none.
long ContentLength(std::string_view header) {
    constexpr std::string_view kName = "content-length:";
    size_t lineStart = 0;
    while (lineStart < header.size()) {
        size_t lineEnd = header.find("\r\n", lineStart);
        if (lineEnd == std::string_view::npos) lineEnd = header.size();
        std::string_view line = header.substr(lineStart, lineEnd - lineStart);
        if (line.size() > kName.size()) {
            bool same = true;
            for (size_t i = 0; i < kName.size() && same; ++i)
                same = (line[i] | 0x20) == kName[i]; // ASCII letters, '-' and ':' alike
            if (same) {
                std::string value(line.substr(kName.size()));
                char* end = nullptr;
                long n = std::strtol(value.c_str(), &end, 10);
                return end != value.c_str() && n >= 0 ? n : -1;
            }
        }
        lineStart = lineEnd + 2;
    }
    return -1;
}

// Whether the header and the whole announced body are in.
bool ReplyComplete(std::string_view received) {
    size_t headerEnd = received.find(kHeaderEnd);
    if (headerEnd == std::string_view::npos) return false;
    long length = ContentLength(received.substr(0, headerEnd));
    return length >= 0 && received.size() - (headerEnd + kHeaderEnd.size()) >= static_cast<size_t>(length);
}

// Reads the reply into data (room for kHttpReplyLimit bytes); the count received.
int ReceiveReply(NetSocket s, char* data) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(kHttpReceiveMs);
    int total = 0;
    while (total < kHttpReplyLimit && !ReplyComplete({data, static_cast<size_t>(total)})) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) break;
        int n = NetReceive(s, data + total, kHttpReplyLimit - total, static_cast<int>(left));
        if (n <= 0) break; // closed, failed or out of time: what came so far is the reply
        total += n;
    }
    return total;
}

} // namespace

int HttpGet(char* buffer, int* capacity, const std::string& host, const std::string& path, const std::string& version,
            int port) {
    std::uint32_t address = 0;
    if (!NetResolve(host, &address)) return kHttpNoHost;
    NetSocket s = NetOpenTcp();
    if (s == kNoSocket) return kHttpNoSocket;
    if (!NetConnect(s, address, port, kHttpConnectMs)) {
        NetClose(s);
        return kHttpNoConnection;
    }

    char data[kHttpReplyLimit + 1];
    int status = kHttpOk;
    int length = std::snprintf(data, sizeof data, "GET /%s HTTP/1.1\r\nHost:%s\r\nVer:%s\r\n\r\n", path.c_str(),
                               host.c_str(), version.c_str());
    if (length < 0 || length >= static_cast<int>(sizeof data) || NetSend(s, data, length) != length)
        status = kHttpNotSent;

    if (status == kHttpOk) {
        int received = ReceiveReply(s, data);
        size_t headerEnd = std::string_view(data, static_cast<size_t>(received)).find(kHeaderEnd);
        if (received <= 0) {
            status = kHttpNothingReceived;
        } else if (headerEnd == std::string_view::npos) {
            status = kHttpNoHeaderEnd;
        } else {
            const char* body = data + headerEnd + kHeaderEnd.size();
            int bodyLength = static_cast<int>(data + received - body);
            if (bodyLength > *capacity) bodyLength = *capacity < 0 ? 0 : *capacity;
            std::memcpy(buffer, body, static_cast<size_t>(bodyLength));
            buffer[bodyLength] = '\0';
            *capacity = bodyLength;
        }
    }
    NetShutdown(s);
    NetClose(s);
    return status;
}
