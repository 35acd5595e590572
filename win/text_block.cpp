#include "win/text_block.h"

std::vector<std::string_view> SplitBlockLines(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    std::vector<std::string_view> lines;
    size_t start = 0;
    for (size_t at = text.find("\r\n"); at != std::string_view::npos; at = text.find("\r\n", start)) {
        lines.push_back(text.substr(start, at - start));
        start = at + 2;
    }
    lines.push_back(text.substr(start));
    return lines;
}
