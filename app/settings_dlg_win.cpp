#include "app/settings_dlg.h"

#include "app/exit_dlg.h"
#include "app/settings_store.h"
#include "res/resource.h"
#include "win/lazy_dll.h"
#include "win/text.h"

#include <algorithm>
#include <iterator>
#include <utility>
#include <vector>

namespace {

// The entries of 记事提醒, in the order of kRemindChoices.
const char* const kRemindTexts[] = {"当天", "提前1天", "提前3天", "提前7天", "不提醒"};
static_assert(std::size(kRemindTexts) == std::size(kRemindChoices));

// The caption of its messages: what the user must know first is that the settings were not all kept.
const wchar_t kCaption[] = L"设置没有保存";

constexpr std::pair<int, bool SettingsForm::*> kChecks[] = {
    {IDC_AUTOSTART, &SettingsForm::autostart},
    {IDC_TRAY_ICON, &SettingsForm::trayIcon},
    {IDC_SHOW_HOLIDAYS, &SettingsForm::showHolidays},
    {IDC_UPDATE_HOLIDAYS, &SettingsForm::updateHolidays},
};

// The log-on entry as chosen: written when on and it does not start this program, removed when off.
int SyncAutostart(bool on) {
    StoredText run;
    run.present = ReadSetting(kRunKey, kAutostartName, &run.text) == 0;
    if (on) return AutostartCurrent(run, ProgramPath()) ? 0 : SetAutostart(true, kAutostartName);
    return run.present ? SetAutostart(false, kAutostartName) : 0;
}

} // namespace

SettingsDlg::SettingsDlg(std::string folder, std::function<std::string()> years, std::function<void()> onApply)
    : memoFolder(std::move(folder)), holidayYears(std::move(years)), apply(std::move(onApply)) {}

bool SettingsDlg::Run(HWND owner) {
    return RunModal(IDD_SETTINGS, owner) == IDOK;
}

bool SettingsDlg::OnInitDialog() {
    PlaceBesideOwner(hwnd, Dpi());
    HWND remind = Item(IDC_REMIND_DAYS);
    for (const char* text : kRemindTexts)
        SendMessageW(remind, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ToWide(text).c_str()));
    SettingsForm form = ReadSettingsForm([](const char* name) { return ReadStored(name); });
    form.memoFolder = memoFolder;
    Show(form);
    return true;
}

void SettingsDlg::Show(const SettingsForm& form) {
    for (const auto& [id, field] : kChecks)
        CheckDlgButton(hwnd, id, form.*field ? BST_CHECKED : BST_UNCHECKED);
    CheckRadioButton(hwnd, IDC_THEME_SYSTEM, IDC_THEME_DARK, IDC_THEME_SYSTEM + form.theme);
    for (size_t i = 0; i < std::size(kRemindChoices); ++i)
        if (kRemindChoices[i] == form.remindDays) SendMessageW(Item(IDC_REMIND_DAYS), CB_SETCURSEL, i, 0);
    SetItemText(IDC_HEADLINE_HOST, form.headlineHost);
    SetItemText(IDC_HEADLINE_PORT, form.headlinePort);
    SetItemText(IDC_MEMO_FOLDER, form.memoFolder);
    EnableWindow(Item(IDC_OPEN_FOLDER), !form.memoFolder.empty());
    SetItemText(IDC_HOLIDAY_YEARS, holidayYears ? holidayYears() : std::string());
}

SettingsForm SettingsDlg::Typed() const {
    SettingsForm form;
    for (const auto& [id, field] : kChecks)
        form.*field = IsDlgButtonChecked(hwnd, id) == BST_CHECKED;
    for (int theme = 0; theme < 3; ++theme)
        if (IsDlgButtonChecked(hwnd, IDC_THEME_SYSTEM + theme) == BST_CHECKED) form.theme = theme;
    LRESULT remind = SendMessageW(Item(IDC_REMIND_DAYS), CB_GETCURSEL, 0, 0);
    if (remind >= 0 && remind < static_cast<LRESULT>(std::size(kRemindChoices)))
        form.remindDays = kRemindChoices[remind];
    form.headlineHost = GetItemText(IDC_HEADLINE_HOST);
    form.headlinePort = GetItemText(IDC_HEADLINE_PORT);
    form.memoFolder = memoFolder;
    return form;
}

// The port is checked before anything is written. Every value is written even when one fails, and
// what was written takes effect; the failures are named and the dialog keeps what was typed.
void SettingsDlg::OnOK() {
    SettingsForm form = Typed();
    if (std::string problem = SettingsFormProblem(form); !problem.empty()) {
        MessageBoxW(hwnd, ToWide(problem).c_str(), kCaption, MB_OK | MB_ICONWARNING);
        SendMessageW(hwnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDC_HEADLINE_PORT)), TRUE);
        return;
    }
    std::vector<std::string> failed;
    const std::vector<SettingText> texts = SettingsFormTexts(form);
    for (const SettingText& value : texts)
        if (WriteSetting(kSettingsKey, value.name, value.text) != 0) failed.push_back(value.name);
    // The log-on entry follows the stored choice, and the calendar repairs it to that: where the choice
    // could not be stored, the entry stays as it is.
    const bool autostartStored = std::find(failed.begin(), failed.end(), "Autostart") == failed.end();
    if (autostartStored && SyncAutostart(form.autostart) != 0) failed.push_back(kRunEntryName);
    const bool othersSaved = failed.size() < texts.size() + (autostartStored ? 1 : 0);
    if (apply) apply();
    if (failed.empty()) {
        End(IDOK);
        return;
    }
    MessageBoxW(hwnd, ToWide(SettingsWriteFailure(failed, othersSaved)).c_str(), kCaption, MB_OK | MB_ICONWARNING);
}

// The calendar fetches the holidays (and tells the outcome); the line then names what it holds now.
void SettingsDlg::UpdateHolidaysNow() {
    SendMessageW(GetWindow(hwnd, GW_OWNER), WM_COMMAND, MAKEWPARAM(IDM_UPDATE_HOLIDAYS, 0), 0);
    SetItemText(IDC_HOLIDAY_YEARS, holidayYears ? holidayYears() : std::string());
}

LRESULT SettingsDlg::OnCommand(int id, int code, HWND control) {
    if (code == BN_CLICKED && id == IDC_UPDATE_NOW) {
        UpdateHolidaysNow();
        return 0;
    }
    if (code == BN_CLICKED && id == IDC_OPEN_FOLDER) {
        ShellOpen(hwnd, ToWide(memoFolder).c_str());
        return 0;
    }
    return Dialog::OnCommand(id, code, control);
}
