#include "memo/memo_file.h"

#include <windows.h>

namespace {

// CreateDirectoryW's limit, the lowest of the calls below (CreateFileW and the rest take MAX_PATH).
constexpr size_t kClassicLimit = MAX_PATH - 12;

std::wstring Wide(const std::string& text) {
    std::wstring wide;
    if (text.empty()) return wide;
    int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (n <= 0) return wide;
    wide.resize(static_cast<size_t>(n));
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &wide[0], n);
    return wide;
}

// UTF-8 path to a wide path with backslashes; an absolute one too long for the classic calls in the
// long-path form. Kept local: the file layer stands on its own.
std::wstring WidePath(const std::string& path) {
    std::wstring wide = Wide(path);
    for (wchar_t& c : wide)
        if (c == L'/') c = L'\\';
    if (wide.size() < kClassicLimit) return wide;
    std::string extended = ExtendedLengthPath(path);
    return extended.empty() ? wide : Wide(extended);
}

FileFault LastFault() {
    return FaultFromWin32(GetLastError());
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

HANDLE CreateTemp(const std::wstring& temp) {
    HANDLE file = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) return file;
    // A leftover from a crash may be read-only; clear it and try once more.
    SetFileAttributesW(temp.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(temp.c_str());
    return CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

} // namespace

int WriteWholeFile(const std::string& path, const void* data, size_t size, const RetryPolicy& policy,
                   FileFault* fault) {
    FileFault ignored;
    if (!fault) fault = &ignored;
    *fault = FileFault::Other;
    std::wstring target = WidePath(path);
    std::wstring temp = WidePath(TempPathFor(path));
    if (target.empty()) return -1;
    // A file the user made read-only stays as it is, at once. Windows refuses to replace it; Wine
    // would rename over it.
    DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        *fault = FileFault::ReadOnly;
        return -1;
    }
    SaveRetry retry(policy);
    HANDLE file;
    while ((file = CreateTemp(temp)) == INVALID_HANDLE_VALUE && retry.Again(LastFault())) {
    }
    if (file == INVALID_HANDLE_VALUE) {
        *fault = retry.last();
        return -1;
    }
    if (!WriteFlushClose(file, data, size)) {
        DeleteFileW(temp.c_str());
        return -1;
    }
    // The replace is one step: a sync client never sees the memo file missing, and a holder that
    // lets go within the budget finds the new file in place.
    BOOL moved;
    while (!(moved = MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) &&
           retry.Again(LastFault())) {
    }
    if (moved) {
        *fault = FileFault::None;
        return 0;
    }
    *fault = retry.last();
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

int ReadWholeFile(const std::string& path, std::string& data, FileFault* fault, const RetryPolicy& policy) {
    FileFault ignored;
    if (!fault) fault = &ignored;
    *fault = FileFault::Other;
    data.clear();
    std::wstring wide = WidePath(path);
    if (wide.empty()) return -1;
    SaveRetry retry(policy);
    HANDLE file;
    while ((file = CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                               nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) == INVALID_HANDLE_VALUE &&
           retry.Again(LastFault())) {
    }
    if (file == INVALID_HANDLE_VALUE) {
        *fault = retry.last();
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
            // A cloud placeholder may open and then fail here, when its contents are fetched.
            *fault = LastFault();
            CloseHandle(file);
            data.clear();
            return -1;
        }
        if (n == 0) break;
        data.append(chunk, n);
    }
    CloseHandle(file);
    *fault = FileFault::None;
    return 0;
}

int RemoveFile(const std::string& path, const RetryPolicy& policy) {
    std::wstring wide = WidePath(path);
    if (wide.empty()) return -1;
    DeleteFileW(WidePath(TempPathFor(path)).c_str());
    SaveRetry retry(policy);
    for (;;) {
        if (DeleteFileW(wide.c_str())) return 0;
        FileFault fault = LastFault();
        if (fault == FileFault::Missing) return 0;
        if (!retry.Again(fault)) return -1;
    }
}

int MakeFolder(const std::string& path) {
    std::wstring wide = WidePath(path);
    if (wide.empty()) return -1;
    CreateDirectoryW(wide.c_str(), nullptr);
    DWORD attributes = GetFileAttributesW(wide.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) ? 0 : -1;
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

int ListFiles(const std::string& folder, std::vector<std::string>& names) {
    names.clear();
    std::wstring pattern = WidePath(folder + "\\*");
    WIN32_FIND_DATAW found;
    HANDLE find = pattern.empty() ? INVALID_HANDLE_VALUE : FindFirstFileW(pattern.c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return -1;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        const int n = WideCharToMultiByte(CP_UTF8, 0, found.cFileName, -1, nullptr, 0, nullptr, nullptr);
        if (n <= 1) continue;
        std::string name(static_cast<size_t>(n - 1), '\0');
        WideCharToMultiByte(CP_UTF8, 0, found.cFileName, -1, &name[0], n, nullptr, nullptr);
        names.push_back(name);
    } while (FindNextFileW(find, &found));
    FindClose(find);
    return 0;
}

int MoveFileTo(const std::string& from, const std::string& to) {
    std::wstring source = WidePath(from), target = WidePath(to);
    if (source.empty() || target.empty()) return -1;
    if (MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH)) return 0;
    DWORD error = GetLastError();
    return error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS ? 1 : -1;
}
