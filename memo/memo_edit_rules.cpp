#include "memo/memo_edit_rules.h"

#include "engine/names.h"
#include "memo/memo_store.h"

std::string StripLeadingBlanks(std::string_view text) {
    size_t start = text.find_first_not_of(' ');
    return start == std::string_view::npos ? std::string() : std::string(text.substr(start));
}

DayMemoCaptions MakeDayMemoCaptions(int year, int month, int day, int weekday, int lunarMonth, int lunarDay) {
    const std::string lunarMonthName = LunarMonthName(lunarMonth, false);
    const std::string lunarDayName = LunarDayName(lunarDay);
    DayMemoCaptions c;
    c.dateLine = std::to_string(year) + "年" + std::to_string(month) + "月" + std::to_string(day) + "日星期" +
                 WeekdayName(weekday) + "农历" + lunarMonthName + "月" + lunarDayName;
    c.solarCaption = "阳历每年" + std::to_string(month) + "月" + std::to_string(day) + "日";
    c.lunarCaption = "农历每年" + lunarMonthName + "月" + lunarDayName;
    return c;
}

std::string WeeklyCaption(int weekday) {
    return std::string("每周") + WeekdayName(weekday);
}

bool MemoTextFits(size_t length) {
    return length <= MEMO_MAX_TEXT;
}

std::string MemoSaveMessage(const char* const* names, const MemoSaveResult* results, int count) {
    std::string lines;
    bool refused = false;
    for (int i = 0; i < count; ++i) {
        const MemoSaveResult& r = results[i];
        std::string file = r.file;
        for (char& ch : file)
            if (ch == '/') ch = '\\';
        switch (r.problem) {
        case MemoSaveProblem::None: continue;
        case MemoSaveProblem::TooLong:
            refused = true;
            lines += std::string(names[i]) + "：文字太长（" + std::to_string(r.length) + " 字节，最多 " +
                     std::to_string(MEMO_MAX_TEXT) + " 字节）。\n";
            break;
        case MemoSaveProblem::NoFolder:
            lines += std::string(names[i]) + "：记事文件夹“我的记事”没能建立，无处保存。\n";
            break;
        case MemoSaveProblem::WriteFailed:
            lines += std::string(names[i]) + "：文件“" + file + "”无法写入，可能是只读文件、没有权限或磁盘已满。\n";
            break;
        case MemoSaveProblem::Offline:
            lines +=
                std::string(names[i]) + "：文件“" + file + "”在云盘里，云盘程序没有运行，读不出来，所以没有改写它。\n";
            break;
        }
    }
    if (lines.empty()) return lines;
    // A text over the limit stops the whole save before any file is touched; a write that fails
    // leaves only its own file as it was.
    std::string tail = refused ? "没有写入任何文件。请缩短文字后再按“确定”。"
                               : "其余记事已经保存。窗口里的文字都还在，可以处理后再按“确定”。";
    return "以下记事没有保存：\n\n" + lines + "\n" + tail;
}

std::string MemoMergeMessage(const MemoSaveResult* results, int count) {
    std::string lines;
    for (int i = 0; i < count; ++i) {
        const MemoSaveResult& r = results[i];
        if (!r.bothKept) continue;
        std::string left = r.leftFile;
        for (char& ch : left)
            if (ch == '/') ch = '\\';
        lines += r.day + "：" +
                 (left.empty() ? std::string("另一处的文字在这条记事里“以下是另一处保存的文字”一行之下。\n")
                               : "另一处的文字放不进这条记事，存在“" + left + "”里。\n");
    }
    if (lines.empty()) return lines;
    return "这些记事在另一处（另一台电脑）也改过，两处的文字都保留了：\n\n" + lines + "\n这里保存的文字在前。";
}
