#include "net/headline.h"

#include <gtest/gtest.h>

TEST(HeadlineBody, Table) {
    struct Case {
        const char* body;
        bool found;
        const char* link;
        const char* title;
    } cases[] = {
        {"\r\n*http://a.test/x\tNews of the day", true, "http://a.test/x", "News of the day"},
        {" \t\r\n *l\tt ", true, "l", "t "}, // the title is not trimmed
        {"*\tonly a title", true, "", "only a title"},
        {"*l\ta\tb", true, "l", "a\tb"}, // the first TAB ends the link
        {"ok", false, "", ""},
        {"", false, "", ""},
        {"  \r\n", false, "", ""},
        {"x*l\tt", false, "", ""},
        {"*no tab at all", false, "", ""}, // keeps the previous headline
    };
    for (const Case& c : cases) {
        Headline h;
        EXPECT_EQ(ParseHeadlineBody(c.body, &h), c.found) << c.body;
        if (!c.found) continue;
        EXPECT_EQ(h.link, c.link) << c.body;
        EXPECT_EQ(h.title, c.title) << c.body;
    }
}

TEST(HeadlineBody, TitleIsOneLineWithoutControls) {
    EXPECT_EQ(OneLineTitle("A & B"), "A & B");
    EXPECT_EQ(OneLineTitle("first\r\nsecond"), "first");
    EXPECT_EQ(OneLineTitle("first\nsecond"), "first");
    EXPECT_EQ(OneLineTitle(std::string("a\tb\x01\x1b[2Jc\x7f", 10)), "ab[2Jc");
    EXPECT_EQ(OneLineTitle("\xc8\xd5\xc0\xfa"), "\xc8\xd5\xc0\xfa"); // code page 936 bytes pass
}

TEST(HeadlineLink, OnlyWebAddressesOpen) {
    for (const char* ok :
         {"http://a.test/", "https://news.example.com/2026/12/08?id=5&x=%20", "HTTP://A.TEST", "https://a"})
        EXPECT_TRUE(IsOpenableLink(ok)) << ok;
    EXPECT_TRUE(IsOpenableLink("http://a.test/" + std::string(2048 - 14, 'x')));

    for (const char* refused : {"",
                                "file:///C:/Windows/System32/calc.exe",
                                "C:\\Windows\\System32\\cmd.exe",
                                "cmd",
                                "calc.exe",
                                "javascript:alert(1)",
                                "\\\\server\\share\\x.exe",
                                "//server/share",
                                "http://",
                                "https://",
                                "http:///etc/passwd",
                                "http://\\\\srv\\s",
                                "http://a b",
                                " http://a.test",
                                "http://a.test/\r\nx",
                                "ftp://a.test/",
                                "mailto:a@b.test",
                                "httpx://a.test",
                                "http:a.test",
                                "http://a.test/\xc8\xd5"})
        EXPECT_FALSE(IsOpenableLink(refused)) << refused;
    EXPECT_FALSE(IsOpenableLink("http://a.test/" + std::string(2048 - 13, 'x')));
    EXPECT_FALSE(IsOpenableLink(std::string("http://a.test/\0x", 16)));
}

TEST(HeadlineLink, PortSetting) {
    EXPECT_EQ(HeadlinePortFrom(false, "8080"), 80);
    EXPECT_EQ(HeadlinePortFrom(true, "8080"), 8080);
    EXPECT_EQ(HeadlinePortFrom(true, " 65535 "), 65535);
    for (const char* bad : {"", "0", "65536", "-1", "80x", "99999999999999"})
        EXPECT_EQ(HeadlinePortFrom(true, bad), 80) << bad;
}
