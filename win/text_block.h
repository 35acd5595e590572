// The text-block rule shared by the labels and the hover tip. A block's lines are split at every
// CR LF pair (a lone CR or LF stays inside its line); the block is as wide as its widest line and as
// high as its number of lines times the line height. An empty text is one empty line. A text ends at
// its first NUL byte, as a C string would.
#pragma once

#include <string_view>
#include <vector>

struct BlockSize {
    int width = 0;
    int height = 0;
};

std::vector<std::string_view> SplitBlockLines(std::string_view text);

// lineWidth(std::string_view line) gives the width of one line in the font being measured.
template <class LineWidth> BlockSize MeasureBlock(std::string_view text, int lineHeight, LineWidth&& lineWidth) {
    BlockSize size;
    std::vector<std::string_view> lines = SplitBlockLines(text);
    for (std::string_view line : lines) {
        int w = line.empty() ? 0 : lineWidth(line);
        if (w > size.width) size.width = w;
    }
    size.height = static_cast<int>(lines.size()) * lineHeight;
    return size;
}
