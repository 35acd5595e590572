#include "win/color_label.h"

#include "win/text.h"

BlockSize MeasureTextBlock(HDC dc, const std::string& text) {
    SIZE a{};
    GetTextExtentPoint32W(dc, L"a", 1, &a);
    return MeasureBlock(text, a.cy, [dc](std::string_view line) {
        std::wstring wide = ToWide(line);
        SIZE s{};
        GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &s);
        return static_cast<int>(s.cx);
    });
}
