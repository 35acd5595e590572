#include "win/text.h"

#include <gtest/gtest.h>

TEST(Text, Utf8RoundTrips) {
    for (std::string s : {"", "abc", "日历2.162", "上月\r\n下月", "\xF0\x9F\x98\x80 outside the BMP", "A&B"})
        EXPECT_EQ(ToUtf8(ToWide(s)), s);
    EXPECT_EQ(ToWide("宋体"), L"宋体");
    EXPECT_EQ(ToUtf8(L"楷体_gb2312"), "楷体_gb2312");
}

TEST(Text, GbkBytesRoundTripUnchanged) {
    // The whole table is checked natively (gb18030_test); here the Win32 side's wide strings.
    std::string bytes;
    for (int lead = 0x81; lead <= 0xFE; lead += 5)
        for (int trail = 0x40; trail <= 0xFE; trail += 7)
            if (trail != 0x7F) bytes += {static_cast<char>(lead), static_cast<char>(trail), '\r', '\n'};
    std::wstring wide = Cp936ToWide(bytes);
    EXPECT_EQ(WideToCp936(wide), bytes);
    EXPECT_EQ(Utf8ToCp936(Cp936ToUtf8(bytes)), bytes);
}

TEST(Text, KnownCp936Texts) {
    EXPECT_EQ(Cp936ToUtf8("\xC8\xD5\xC0\xFA"), "日历");
    EXPECT_EQ(Utf8ToCp936("记事"), "\xBC\xC7\xCA\xC2");
    EXPECT_EQ(Utf8ToCp936("每周三 A&B"), "\xC3\xBF\xD6\xDC\xC8\xFD A&B");
}

TEST(Text, CharactersOutsideGbkSurvive) {
    // Not in GBK: they need GB18030's four-byte codes, and must come back as the same characters.
    for (std::string s : {"€", "𠀀", "😀", "ḿ", "䶮"}) {
        std::string bytes = Utf8ToCp936(s);
        EXPECT_FALSE(bytes.empty()) << s;
        EXPECT_EQ(Cp936ToUtf8(bytes), s);
    }
    EXPECT_EQ(Utf8ToCp936("😀"), "\x94\x39\xFC\x36");
    EXPECT_EQ(Utf8ToCp936("€"), "\xA2\xE3");
    // Code page 936 writes the euro sign as the lone byte 0x80; reading it keeps the sign.
    EXPECT_EQ(Cp936ToUtf8("\x80"), "€");
    EXPECT_EQ(Cp936ToUtf8("a\xFF"
                          "b\x81"),
              "a\xEF\xBF\xBD"
              "b\xEF\xBF\xBD");
}
