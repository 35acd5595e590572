#include "memo/ics_export_dlg.h"

#include "memo/ics_export.h"
#include "memo/memo_file.h"
#include "res/resource.h"
#include "win/lazy_dll.h"
#include "win/text.h"

#include <commdlg.h>
#include <shlobj.h>

namespace {

constexpr UINT kExportCommand = 1;
const wchar_t kCaption[] = L"导出记事";

// The file the user names in the standard Save As dialog; empty when it was cancelled.
std::wstring AskTarget(HWND owner) {
    wchar_t documents[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, documents);
    std::wstring file = L"我的记事.ics";
    file.resize(32768); // room for any path the dialog may return
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = L"iCalendar (*.ics)\0*.ics\0";
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrInitialDir = documents[0] ? documents : nullptr;
    dialog.lpstrTitle = kCaption;
    dialog.lpstrDefExt = L"ics";
    // The process's current directory stays where it was.
    dialog.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    // comdlg32 loads the first time it is needed, as for the colour chooser.
    static const auto save = LazyFunction<decltype(&GetSaveFileNameW)>(L"comdlg32.dll", "GetSaveFileNameW");
    if (!save || !save(&dialog)) return {};
    return file.c_str();
}

void ExportTo(HWND owner, const std::wstring& target, const std::string& memoRoot) {
    const IcsExport result = ExportMemoFolder(memoRoot, CurrentExportClock());
    std::string problem;
    if (result.status != IcsExportStatus::Ok) {
        problem = "找不到记事文件夹：" + memoRoot;
    } else if (WriteWholeFile(ToUtf8(target), result.text.data(), result.text.size()) != 0) {
        problem = "无法写入文件：" + ToUtf8(target);
    }
    if (problem.empty()) return;
    MessageBoxW(owner, ToWide("记事没有导出。\n" + problem).c_str(), kCaption, MB_OK | MB_ICONWARNING);
}

} // namespace

void RunMemoExportMenu(HWND owner, POINT screenPoint, const std::string& memoRoot) {
    HMENU menu = CreatePopupMenu();
    if (!menu) return;
    AppendMenuW(menu, MF_STRING, kExportCommand, L"导出记事（iCalendar）…");
    AppendMenuW(menu, MF_STRING, IDM_UPDATE_HOLIDAYS, L"更新节假日");
    AppendMenuW(menu, MF_STRING, IDM_SETTINGS, L"设置…");
    const UINT chosen = static_cast<UINT>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY,
                                                         screenPoint.x, screenPoint.y, 0, owner, nullptr));
    DestroyMenu(menu);
    // The dialogs belong to the calendar window, which they keep from input while they run.
    HWND window = GetAncestor(owner, GA_ROOT);
    // The calendar's own commands go to it, once the menu is gone.
    if (chosen != 0 && chosen != kExportCommand) PostMessageW(window, WM_COMMAND, MAKEWPARAM(chosen, 0), 0);
    if (chosen != kExportCommand) return;
    const std::wstring target = AskTarget(window);
    if (!target.empty()) ExportTo(window, target, memoRoot);
}
