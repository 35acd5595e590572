// lunoria-hold FILE SECONDS [READY]: holds FILE as a scanner or sync client does (reading, sharing reading
// and writing, not deletion: nobody can replace or delete it); READY is made once it is held. 2: no FILE.
#include <windows.h>

#include <cwchar>

int wmain(int argc, wchar_t** argv) {
    HANDLE file = argc < 3 ? INVALID_HANDLE_VALUE
                           : CreateFileW(argv[1], GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 2;
    if (argc > 3) CloseHandle(CreateFileW(argv[3], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    Sleep(static_cast<DWORD>(_wtof(argv[2]) * 1000));
    return CloseHandle(file) ? 0 : 2;
}
