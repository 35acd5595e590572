#include "win/gb18030.h"

#include <gtest/gtest.h>

namespace {

std::u16string Utf16Of(uint32_t code) {
    if (code < 0x10000) return std::u16string(1, static_cast<char16_t>(code));
    code -= 0x10000;
    return {static_cast<char16_t>(0xD800 + (code >> 10)), static_cast<char16_t>(0xDC00 + (code & 0x3FF))};
}

} // namespace

TEST(Gb18030, EveryCharacterRoundTripsThroughItsOwnCode) {
    // One loop over all of Unicode: each character gets a code of the right length, codes never repeat
    // (checked through decoding), and the code decodes to the character.
    for (uint32_t code = 0; code <= 0x10FFFF; ++code) {
        if (code >= 0xD800 && code <= 0xDFFF) continue;
        std::u16string text = Utf16Of(code);
        std::string bytes = Utf16ToGb18030(text);
        size_t expected = code < 0x80 ? 1 : code >= 0x10000 ? 4 : bytes.size();
        ASSERT_EQ(bytes.size(), expected) << std::hex << code;
        ASSERT_TRUE(bytes.size() == 1 || bytes.size() == 2 || bytes.size() == 4) << std::hex << code;
        ASSERT_EQ(Gb18030ToUtf16(bytes), text) << std::hex << code;
    }
}

TEST(Gb18030, EveryTwoAndFourByteCodeRoundTrips) {
    int pairs = 0;
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            if (trail == 0x7F) continue;
            std::string bytes{static_cast<char>(lead), static_cast<char>(trail)};
            std::u16string text = Gb18030ToUtf16(bytes);
            ASSERT_EQ(text.size(), 1u);
            ASSERT_EQ(Utf16ToGb18030(text), bytes) << std::hex << lead << trail;
            ++pairs;
        }
    }
    EXPECT_EQ(pairs, 23940);
    // The four-byte codes of the BMP end at 84 31 A4 39 (U+FFFF); the next one stands for nothing.
    EXPECT_EQ(Gb18030ToUtf16("\x84\x31\xA4\x39"), u"\uFFFF");
    EXPECT_EQ(Gb18030ToUtf16("\x84\x31\xA5\x30"), u"\uFFFD1\uFFFD0");
    EXPECT_EQ(Gb18030ToUtf16("\x81\x30\x81\x30"), u"\u0080");
    EXPECT_EQ(Gb18030ToUtf16("\x90\x30\x81\x30"), u"\U00010000");
    EXPECT_EQ(Gb18030ToUtf16("\xE3\x32\x9A\x35"), u"\U0010FFFF");
}

TEST(Gb18030, KnownCodes) {
    EXPECT_EQ(Utf16ToGb18030(u"日历 A&B\r\n"), "\xC8\xD5\xC0\xFA A&B\r\n");
    EXPECT_EQ(Utf16ToGb18030(u"€"), "\xA2\xE3");
    EXPECT_EQ(Utf16ToGb18030(u"\u1E3F"), "\x81\x35\xF4\x37"); // ḿ, as code page 54936 has it
    EXPECT_EQ(Gb18030ToUtf16("\xFE\x50"), u"\u2E81");
    EXPECT_EQ(Gb18030ToUtf16("\xA1\x40"), u"\uE4C6"); // user-defined area: private use
}

TEST(Gb18030, DamagedInputStaysReadable) {
    // A bad byte costs one replacement character; what follows it is still read.
    EXPECT_EQ(Gb18030ToUtf16("\xFF"
                             "abc"),
              u"\uFFFDabc");
    EXPECT_EQ(Gb18030ToUtf16("ab\xC8"), u"ab\uFFFD");            // cut-off pair
    EXPECT_EQ(Gb18030ToUtf16("\x81\x30\x81"), u"\uFFFD0\uFFFD"); // cut-off four-byte code
    EXPECT_EQ(Gb18030ToUtf16("\xC8\x0A"), u"\uFFFD\n");          // a line break is never a trail byte
    EXPECT_EQ(Gb18030ToUtf16("\x80"), u"\u20AC");                // code page 936's euro sign
    // Bytes just outside a range start no sequence: trail 7F and FF, fourth byte 3A, the code after
    // U+10FFFF.
    EXPECT_EQ(Gb18030ToUtf16("\x81\x7F"), u"\uFFFD\x7F");
    EXPECT_EQ(Gb18030ToUtf16("\x81\xFF"), u"\uFFFD\uFFFD");
    EXPECT_EQ(Gb18030ToUtf16("\x81\x30\x81\x3A"), u"\uFFFD0\uFFFD:");
    EXPECT_EQ(Gb18030ToUtf16("\xE3\x32\x9A\x36"), u"\uFFFD2\uFFFD6");
    EXPECT_EQ(Utf16ToGb18030(u"a\xD800"
                             "b"),
              "a?b"); // lone surrogate
    EXPECT_EQ(Utf16ToGb18030(std::u16string(1, u'\xDC00')), "?");
}
