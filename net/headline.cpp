#include "net/headline.h"

#include <cctype>

bool ParseHeadlineBody(std::string_view body, Headline* headline) {
    size_t start = body.find_first_not_of(" \r\n\t");
    if (start == std::string_view::npos || body[start] != '*') return false;
    size_t tab = body.find('\t', start + 1);
    if (tab == std::string_view::npos) return false;
    headline->link = std::string(body.substr(start + 1, tab - start - 1));
    headline->title = std::string(body.substr(tab + 1));
    return true;
}

std::string OneLineTitle(std::string_view title) {
    title = title.substr(0, title.find_first_of("\r\n"));
    std::string line;
    for (char c : title) {
        auto byte = static_cast<unsigned char>(c);
        // Code page 936 trail bytes are 0x30 and up, so no control byte is part of a character.
        if (byte >= 0x20 && byte != 0x7F) line += c;
    }
    return line;
}

bool IsOpenableLink(std::string_view link) {
    constexpr size_t kMaxLink = 2048;
    if (link.size() > kMaxLink) return false;
    for (char c : link) {
        auto byte = static_cast<unsigned char>(c);
        if (byte <= 0x20 || byte >= 0x7F) return false;
    }
    std::string lower;
    for (char c : link.substr(0, 8))
        lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    size_t hostAt = lower.rfind("http://", 0) == 0 ? 7 : lower.rfind("https://", 0) == 0 ? 8 : 0;
    if (hostAt == 0 || hostAt >= link.size()) return false;
    // "http:///x" or "http://\x" would leave the host to the browser's guess.
    return link[hostAt] != '/' && link[hostAt] != '\\';
}

int HeadlinePortFrom(bool present, const std::string& text) {
    if (!present) return kDefaultHeadlinePort;
    size_t first = text.find_first_not_of(' ');
    size_t last = text.find_last_not_of(' ');
    if (first == std::string::npos) return kDefaultHeadlinePort;
    long port = 0;
    for (size_t i = first; i <= last; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) return kDefaultHeadlinePort;
        port = port * 10 + (text[i] - '0');
        if (port > 65535) return kDefaultHeadlinePort;
    }
    return port >= 1 ? static_cast<int>(port) : kDefaultHeadlinePort;
}
