#pragma once

#include "app/settings_form.h"
#include "win/dialog.h"

#include <functional>
#include <string>

// The settings dialog (template IDD_SETTINGS): every choice of the calendar, read from the registry
// when it opens. "确定" checks the port, writes every value and the log-on entry, and has the owner
// take them up at once (`apply`); a value that could not be written is named and the dialog stays
// with what was typed. "取消" changes nothing. It is made only when opened.
class SettingsDlg : public Dialog {
public:
    // holidayYears: the line naming the years the calendar holds, asked again after "立即更新".
    SettingsDlg(std::string memoFolder, std::function<std::string()> holidayYears, std::function<void()> apply);

    // Runs modally over the calendar; true when the values were stored.
    bool Run(HWND owner);

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    LRESULT OnCommand(int id, int code, HWND control) override;

private:
    void Show(const SettingsForm& form);
    SettingsForm Typed() const;
    void UpdateHolidaysNow();

    std::string memoFolder;
    std::function<std::string()> holidayYears;
    std::function<void()> apply;
};
