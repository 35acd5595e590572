// Text conversions at the edges of the program.
//
// Inside, every text is a UTF-8 std::string. Win32 calls take UTF-16: ToWide/ToUtf8 are the only
// conversions to and from the API. Memo and notepad files keep code-page-936 bytes; they are read and
// written through GB18030 (code page 54936's mapping, from our own tables: see gb18030.h), a superset
// of GBK, so every GBK byte pair maps to one character and back to the same two bytes, and characters
// outside GBK survive as four-byte codes. Invalid bytes become U+FFFD; invalid UTF-8 likewise.
#pragma once

#include <string>
#include <string_view>

std::wstring ToWide(std::string_view utf8);
std::string ToUtf8(std::wstring_view wide);

std::wstring Cp936ToWide(std::string_view bytes);
std::string WideToCp936(std::wstring_view wide);

// The two steps above in one, for memo texts that go to or come from the screen.
std::string Cp936ToUtf8(std::string_view bytes);
std::string Utf8ToCp936(std::string_view utf8);
