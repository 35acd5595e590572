#include "app/settings_store.h"

#include "app/settings_parse.h"
#include "win/text.h"

#include <windows.h>

#include <vector>

const char kSettingsKey[] = "SOFTWARE\\Quorvel\\Lunoria";
const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kAutostartName[] = "Lunoria";

namespace {

// A registry value larger than this is not a setting of ours.
constexpr DWORD kMaxValueBytes = 64 * 1024;

class KeyScope {
public:
    KeyScope() = default;
    KeyScope(const KeyScope&) = delete;
    KeyScope& operator=(const KeyScope&) = delete;
    ~KeyScope() {
        if (key) RegCloseKey(key);
    }
    HKEY* Out() { return &key; }
    HKEY Get() const { return key; }

private:
    HKEY key = nullptr;
};

} // namespace

int ReadSetting(const std::string& subkey, const std::string& name, std::string* text) {
    KeyScope key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, ToWide(subkey).c_str(), 0, KEY_QUERY_VALUE, key.Out()) != ERROR_SUCCESS)
        return -1;
    std::wstring valueName = ToWide(name);
    DWORD type = 0;
    DWORD bytes = 0;
    if (RegQueryValueExW(key.Get(), valueName.c_str(), nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS) return -1;
    // Another program may have stored something else under our name; that is no text of ours.
    if ((type != REG_SZ && type != REG_EXPAND_SZ) || bytes > kMaxValueBytes) return -1;
    std::wstring data(bytes / sizeof(wchar_t) + 1, L'\0');
    DWORD got = static_cast<DWORD>(data.size() * sizeof(wchar_t));
    if (RegQueryValueExW(key.Get(), valueName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &got) !=
        ERROR_SUCCESS)
        return -1;
    // The stored data need not end with a NUL; cut at the first one, or at its length.
    data.resize(got / sizeof(wchar_t));
    size_t nul = data.find(L'\0');
    if (nul != std::wstring::npos) data.resize(nul);
    if (text) *text = ToUtf8(data);
    return 0;
}

int WriteSetting(const std::string& subkey, const std::string& name, const std::string& text) {
    KeyScope key;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, ToWide(subkey).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                        nullptr, key.Out(), nullptr) != ERROR_SUCCESS)
        return -1;
    std::wstring data = ToWide(text);
    // With its terminating NUL, as RegSetValueExW asks for REG_SZ.
    DWORD bytes = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
    if (RegSetValueExW(key.Get(), ToWide(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                       bytes) != ERROR_SUCCESS)
        return -1;
    return 0;
}

int SetAutostart(bool on, const std::string& name) {
    KeyScope key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, ToWide(kRunKey).c_str(), 0, KEY_WRITE, key.Out()) != ERROR_SUCCESS) return -1;
    std::wstring valueName = ToWide(name);
    if (!on) return RegDeleteValueW(key.Get(), valueName.c_str()) == ERROR_SUCCESS ? 0 : -1;
    std::string path = ProgramPath();
    if (path.empty()) return -1;
    std::wstring data = ToWide(AutostartCommand(path));
    DWORD bytes = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(key.Get(), valueName.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                          bytes) == ERROR_SUCCESS
               ? 0
               : -1;
}

int EnterFolder(const std::string& folder) {
    std::wstring path = ToWide(folder);
    if (SetCurrentDirectoryW(path.c_str())) return 0;
    CreateDirectoryW(path.c_str(), nullptr);
    return SetCurrentDirectoryW(path.c_str()) ? 0 : -1;
}

std::string FullPathOf(const std::string& path) {
    std::wstring wide = ToWide(path);
    std::wstring full(MAX_PATH, L'\0');
    for (int tries = 0; tries < 4; ++tries) {
        DWORD n = GetFullPathNameW(wide.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
        if (n == 0) return {};
        if (n < full.size()) {
            full.resize(n);
            return ToUtf8(full);
        }
        full.resize(n); // n is the size needed, with its NUL
    }
    return {};
}

std::string ProgramPath() {
    // MAX_PATH is only a first guess: a longer path is cut silently, so grow until it fits.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return {};
        if (n < path.size()) {
            path.resize(n);
            return ToUtf8(path);
        }
        if (path.size() >= 32768) return {};
        path.resize(path.size() * 2);
    }
}

StoredText ReadStored(const char* name) {
    StoredText s;
    s.present = ReadSetting(kSettingsKey, name, &s.text) == 0;
    return s;
}

namespace {
BOOL CALLBACK AddWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(monitor, &info)) {
        const RECT& r = info.rcWork;
        reinterpret_cast<std::vector<ScreenArea>*>(data)->push_back({r.left, r.top, r.right, r.bottom});
    }
    return TRUE;
}
} // namespace

ScreenPoint PlaceOnMonitors(ScreenPoint pos, int width, int height, ScreenPoint fallback) {
    std::vector<ScreenArea> areas;
    EnumDisplayMonitors(nullptr, nullptr, AddWorkArea, reinterpret_cast<LPARAM>(&areas));
    RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return PlaceOnScreen(pos, width, height, areas.data(), static_cast<int>(areas.size()),
                         {work.left, work.top, work.right, work.bottom}, fallback);
}
