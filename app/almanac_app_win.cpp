#include "app/almanac_app.h"

#include "app/almanac_dlg.h"
#include "app/settings_store.h"
#include "app/startup_timeline.h"
#include "win/text.h"

#include <windows.h>
#include <commctrl.h>

namespace {

// The name another copy of the program finds taken; its handle stays open for the whole run.
constexpr wchar_t kInstanceEvent[] = L"Lunoria_vortal";

// Message boxes carry the program file's name without its extension.
std::wstring ProgramName() {
    std::wstring path = ToWide(ProgramPath());
    size_t slash = path.find_last_of(L"\\/");
    std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    size_t dot = name.find_last_of(L'.');
    if (dot != std::wstring::npos && dot > 0) name.resize(dot);
    return name.empty() ? L"lunoria" : name;
}

} // namespace

int AlmanacApp::Run() {
    StartupMark("main");
    // When the event cannot be made at all the program runs without the guard.
    HANDLE instance = CreateEventW(nullptr, FALSE, FALSE, kInstanceEvent);
    if (instance && GetLastError() == ERROR_ALREADY_EXISTS) {
        MessageBoxW(nullptr, ToWide("同名程序已启动，请先关闭旧程序!\n").c_str(), ProgramName().c_str(),
                    MB_OK | MB_ICONEXCLAMATION);
        CloseHandle(instance);
        return 0;
    }
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES;
    InitCommonControlsEx(&controls);
    {
        AlmanacDlg calendar;
        calendar.Run();
    }
    return 0;
}
