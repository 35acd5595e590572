#include "tools/cal/console.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <shellapi.h>

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

std::string Utf8Argument(char** argv, int index) {
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::string text;
    if (!wide || index >= count) {
        text = argv[index];
    } else if (int n = WideCharToMultiByte(CP_UTF8, 0, wide[index], -1, nullptr, 0, nullptr, nullptr); n > 1) {
        text.resize(static_cast<size_t>(n - 1));
        WideCharToMultiByte(CP_UTF8, 0, wide[index], -1, text.data(), n, nullptr, nullptr);
    }
    LocalFree(wide);
    return text;
}
