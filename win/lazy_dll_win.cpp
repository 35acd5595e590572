#include "win/lazy_dll.h"

#include <shellapi.h>

#include <string>

FARPROC LazyProc(const wchar_t* dll, const char* name) {
    // A full path, never the search order: a DLL of that name beside the program is not ours.
    wchar_t system[MAX_PATH];
    UINT n = GetSystemDirectoryW(system, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return nullptr;
    std::wstring path = std::wstring(system, n) + L"\\" + dll;
    // Loaded once per process in effect: a loaded DLL only has its count raised.
    HMODULE module = GetModuleHandleW(path.c_str());
    if (!module) module = LoadLibraryW(path.c_str());
    return module ? GetProcAddress(module, name) : nullptr;
}

bool ShellOpen(HWND owner, const wchar_t* target) {
    static const auto open = LazyFunction<decltype(&ShellExecuteW)>(L"shell32.dll", "ShellExecuteW");
    if (!open) return false;
    return reinterpret_cast<INT_PTR>(open(owner, L"open", target, nullptr, nullptr, SW_SHOW)) > 32;
}
