// What the headline server's reply body means, and what of it may be trusted.
#pragma once

#include <string>
#include <string_view>

// Fixed request parameters of the headline exchange.
constexpr char kHeadlinePath[] = "link230/";
constexpr char kHeadlineVersion[] = "1.2";
constexpr int kHeadlineBodyCapacity = 1023;
constexpr int kDefaultHeadlinePort = 80;

// The link and title bytes as the server sent them (code page 936).
struct Headline {
    std::string link;
    std::string title;
};

// A body is blanks (space, CR, LF, TAB), "*", the link up to the first TAB, the TAB, then the
// title. False when the body carries no headline: no "*", or a "*" with no TAB after it.
bool ParseHeadlineBody(std::string_view body, Headline* headline);

// The title as one line to draw: cut at its first CR or LF, other control characters left out.
std::string OneLineTitle(std::string_view title);

// Only an http:// or https:// URL with a host, at most 2,048 characters of printable ASCII (no
// spaces, no control characters) is handed to the shell: the link comes from the network, and
// anything else there (a file, a program, a script URL, a UNC path) would run on this machine.
bool IsOpenableLink(std::string_view link);

// HeadlinePort as stored: absent, not a number or out of 1..65535 gives the default port.
int HeadlinePortFrom(bool present, const std::string& text);
