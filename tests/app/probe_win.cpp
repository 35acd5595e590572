// A small driver for the calendar's script tests under Wine. It reads what a user would see from
// the running calendar, and times program starts from inside Windows.
//   lunoria-probe month            prints the year and month the lists show ("2026 12")
//   lunoria-probe rect             prints the calendar window's left, top, width, height
//   lunoria-probe center ID [TITLE] prints the screen point in the middle of control ID of the
//                                  calendar (or of the top-level window TITLE) and whether it shows
//   lunoria-probe text ID [TITLE]  prints the text of control ID of the calendar (or of window TITLE)
//   lunoria-probe texts TITLE      prints the non-empty texts of the children of window TITLE, one a line
//   lunoria-probe tip              prints whether the hover tip shows, then its left, top, width, height
//   lunoria-probe menu             prints the shown popup menu's left, top, width, height; exit code 2 when none shows
//   lunoria-probe companion NAME   prints left, top, width, height and 1/0 (shown) of the calendar's
//                                  notepad, notetab ("本") or caltab ("历")
//   lunoria-probe center ID @NAME  as center, for a control of that companion
//   lunoria-probe pagetext         prints the notepad's text (UTF-8); heading: its heading
//   lunoria-probe iconic           prints 1 when the calendar is minimised, else 0
//   lunoria-probe wheel DELTA      posts a wheel turn at the pointer to the calendar's focus window
//   lunoria-probe restore          restores it, as its task-bar button does
//   lunoria-probe close            asks the calendar to close, as the task bar's close command does
//   lunoria-probe select Y M       selects list entries Y and M as a user would (CBN_SELCHANGE)
//   lunoria-probe wait SECONDS     waits for the calendar window to show; exit code 1 when it never did
//   lunoria-probe gone SECONDS     waits until no calendar window is left; 1 when one stays
//   lunoria-probe time EXE FILE    starts EXE with LUNORIA_READY_FILE=FILE, prints the milliseconds
//                                  until FILE exists, then ends EXE
//   lunoria-probe cpu EXE FILE S   starts EXE as above, waits until FILE exists, lets it idle for
//                                  S seconds, prints the CPU milliseconds it used meanwhile, ends it
//   lunoria-probe ping SECONDS     sends the calendar a message every 20 ms for SECONDS; prints the
//                                  worst answer time in milliseconds and the number sent (exit code 1
//                                  when one got no answer within 2 s)
//   lunoria-probe overlaps [TITLE]  prints every pair of visible children of the calendar (or of the
//                                  window TITLE, @NAME for a companion) that overlap, group boxes aside
//   lunoria-probe inside TITLE|@NAME prints every visible child of that window that is not wholly inside
//                                  its client area
//   lunoria-probe tray             prints the centre of the first icon in Wine's tray ("-" without
//                                  one) and the calendar's icon tooltip (its window's text), one line
//   lunoria-probe balloons         prints each shown notification balloon's text
//   lunoria-probe shown            prints 1 when the calendar window shows, else 0
//   lunoria-probe command ID       posts the calendar the menu command ID, as its menus do
//   lunoria-probe highcontrast on|off turns high contrast on or off, as the system's settings do
//   lunoria-probe dpichange DPI X Y tells the calendar (test builds) that its DPI is now DPI, with the
//                                  system's suggested corner at (X, Y)
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr wchar_t kTitle[] = L"\u65e5\u53862.162"; // 日历2.162

HWND FindCalendar() {
    HWND w = FindWindowW(nullptr, kTitle);
    // The message box of a second copy is no calendar; the calendar is a dialog with our lists.
    while (w && !GetDlgItem(w, 1034))
        w = FindWindowExW(nullptr, w, nullptr, kTitle);
    return w;
}

// The notepad (it has the page edit 1047) or a tab (its button 1000 says "本" or "历"): unnamed
// popups owned by the calendar.
HWND FindCompanion(const std::wstring& name) {
    HWND owner = FindCalendar();
    for (HWND w = nullptr; owner && (w = FindWindowExW(nullptr, w, nullptr, nullptr));) {
        wchar_t text[8] = {};
        GetDlgItemTextW(w, 1000, text, 8);
        if (GetWindow(w, GW_OWNER) == owner &&
            (name == L"notepad" ? GetDlgItem(w, 1047) != nullptr
                                : std::wstring(text) == (name == L"notetab" ? L"\u672c" : L"\u5386")))
            return w;
    }
    return nullptr;
}

// WM_GETTEXT, not GetWindowText: another process's edit control answers only the message.

bool WaitFor(bool wantWindow, double seconds) {
    DWORD end = GetTickCount() + static_cast<DWORD>(seconds * 1000);
    for (;;) {
        // The window exists (with its title) while its start-up work still runs; clicks reach it
        // only once it shows.
        HWND w = FindCalendar();
        if (wantWindow ? w && IsWindowVisible(w) : !w) return true;
        if (static_cast<int>(GetTickCount() - end) > 0) return false;
        Sleep(20);
    }
}

double Now() {
    static LARGE_INTEGER freq = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(freq.QuadPart);
}

bool Start(const wchar_t* exe, const wchar_t* readyFile, PROCESS_INFORMATION* pi, double* startedAt) {
    DeleteFileW(readyFile);
    SetEnvironmentVariableW(L"LUNORIA_READY_FILE", readyFile);
    std::wstring cmd = std::wstring(L"\"") + exe + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    *startedAt = Now();
    return CreateProcessW(exe, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, pi) != 0;
}

bool WaitReady(const wchar_t* readyFile, HANDLE process, double timeoutMs, double startedAt) {
    while (Now() - startedAt < timeoutMs) {
        if (GetFileAttributesW(readyFile) != INVALID_FILE_ATTRIBUTES) return true;
        if (WaitForSingleObject(process, 0) == WAIT_OBJECT_0) return false;
        Sleep(1);
    }
    return false;
}

void Stop(PROCESS_INFORMATION& pi) {
    TerminateProcess(pi.hProcess, 0);
    WaitForSingleObject(pi.hProcess, 5000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
}

double CpuMs(HANDLE process) {
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return -1;
    auto ms = [](FILETIME f) {
        return static_cast<double>((static_cast<unsigned long long>(f.dwHighDateTime) << 32) | f.dwLowDateTime) / 1e4;
    };
    return ms(kernel) + ms(user);
}

// The text of a window of another process, through WM_GETTEXT (GetWindowText would not ask it).
std::string TextOf(HWND w) {
    DWORD_PTR n = 0;
    if (!SendMessageTimeoutW(w, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &n)) return {};
    std::wstring text(n + 1, L'\0');
    DWORD_PTR got = 0;
    SendMessageTimeoutW(w, WM_GETTEXT, n + 1, reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG, 5000, &got);
    text.resize(got);
    int bytes =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), bytes, nullptr, nullptr);
    return out;
}

BOOL CALLBACK PrintChildText(HWND w, LPARAM) {
    std::string text = TextOf(w);
    if (!text.empty()) std::printf("%s\n", text.c_str());
    return TRUE;
}

// The visible children of a window, with their screen rectangles, each as "id:class(l,t,r,b)".
std::vector<std::pair<std::string, RECT>> VisibleChildren(HWND parent) {
    std::vector<std::pair<std::string, RECT>> children;
    for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        RECT r;
        char name[96], cls[32] = {};
        GetClassNameA(c, cls, 32);
        if (!IsWindowVisible(c) || !GetWindowRect(c, &r)) continue;
        // A group box is a frame around other controls: it holds them, it does not cover them.
        if ((GetWindowLongW(c, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX && std::string(cls) == "Button")
            std::snprintf(cls, sizeof cls, "GroupBox");
        std::snprintf(name, sizeof name, "%d:%s(%ld,%ld,%ld,%ld)", GetDlgCtrlID(c), cls, r.left, r.top, r.right,
                      r.bottom);
        children.push_back({name, r});
    }
    return children;
}

// The hover tip: a dialog popup of the calendar's thread, owned by it, with no title and no children.
BOOL CALLBACK FindTip(HWND w, LPARAM data) {
    auto* found = reinterpret_cast<std::pair<HWND, HWND>*>(data);
    wchar_t cls[16] = {};
    GetClassNameW(w, cls, 16);
    if (w != found->first && std::wstring(cls) == L"#32770" && GetWindow(w, GW_OWNER) == found->first &&
        !GetWindow(w, GW_CHILD) && GetWindowTextLengthW(w) == 0) {
        found->second = w;
        return FALSE;
    }
    return TRUE;
}

// Line breaks as "|", so a text is one line of output.
std::string OneLine(std::string text) {
    for (char& c : text)
        if (c == '\n' || c == '\r') c = '|';
    return text;
}

// Shown top-level windows of a class, in z-order.
std::vector<HWND> ShownOfClass(const wchar_t* cls) {
    std::vector<HWND> found;
    for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, cls, nullptr));)
        if (IsWindowVisible(w)) found.push_back(w);
    return found;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    std::wstring what = argc > 1 ? argv[1] : L"";
    if (what == L"month") {
        HWND w = FindCalendar();
        if (!w) return 2;
        int y = static_cast<int>(SendMessageW(GetDlgItem(w, 1034), CB_GETCURSEL, 0, 0));
        int m = static_cast<int>(SendMessageW(GetDlgItem(w, 1035), CB_GETCURSEL, 0, 0));
        std::printf("%d %d\n", y < 0 ? -1 : 1900 + y, m < 0 ? -1 : m + 1);
        return 0;
    }
    if (what == L"rect") {
        HWND w = FindCalendar();
        RECT r;
        if (!w || !GetWindowRect(w, &r)) return 2;
        std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
        return 0;
    }
    if (what == L"center" && argc > 2) {
        HWND w = argc <= 3            ? FindCalendar()
                 : argv[3][0] == L'@' ? FindCompanion(argv[3] + 1)
                                      : FindWindowW(nullptr, argv[3]);
        HWND item = w ? GetDlgItem(w, _wtoi(argv[2])) : nullptr;
        RECT r;
        if (!item || !GetWindowRect(item, &r)) return 2;
        std::printf("%ld %ld %d\n", (r.left + r.right) / 2, (r.top + r.bottom) / 2, IsWindowVisible(item) ? 1 : 0);
        return 0;
    }
    if (what == L"text" && argc > 2) {
        HWND w = argc > 3 ? FindWindowW(nullptr, argv[3]) : FindCalendar();
        HWND item = w ? GetDlgItem(w, _wtoi(argv[2])) : nullptr;
        if (!item) return 2;
        std::printf("%s\n", TextOf(item).c_str());
        return 0;
    }
    if (what == L"texts" && argc > 2) {
        HWND w = FindWindowW(nullptr, argv[2]);
        if (!w) return 2;
        EnumChildWindows(w, PrintChildText, 0);
        return 0;
    }
    if (what == L"menu") {
        HWND w = FindWindowW(L"#32768", nullptr);
        while (w && !IsWindowVisible(w))
            w = FindWindowExW(nullptr, w, L"#32768", nullptr);
        RECT r;
        if (!w || !GetWindowRect(w, &r)) return 2;
        std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
        return 0;
    }
    if (what == L"tip") {
        std::pair<HWND, HWND> found{FindCalendar(), nullptr};
        if (!found.first) return 2;
        EnumThreadWindows(GetWindowThreadProcessId(found.first, nullptr), FindTip, reinterpret_cast<LPARAM>(&found));
        RECT r;
        if (!found.second || !GetWindowRect(found.second, &r)) return 2;
        std::printf("%d %ld %ld %ld %ld\n", IsWindowVisible(found.second) ? 1 : 0, r.left, r.top, r.right - r.left,
                    r.bottom - r.top);
        return 0;
    }
    if (what == L"companion" && argc > 2) {
        HWND w = FindCompanion(argv[2]);
        RECT r;
        if (!w || !GetWindowRect(w, &r)) return 2;
        std::printf("%ld %ld %ld %ld %d\n", r.left, r.top, r.right - r.left, r.bottom - r.top,
                    IsWindowVisible(w) ? 1 : 0);
        return 0;
    }
    if (what == L"pagetext" || what == L"heading") {
        HWND w = FindCompanion(L"notepad");
        if (!w) return 2;
        HWND item = what == L"pagetext" ? GetDlgItem(w, 1047) : FindWindowExW(w, nullptr, L"Static", nullptr);
        std::fputs(TextOf(item).c_str(), stdout);
        return 0;
    }
    if (what == L"themechange") {
        // What Windows sends every top-level window when the app mode changes.
        DWORD_PTR result = 0;
        SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"ImmersiveColorSet"),
                            SMTO_ABORTIFHUNG, 5000, &result);
        return 0;
    }
    if (what == L"highcontrast" && argc > 2) {
        // As the Ease of Access settings do. Wine cannot switch it: there the flag goes where Windows keeps
        // it, the colours become High Contrast Black's (off: the scheme's, still in the registry), and the
        // broadcast is ours.
        const bool on = std::wstring(argv[2]) == L"on";
        HIGHCONTRASTW hc{sizeof hc, on ? DWORD{HCF_HIGHCONTRASTON} : 0, nullptr};
        if (SystemParametersInfoW(SPI_SETHIGHCONTRAST, sizeof hc, &hc, SPIF_UPDATEINIFILE | SPIF_SENDCHANGE)) return 0;
        RegSetKeyValueW(HKEY_CURRENT_USER, L"Control Panel\\Accessibility\\HighContrast", L"Flags", REG_SZ,
                        on ? L"127" : L"126", 8);
        const int index[] = {COLOR_WINDOW,   COLOR_WINDOWTEXT, COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT, COLOR_HOTLIGHT,
                             COLOR_GRAYTEXT, COLOR_BTNFACE,    COLOR_BTNTEXT,   COLOR_INFOBK,        COLOR_INFOTEXT};
        const wchar_t* name[] = {L"Window",   L"WindowText", L"Hilight",    L"HilightText", L"HotTrackingColor",
                                 L"GrayText", L"ButtonFace", L"ButtonText", L"InfoWindow",  L"InfoText"};
        const COLORREF black[] = {0,        0xFFFFFF, RGB(26, 235, 255), 0, RGB(255, 255, 0), RGB(63, 242, 63), 0,
                                  0xFFFFFF, 0,        0xFFFFFF};
        for (int i = 0; i < 10; ++i) {
            COLORREF color = black[i];
            wchar_t text[32] = {};
            DWORD size = sizeof text;
            int r, g, b;
            if (!on &&
                !RegGetValueW(HKEY_CURRENT_USER, L"Control Panel\\Colors", name[i], RRF_RT_REG_SZ, nullptr, text,
                              &size) &&
                swscanf(text, L"%d %d %d", &r, &g, &b) == 3)
                color = RGB(r, g, b);
            SetSysColors(1, &index[i], &color);
        }
        DWORD_PTR result = 0;
        SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0, SMTO_ABORTIFHUNG, 5000, &result);
        return 0;
    }
    if (what == L"close") {
        HWND w = FindCalendar();
        if (!w) return 2;
        SendMessageW(w, WM_SYSCOMMAND, SC_CLOSE, 0);
        SendMessageW(w, WM_CLOSE, 0, 0);
        return 0;
    }
    if (what == L"wheel" && argc > 2) { // as Windows 7 sends it: to the focus window, at the pointer
        HWND w = FindCalendar();
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        POINT at{};
        if (!w || !GetGUIThreadInfo(GetWindowThreadProcessId(w, nullptr), &info) || !GetCursorPos(&at)) return 2;
        WPARAM turn = MAKEWPARAM(0, _wtoi(argv[2]));
        return PostMessageW(info.hwndFocus, WM_MOUSEWHEEL, turn, MAKELPARAM(at.x, at.y)) ? 0 : 2;
    }
    if (what == L"iconic" || what == L"restore") {
        HWND w = FindCalendar();
        if (!w) return 2;
        if (what == L"restore")
            ShowWindow(w, SW_RESTORE);
        else
            std::printf("%d\n", IsIconic(w) ? 1 : 0);
        return 0;
    }
    if (what == L"select" && argc > 3) {
        HWND w = FindCalendar();
        if (!w) return 2;
        // Both lists first, then one notification, the way a user's pick arrives.
        SendMessageW(GetDlgItem(w, 1034), CB_SETCURSEL, _wtoi(argv[2]), 0);
        SendMessageW(GetDlgItem(w, 1035), CB_SETCURSEL, _wtoi(argv[3]), 0);
        SendMessageW(w, WM_COMMAND, MAKEWPARAM(1034, CBN_SELCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(w, 1034)));
        return 0;
    }
    if (what == L"ping" && argc > 2) {
        HWND w = FindCalendar();
        if (!w) return 2;
        double worst = 0, end = Now() + _wtof(argv[2]) * 1000;
        int sent = 0;
        bool allAnswered = true;
        while (Now() < end) {
            DWORD_PTR result = 0;
            double at = Now();
            allAnswered &= SendMessageTimeoutW(w, WM_NULL, 0, 0, SMTO_NORMAL, 2000, &result) != 0;
            double took = Now() - at;
            if (took > worst) worst = took;
            ++sent;
            Sleep(20);
        }
        std::printf("%.1f %d\n", worst, sent);
        return allAnswered ? 0 : 1;
    }
    if (what == L"overlaps" || (what == L"inside" && argc > 2)) {
        HWND w = argc <= 2            ? FindCalendar()
                 : argv[2][0] == L'@' ? FindCompanion(argv[2] + 1)
                                      : FindWindowW(nullptr, argv[2]);
        RECT client, both;
        if (!w || !GetClientRect(w, &client)) return 2;
        MapWindowPoints(w, nullptr, reinterpret_cast<POINT*>(&client), 2);
        auto children = VisibleChildren(w);
        for (size_t i = 0; i < children.size(); ++i) {
            if (what == L"inside" && !(UnionRect(&both, &client, &children[i].second) && EqualRect(&both, &client)))
                std::printf("%s outside\n", children[i].first.c_str());
            for (size_t j = i + 1; what == L"overlaps" && j < children.size(); ++j)
                if (children[i].first.find(":GroupBox(") == std::string::npos &&
                    children[j].first.find(":GroupBox(") == std::string::npos &&
                    IntersectRect(&both, &children[i].second, &children[j].second))
                    std::printf("%s %s\n", children[i].first.c_str(), children[j].first.c_str());
        }
        return 0;
    }
    if (what == L"tray") {
        // Wine's tray without an X tray: one top-level window, one child per icon.
        HWND bar = FindWindowW(L"__winex11_standalone_tray", nullptr);
        HWND icon = bar ? FindWindowExW(bar, nullptr, L"__winex11_tray_icon", nullptr) : nullptr;
        RECT r;
        if (icon && IsWindowVisible(icon) && GetWindowRect(icon, &r))
            std::printf("%ld %ld ", (r.left + r.right) / 2, (r.top + r.bottom) / 2);
        else
            std::printf("- ");
        HWND tray = FindWindowW(L"LunoriaTrayIcon", nullptr);
        std::printf("%s\n", tray ? OneLine(TextOf(tray)).c_str() : "");
        return tray ? 0 : 2;
    }
    if (what == L"balloons") {
        for (HWND w : ShownOfClass(L"tooltips_class32")) {
            if (std::string text = OneLine(TextOf(w)); !text.empty()) std::printf("%s\n", text.c_str());
        }
        return 0;
    }
    if (what == L"shown") {
        HWND w = FindCalendar();
        if (!w) return 2;
        std::printf("%d\n", IsWindowVisible(w) ? 1 : 0);
        return 0;
    }
    if (what == L"command" && argc > 2) {
        HWND w = FindCalendar();
        return w && PostMessageW(w, WM_COMMAND, MAKEWPARAM(_wtoi(argv[2]), 0), 0) ? 0 : 2;
    }
    if (what == L"dpichange" && argc > 4) {
        HWND w = FindCalendar();
        if (!w) return 2;
        SendMessageW(w, WM_APP + 90, _wtoi(argv[2]), MAKELPARAM(_wtoi(argv[3]), _wtoi(argv[4])));
        return 0;
    }
    if ((what == L"wait" || what == L"gone") && argc > 2) return WaitFor(what == L"wait", _wtof(argv[2])) ? 0 : 1;
    if ((what == L"time" && argc > 3) || (what == L"cpu" && argc > 4)) {
        PROCESS_INFORMATION pi{};
        double startedAt = 0;
        if (!Start(argv[2], argv[3], &pi, &startedAt)) return 2;
        if (!WaitReady(argv[3], pi.hProcess, 20000, startedAt)) {
            Stop(pi);
            return 3;
        }
        double readyAt = Now();
        if (what == L"time") {
            std::printf("%.1f\n", readyAt - startedAt);
        } else {
            double before = CpuMs(pi.hProcess);
            Sleep(static_cast<DWORD>(_wtof(argv[4]) * 1000));
            std::printf("%.1f\n", CpuMs(pi.hProcess) - before);
        }
        std::fflush(stdout);
        Stop(pi);
        return 0;
    }
    std::fprintf(stderr, "usage: lunoria-probe month|rect|center ID [TITLE|@NAME]|text ID [TITLE]|texts "
                         "TITLE|tip|menu|companion NAME|pagetext|heading|wheel DELTA|iconic|restore|close|select Y M|"
                         "wait S|gone S|time EXE FILE|cpu EXE FILE S|ping S|overlaps [TITLE|@NAME]|inside "
                         "TITLE|@NAME|tray|balloons|shown|command ID|dpichange DPI X Y\n");
    return 2;
}
