#include <gtest/gtest.h>

#include <algorithm>

#include "engine/gregorian.h"
#include "view/grid_keys.h"
#include "view/grid_page.h"
#include "view_test_dir.h"

using GridKeysTest = MemoFolderTest;

// Every key from every day of a few pages, the first and the last of the range among them: the focus
// moves by what the key names (a day key's opposite comes back) or, past an end of the range, stays.
// Every description starts with its date on one line; a few are known in full.
TEST_F(GridKeysTest, EveryKeyFromEveryDayOfPagesFromFirstToLast) {
    GridPage model;
    model.SetMemoRoot(root);
    Write("202612", MemoFileBytes({{9, "one\r\ntwo", 0}}));
    Write("week", MemoFileBytes({{3, "W", 0}}));
    const int kSteps[] = {-1, 1, -7, 7, -1, 1, -12, 12}; // days for the first four keys, then months
    const int32_t first = DaysFromCivil(1900, 2, 1), last = DaysFromCivil(2049, 12, 31);
    for (auto [year, month] : {std::pair{1900, 2}, {1900, 3}, {1901, 1}, {2049, 12}, {2026, 12}}) {
        ASSERT_TRUE(model.SetMonth(year, month, year == 2026 ? 9 : 0));
        EXPECT_EQ(StartFocusDay(model.page()), year == 2026 ? 9 : 1);
        for (int d = 1; d <= model.page().dayCount; ++d) {
            const FocusDay from{year, month, d};
            for (int k = 0; k < 8; ++k) {
                const FocusDay to = MoveFocusDay(from, static_cast<GridKey>(k));
                const int32_t day = DaysFromCivil(year, month, d) + kSteps[k];
                const int n = year * 12 + month - 1 + kSteps[k];
                if (k < 4 ? day < first || day > last : n < 1900 * 12 + 1 || n > 2049 * 12 + 11)
                    ASSERT_EQ(to, from) << year << '-' << month << '-' << d << " key " << k;
                else if (k < 4)
                    ASSERT_TRUE(DaysFromCivil(to.year, to.month, to.day) == day &&
                                MoveFocusDay(to, static_cast<GridKey>(k ^ 1)) == from);
                else
                    ASSERT_TRUE(to.year * 12 + to.month - 1 == n &&
                                to.day == std::min(d, DaysInMonth(to.year, to.month)));
            }
            const std::string text = DayDescription(model, d);
            const std::string date =
                std::to_string(year) + "年" + std::to_string(month) + "月" + std::to_string(d) + "日 ";
            ASSERT_TRUE(text.rfind(date, 0) == 0 && text.find_first_of("\r\n") == std::string::npos) << text;
        }
    }
    EXPECT_EQ(DayDescription(model, 9), "2026年12月9日 星期三 农历十一月初一 十一月大 今天 W；one two");
    EXPECT_EQ(DayDescription(model, 7), "2026年12月7日 星期一 农历十月廿九 大雪");
    ASSERT_TRUE(model.SetMonth(2026, 10, 0));
    EXPECT_EQ(DayDescription(model, 1), "2026年10月1日 星期四 农历八月廿一 国庆 休（国庆节）");
    // A day the law alone marks says the year's make-up days are not out; so does its tip.
    ASSERT_TRUE(model.SetMonth(2027, 1, 0));
    EXPECT_EQ(DayDescription(model, 1), "2027年1月1日 星期五 农历十一月廿四 元旦 休（元旦，2027年的调休安排尚未公布）");
    EXPECT_EQ(model.HolidayNote(1) + "|" + model.HolidayNote(2), "元旦：2027年的调休安排尚未公布|");
    ASSERT_TRUE(model.SetMonth(2023, 3, 0));
    EXPECT_EQ(DayDescription(model, 22), "2023年3月22日 星期三 农历闰二月初一 闰二月小 W");
}
