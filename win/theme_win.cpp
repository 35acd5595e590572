#include "win/theme.h"

#include "win/dialog.h"
#include "win/gdi.h"
#include "win/lazy_dll.h"

namespace {

// Windows 10 20H1 and later; 19 before it. MinGW's dwmapi.h lacks it.
constexpr DWORD kUseImmersiveDarkMode = 20;
constexpr DWORD kUseImmersiveDarkModeOld = 19;
const wchar_t kDarkProp[] = L"LunoriaDarkControls";

Palette current;
Brush dialogBrush;
Brush editBrush;

uint32_t SysColor(int index) {
    return static_cast<uint32_t>(GetSysColor(index));
}

SystemColors ReadSystemColors() {
    SystemColors s;
    s.window = SysColor(COLOR_WINDOW);
    s.windowText = SysColor(COLOR_WINDOWTEXT);
    s.highlight = SysColor(COLOR_HIGHLIGHT);
    s.highlightText = SysColor(COLOR_HIGHLIGHTTEXT);
    s.hotlight = SysColor(COLOR_HOTLIGHT);
    s.grayText = SysColor(COLOR_GRAYTEXT);
    s.btnFace = SysColor(COLOR_BTNFACE);
    s.btnText = SysColor(COLOR_BTNTEXT);
    s.infoBack = SysColor(COLOR_INFOBK);
    s.infoText = SysColor(COLOR_INFOTEXT);
    return s;
}

// A missing value (Windows 7, 8.1) means light.
bool SystemAppsLight() {
    DWORD value = 1, size = sizeof value;
    if (RegGetValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize",
                     L"AppsUseLightTheme", RRF_RT_REG_DWORD, nullptr, &value, &size) != ERROR_SUCCESS)
        return true;
    return value != 0;
}

bool HighContrastOn() {
    HIGHCONTRASTW hc{};
    hc.cbSize = sizeof hc;
    if (SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof hc, &hc, 0) && (hc.dwFlags & HCF_HIGHCONTRASTON)) return true;
    // Wine answers "off" whatever the user chose and cannot switch it; there the choice is read where
    // Windows keeps it.
    static const bool wine = LazyProc(L"ntdll.dll", "wine_get_version") != nullptr;
    wchar_t flags[16] = {};
    DWORD size = sizeof flags;
    return wine &&
           RegGetValueW(HKEY_CURRENT_USER, L"Control Panel\\Accessibility\\HighContrast", L"Flags", RRF_RT_REG_SZ,
                        nullptr, flags, &size) == ERROR_SUCCESS &&
           (wcstoul(flags, nullptr, 10) & HCF_HIGHCONTRASTON);
}

// What a change of variant or of the system colours can change.
bool Same(const Palette& a, const Palette& b) {
    const GridPalette &x = a.grid, &y = b.grid;
    return a.variant == b.variant && x.fieldColor == y.fieldColor && x.cellBackColor == y.cellBackColor &&
           x.normalDayColor == y.normalDayColor && x.todayColor == y.todayColor && x.holidayColor == y.holidayColor &&
           x.oneTimeFill == y.oneTimeFill && x.filledTextColor == y.filledTextColor &&
           x.headerBackColor == y.headerBackColor && x.headerTextColor == y.headerTextColor &&
           a.tipBackColor == b.tipBackColor && a.tipTextColor == b.tipTextColor &&
           a.linkHoverColor == b.linkHoverColor && a.dialogBackColor == b.dialogBackColor &&
           a.dialogTextColor == b.dialogTextColor && a.editBackColor == b.editBackColor;
}

// Menus follow the app mode only through uxtheme's SetPreferredAppMode (ordinal 135): 0 default,
// 2 force dark, 3 force light. Windows 10 1903 and later.
void SetMenuMode(bool dark) {
    using SetPreferredAppMode = int(WINAPI*)(int);
    using FlushMenuThemes = void(WINAPI*)();
    static const auto setMode = LazyFunction<SetPreferredAppMode>(L"uxtheme.dll", MAKEINTRESOURCEA(135));
    static const auto flush = LazyFunction<FlushMenuThemes>(L"uxtheme.dll", MAKEINTRESOURCEA(136));
    if (!setMode) return;
    setMode(dark ? 2 : 3);
    if (flush) flush();
}

void SetControlThemes(HWND window, bool dark) {
    using SetWindowThemeFn = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
    using AllowDarkModeForWindow = BOOL(WINAPI*)(HWND, BOOL);
    static const auto setTheme = LazyFunction<SetWindowThemeFn>(L"uxtheme.dll", "SetWindowTheme");
    static const auto allowDark = LazyFunction<AllowDarkModeForWindow>(L"uxtheme.dll", MAKEINTRESOURCEA(133));
    if (!setTheme) return;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t cls[32] = {};
        GetClassNameW(child, cls, 32);
        const bool combo = lstrcmpiW(cls, L"ComboBox") == 0;
        if (!combo && lstrcmpiW(cls, L"Button") != 0 && lstrcmpiW(cls, L"Edit") != 0 &&
            lstrcmpiW(cls, L"ListBox") != 0 && lstrcmpiW(cls, L"ScrollBar") != 0)
            continue;
        if (allowDark) allowDark(child, dark);
        // Themed group boxes, check boxes and radio buttons draw their text in the theme's colour (dark on
        // dark) whatever WM_CTLCOLORSTATIC says; with no theme (" " names none) they take ours.
        const LONG type = GetWindowLongW(child, GWL_STYLE) & BS_TYPEMASK;
        if (!combo && lstrcmpiW(cls, L"Button") == 0 && type != BS_PUSHBUTTON && type != BS_DEFPUSHBUTTON &&
            type != BS_OWNERDRAW)
            setTheme(child, dark ? L" " : nullptr, dark ? L" " : nullptr);
        else
            setTheme(child, dark ? (combo ? L"DarkMode_CFD" : L"DarkMode_Explorer") : nullptr, nullptr);
    }
}

void SetCaptionDark(HWND window, bool dark) {
    if (!(GetWindowLongW(window, GWL_STYLE) & WS_CAPTION)) return;
    using DwmSetWindowAttributeFn = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);
    static const auto setAttribute = LazyFunction<DwmSetWindowAttributeFn>(L"dwmapi.dll", "DwmSetWindowAttribute");
    if (!setAttribute) return;
    BOOL on = dark;
    if (FAILED(setAttribute(window, kUseImmersiveDarkMode, &on, sizeof on)))
        setAttribute(window, kUseImmersiveDarkModeOld, &on, sizeof on);
}

BOOL CALLBACK ApplyToOne(HWND window, LPARAM) {
    ApplyThemeToWindow(window);
    return TRUE;
}

} // namespace

const Palette& CurrentPalette() {
    return current;
}

void UsePalette(const Palette& palette) {
    current = palette;
    dialogBrush.Reset(current.systemDialogs ? nullptr : CreateSolidBrush(current.dialogBackColor));
    editBrush.Reset(current.systemDialogs ? nullptr : CreateSolidBrush(current.editBackColor));
}

bool RefreshTheme(int themeSetting) {
    const bool highContrast = HighContrastOn();
    // Light and Dark do not depend on the system colours; reading them waits for high contrast.
    const ThemeVariant variant = ChooseVariant(themeSetting, SystemAppsLight(), highContrast);
    Palette next = MakePalette(variant, variant == ThemeVariant::Dark ? SystemColors{} : ReadSystemColors());
    if (Same(next, current)) return false;
    const bool menuWasDark = current.variant == ThemeVariant::Dark;
    UsePalette(next);
    if (menuWasDark || variant == ThemeVariant::Dark) SetMenuMode(variant == ThemeVariant::Dark);
    return true;
}

bool IsThemeChange(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_SYSCOLORCHANGE || msg == WM_THEMECHANGED) return true;
    if (msg != WM_SETTINGCHANGE) return false;
    if (wParam == SPI_SETHIGHCONTRAST) return true;
    const auto* area = reinterpret_cast<const wchar_t*>(lParam);
    return area && lstrcmpW(area, L"ImmersiveColorSet") == 0;
}

void ApplyThemeToWindow(HWND window) {
    const bool dark = current.variant == ThemeVariant::Dark;
    // A window that never was dark keeps the system's looks untouched (and uxtheme unasked).
    if (dark || GetPropW(window, kDarkProp)) {
        SetCaptionDark(window, dark);
        SetControlThemes(window, dark);
        if (dark)
            SetPropW(window, kDarkProp, reinterpret_cast<HANDLE>(1));
        else
            RemovePropW(window, kDarkProp);
    }
    if (Dialog* dialog = Dialog::FromDialogHandle(window)) dialog->ThemeChanged();
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void ApplyThemeToThreadWindows() {
    EnumThreadWindows(GetCurrentThreadId(), ApplyToOne, 0);
}

HBRUSH ThemedControlColor(UINT msg, HDC dc) {
    if (current.systemDialogs) return nullptr;
    const bool edit = msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORLISTBOX;
    SetTextColor(dc, edit ? current.editTextColor : current.dialogTextColor);
    SetBkColor(dc, edit ? current.editBackColor : current.dialogBackColor);
    return edit ? editBrush.Get() : dialogBrush.Get();
}
