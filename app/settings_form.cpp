#include "app/settings_form.h"

#include "app/nav_rules.h"
#include "net/headline.h"

#include <algorithm>
#include <iterator>

const char kRunEntryName[] = "Run";

namespace {

// The user's words for each value, as the dialog labels it.
struct ValueLabel {
    const char* name;
    const char* label;
};
constexpr ValueLabel kLabels[] = {
    {"Autostart", "开机时启动日历"},
    {kRunEntryName, "开机时启动日历"},
    {"ShowHolidays", "显示法定节假日"},
    {"HolidayUpdate", "自动更新节假日"},
    {"Theme", "外观"},
    {"TrayIcon", "通知区域图标"},
    {"RemindDays", "记事提醒"},
    {"HeadlineHost", "头条服务器"},
    {"HeadlinePort", "头条服务器端口"},
};

// Blanks are spaces, as the headline's own reading of HeadlineHost and HeadlinePort has them.
std::string TrimSpaces(const std::string& text) {
    size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// A stored number that must be one of `choices` (a written "%d", blanks around allowed); else `fallback`.
template <size_t N> int ChoiceOf(const StoredText& value, const int (&choices)[N], int fallback) {
    std::string text = TrimSpaces(value.text);
    size_t digitsAt = !text.empty() && text[0] == '-' ? 1 : 0;
    if (!value.present || text.size() <= digitsAt || text.size() > 4 ||
        text.find_first_not_of("0123456789", digitsAt) != std::string::npos)
        return fallback;
    int number = ParseDecimal(text);
    return std::find(std::begin(choices), std::end(choices), number) != std::end(choices) ? number : fallback;
}

const char* Flag(bool on) {
    return on ? "1" : "0";
}

} // namespace

bool OnUnlessZero(const StoredText& value) {
    return !(value.present && value.text == "0");
}

bool PortFromText(const std::string& text, int* port) {
    int number = 0;
    if (!TypedNumber(text, 5, &number) || number < 1 || number > 65535) return false;
    if (port) *port = number;
    return true;
}

SettingsForm ReadSettingsForm(const SettingReader& read) {
    static constexpr int kThemes[] = {0, 1, 2};
    SettingsForm form;
    form.autostart = OnUnlessZero(read("Autostart"));
    form.showHolidays = OnUnlessZero(read("ShowHolidays"));
    form.updateHolidays = OnUnlessZero(read("HolidayUpdate"));
    form.theme = ChoiceOf(read("Theme"), kThemes, 0);
    form.trayIcon = OnUnlessZero(read("TrayIcon"));
    form.remindDays = ChoiceOf(read("RemindDays"), kRemindChoices, 0);
    StoredText host = read("HeadlineHost");
    form.headlineHost = host.present ? TrimSpaces(host.text) : std::string();
    // The port in use, as the headline's exchange reads it.
    StoredText port = read("HeadlinePort");
    form.headlinePort = std::to_string(HeadlinePortFrom(port.present, port.text));
    return form;
}

std::string SettingsFormProblem(const SettingsForm& form) {
    if (!TrimSpaces(form.headlineHost).empty() && !PortFromText(form.headlinePort, nullptr))
        return "头条服务器端口必须是 1 到 65535 之间的数字。";
    return {};
}

std::vector<SettingText> SettingsFormTexts(const SettingsForm& form) {
    std::vector<SettingText> texts = {
        {"Autostart", Flag(form.autostart)},
        {"ShowHolidays", Flag(form.showHolidays)},
        {"HolidayUpdate", Flag(form.updateHolidays)},
        {"Theme", std::to_string(form.theme)},
        {"TrayIcon", Flag(form.trayIcon)},
        {"RemindDays", std::to_string(form.remindDays)},
        {"HeadlineHost", TrimSpaces(form.headlineHost)},
    };
    int port = 0;
    if (PortFromText(form.headlinePort, &port)) texts.push_back({"HeadlinePort", std::to_string(port)});
    return texts;
}

std::string SettingsWriteFailure(const std::vector<std::string>& names, bool othersSaved) {
    std::vector<std::string> labels;
    for (const std::string& name : names) {
        auto known =
            std::find_if(std::begin(kLabels), std::end(kLabels), [&](const ValueLabel& l) { return name == l.name; });
        std::string label = known != std::end(kLabels) ? known->label : name;
        if (std::find(labels.begin(), labels.end(), label) == labels.end()) labels.push_back(label);
    }
    std::string message = "这些设置没有保存：";
    for (size_t i = 0; i < labels.size(); ++i)
        message += (i ? "、" : "") + labels[i];
    return othersSaved ? message + "\n其他设置已经保存，并且已经生效。" : message;
}
