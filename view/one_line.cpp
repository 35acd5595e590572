#include "view/one_line.h"

#include "win/gb18030.h"

std::string MemoOneLine(const std::string& cp936, bool foldTabs) {
    std::string text = Gb18030ToUtf8(cp936), out;
    for (char ch : text) {
        if (ch == '\r' || ch == '\n' || (foldTabs && ch == '\t')) {
            if (!out.empty() && out.back() != ' ') out += ' ';
        } else {
            out += ch;
        }
    }
    while (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out;
}
