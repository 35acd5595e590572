// GB18030 <-> UTF-16 without the platform: the mapping of Windows code page 54936 (GB18030-2000),
// from checked-in tables, so Wine (which lacks 54936) and Windows convert alike.
//
// One byte 0x00-0x7F is ASCII; two bytes (lead 0x81-0xFE, trail 0x40-0x7E or 0x80-0xFE) cover GBK,
// so code-page-936 texts decode and re-encode byte for byte; four bytes (0x81-0xFE, 0x30-0x39,
// 0x81-0xFE, 0x30-0x39) cover the rest of Unicode. Decoding is lenient: the lone byte 0x80, which
// code page 936 reads as the euro sign, gives U+20AC (written back as GB18030's A2 E3); any other byte
// that starts no valid sequence gives U+FFFD and decoding goes on with the next byte. A lone surrogate
// encodes as '?'.
#pragma once

#include <string>
#include <string_view>

std::u16string Gb18030ToUtf16(std::string_view bytes);
// The same decoding straight to UTF-8, for texts that leave the program without the platform.
std::string Gb18030ToUtf8(std::string_view bytes);
std::string Utf16ToGb18030(std::u16string_view text);
