#include "tools/cal/console.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#ifndef ENABLE_VIRTUAL_TERMINAL_PROCESSING
#define ENABLE_VIRTUAL_TERMINAL_PROCESSING 0x0004
#endif

bool PrepareConsole() {
    // The program writes UTF-8; without this the console shows it in the OEM code page.
    SetConsoleOutputCP(CP_UTF8);
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    if (out == INVALID_HANDLE_VALUE || !GetConsoleMode(out, &mode) || std::getenv("NO_COLOR")) return false;
    // Consoles before Windows 10 reject the flag; they get brackets instead of reverse video.
    return SetConsoleMode(out, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0;
}

void UseBinaryOutput() {
    std::fflush(stdout);
    _setmode(_fileno(stdout), _O_BINARY);
}

namespace {

std::string Utf8(const wchar_t* wide) {
    int n = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (n <= 1) return {};
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, out.data(), n, nullptr, nullptr);
    out.resize(static_cast<size_t>(n - 1));
    return out;
}

} // namespace

std::string DocumentsFolder() {
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
    return Utf8(path);
}

std::string Utf8Argument(char** argv, int index) {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::string out = wide && index < count ? Utf8(wide[index]) : std::string(argv[index]);
    LocalFree(wide);
    return out;
}
