#include "win/text.h"

#include "win/gb18030.h"

#include <windows.h>

namespace {

std::wstring Decode(UINT codePage, std::string_view bytes) {
    if (bytes.empty()) return {};
    int n = MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0) MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), out.data(), n);
    return out;
}

std::string Encode(UINT codePage, std::wstring_view wide) {
    if (wide.empty()) return {};
    int n = WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n > 0 ? n : 0), '\0');
    if (n > 0)
        WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n, nullptr, nullptr);
    return out;
}

} // namespace

std::wstring ToWide(std::string_view utf8) {
    return Decode(CP_UTF8, utf8);
}
std::string ToUtf8(std::wstring_view wide) {
    return Encode(CP_UTF8, wide);
}

// wchar_t is UTF-16 on Windows; the GB18030 tables work on char16_t.
static_assert(sizeof(wchar_t) == sizeof(char16_t));

std::wstring Cp936ToWide(std::string_view bytes) {
    std::u16string wide = Gb18030ToUtf16(bytes);
    return std::wstring(wide.begin(), wide.end());
}

std::string WideToCp936(std::wstring_view wide) {
    return Utf16ToGb18030(std::u16string(wide.begin(), wide.end()));
}

std::string Cp936ToUtf8(std::string_view bytes) {
    return Gb18030ToUtf8(bytes);
}
std::string Utf8ToCp936(std::string_view utf8) {
    return WideToCp936(ToWide(utf8));
}
