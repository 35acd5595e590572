#include <gtest/gtest.h>

#include <string>

#include "memo/memo_edit_rules.h"

TEST(MemoEditRules, OnlyAsciiBlanksInFrontGo) {
    EXPECT_EQ(StripLeadingBlanks("  abc"), "abc");
    EXPECT_EQ(StripLeadingBlanks(" a b  "), "a b  ");
    EXPECT_EQ(StripLeadingBlanks("   "), "");
    EXPECT_EQ(StripLeadingBlanks("\tabc"), "\tabc");
    EXPECT_EQ(StripLeadingBlanks("\r\n"), "\r\n");
    EXPECT_EQ(StripLeadingBlanks(" \xA1\xA1x"), "\xA1\xA1x"); // the full-width space in code page 936
}

TEST(MemoEditRules, Captions) {
    DayMemoCaptions c = MakeDayMemoCaptions(2006, 1, 29, 0, 1, 1);
    EXPECT_EQ(c.dateLine, "2006年1月29日星期日农历正月初一");
    EXPECT_EQ(c.solarCaption, "阳历每年1月29日");
    EXPECT_EQ(c.lunarCaption, "农历每年正月初一");
    EXPECT_EQ(WeeklyCaption(3), "每周三");
}

TEST(MemoEditRules, LimitAndMessage) {
    EXPECT_TRUE(MemoTextFits(65535));
    EXPECT_FALSE(MemoTextFits(65536));

    const char* const names[3] = {"当天的记事", "阳历每年的记事", "农历每年的记事"};
    MemoSaveResult results[3];
    EXPECT_EQ(MemoSaveMessage(names, results, 3), "");
    results[1] = {MemoSaveProblem::WriteFailed, 0, "日历/101", false, "", ""};
    std::string written = MemoSaveMessage(names, results, 3);
    EXPECT_NE(written.find("阳历每年的记事：文件“日历\\101”无法写入"), std::string::npos) << written;
    EXPECT_EQ(written.find("当天的记事"), std::string::npos);
    EXPECT_NE(written.find("其余记事已经保存"), std::string::npos);
    results[1] = {MemoSaveProblem::TooLong, 70000, "日历/101", false, "", ""};
    std::string refused = MemoSaveMessage(names, results, 3);
    EXPECT_NE(refused.find("70000 字节，最多 65535 字节"), std::string::npos) << refused;
    EXPECT_NE(refused.find("没有写入任何文件"), std::string::npos);
}
