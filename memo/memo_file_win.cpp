#include "memo/memo_file.h"

#include <windows.h>

namespace {

// UTF-8 path to a wide path with backslashes. Kept local: the file layer stands on its own.
std::wstring WidePath(const std::string& path) {
    std::wstring wide;
    if (path.empty()) return wide;
    int n = MultiByteToWideChar(CP_UTF8, 0, path.data(), static_cast<int>(path.size()), nullptr, 0);
    if (n <= 0) return wide;
    wide.resize(static_cast<size_t>(n));
    MultiByteToWideChar(CP_UTF8, 0, path.data(), static_cast<int>(path.size()), &wide[0], n);
    for (wchar_t& c : wide)
        if (c == L'/') c = L'\\';
    return wide;
}

bool IsMissing(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

bool WriteAll(HANDLE file, const void* data, size_t size) {
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        DWORD chunk = size > 0x10000000 ? 0x10000000 : static_cast<DWORD>(size);
        DWORD written = 0;
        if (!WriteFile(file, p, chunk, &written, nullptr) || written == 0) return false;
        p += written;
        size -= written;
    }
    return true;
}

// Writes, flushes to disk and closes; false if any step failed.
bool WriteFlushClose(HANDLE file, const void* data, size_t size) {
    bool ok = WriteAll(file, data, size) && FlushFileBuffers(file);
    return CloseHandle(file) && ok;
}

} // namespace

int WriteWholeFile(const std::string& path, const void* data, size_t size) {
    std::wstring target = WidePath(path);
    std::wstring temp = WidePath(TempPathFor(path));
    if (target.empty()) return -1;
    // A file the user made read-only stays as it is. Windows refuses to replace it; Wine would
    // rename over it.
    DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return -1;
    HANDLE file = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        // A leftover from a crash may be read-only; clear it and try once more.
        SetFileAttributesW(temp.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(temp.c_str());
        file = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return -1;
    }
    if (WriteFlushClose(file, data, size) &&
        MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return 0;
    DeleteFileW(temp.c_str());
    return -1;
}

int CreateNewFile(const std::string& path, const void* data, size_t size) {
    std::wstring wide = WidePath(path);
    if (wide.empty()) return -1;
    HANDLE file = CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ? 1 : -1;
    }
    if (WriteFlushClose(file, data, size)) return 0;
    DeleteFileW(wide.c_str());
    return -1;
}

int ReadWholeFile(const std::string& path, std::string& data, bool* missing) {
    data.clear();
    if (missing) *missing = false;
    std::wstring wide = WidePath(path);
    if (wide.empty()) return -1;
    HANDLE file = CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        if (missing) *missing = IsMissing(GetLastError());
        return -1;
    }
    LARGE_INTEGER size;
    if (GetFileSizeEx(file, &size) && size.QuadPart > 0 && static_cast<unsigned long long>(size.QuadPart) < 0x40000000)
        data.reserve(static_cast<size_t>(size.QuadPart));
    // Read to the end rather than trusting the size taken before.
    char chunk[65536];
    for (;;) {
        DWORD n = 0;
        if (!ReadFile(file, chunk, sizeof chunk, &n, nullptr)) {
            CloseHandle(file);
            data.clear();
            return -1;
        }
        if (n == 0) break;
        data.append(chunk, n);
    }
    CloseHandle(file);
    return 0;
}

int RemoveFile(const std::string& path) {
    std::wstring wide = WidePath(path);
    if (wide.empty()) return -1;
    DeleteFileW(WidePath(TempPathFor(path)).c_str());
    if (DeleteFileW(wide.c_str()) || IsMissing(GetLastError())) return 0;
    return -1;
}

bool FolderExists(const std::string& path) {
    std::wstring wide = WidePath(path);
    DWORD attributes = wide.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(wide.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

FileStamp StampOf(const std::string& path) {
    FileStamp stamp;
    WIN32_FILE_ATTRIBUTE_DATA data;
    std::wstring wide = WidePath(path);
    if (wide.empty() || !GetFileAttributesExW(wide.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return stamp;
    stamp.exists = true;
    stamp.size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    stamp.modified = static_cast<int64_t>((static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                                          data.ftLastWriteTime.dwLowDateTime);
    return stamp;
}
