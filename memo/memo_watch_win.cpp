#include "memo/memo_watch.h"

#include "memo/memo_file.h"

#include <windows.h>

namespace {

// Small: a network folder refuses buffers over 64 KB, and a full buffer only means "look again".
constexpr DWORD kBufferBytes = 4096;
constexpr DWORD kWhat = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_SIZE;

std::wstring WideFolder(const std::string& path) {
    std::string p = path.size() >= MAX_PATH - 12 ? ExtendedLengthPath(path) : path;
    if (p.empty()) p = path;
    int n = MultiByteToWideChar(CP_UTF8, 0, p.data(), static_cast<int>(p.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0) MultiByteToWideChar(CP_UTF8, 0, p.data(), static_cast<int>(p.size()), &wide[0], n);
    for (wchar_t& c : wide)
        if (c == L'/') c = L'\\';
    return wide;
}

} // namespace

struct FolderWatch::Folder {
    HANDLE dir = INVALID_HANDLE_VALUE;
    OVERLAPPED overlapped{};
    bool reading = false;
    alignas(DWORD) unsigned char buffer[kBufferBytes];

    explicit Folder(const std::string& path) {
        overlapped.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        dir = CreateFileW(WideFolder(path).c_str(), FILE_LIST_DIRECTORY,
                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                          FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr);
        Read();
    }
    ~Folder() {
        if (reading) {
            CancelIo(dir);
            DWORD n = 0;
            GetOverlappedResult(dir, &overlapped, &n, TRUE); // the buffer must outlive the read
        }
        if (dir != INVALID_HANDLE_VALUE) CloseHandle(dir);
        if (overlapped.hEvent) CloseHandle(overlapped.hEvent);
    }
    // Some file systems answer ERROR_INVALID_FUNCTION: the folder then has no watch.
    void Read() {
        reading = false;
        if (dir == INVALID_HANDLE_VALUE || !overlapped.hEvent) return;
        ResetEvent(overlapped.hEvent);
        reading = ReadDirectoryChangesW(dir, buffer, sizeof buffer, FALSE, kWhat, nullptr, &overlapped, nullptr) != 0;
    }
    // The read ended (whatever it holds: a change, a full buffer, an error): look again, read on.
    bool Ended() {
        if (!reading || WaitForSingleObject(overlapped.hEvent, 0) != WAIT_OBJECT_0) return false;
        DWORD n = 0;
        GetOverlappedResult(dir, &overlapped, &n, FALSE);
        Read();
        return true;
    }
};

FolderWatch::FolderWatch() = default;
FolderWatch::~FolderWatch() = default;

bool FolderWatch::Start(const std::vector<std::string>& paths) {
    folders.clear();
    for (const std::string& path : paths)
        folders.push_back(std::make_unique<Folder>(path));
    return Active();
}

bool FolderWatch::Changed() {
    bool changed = false;
    for (auto& folder : folders)
        changed = folder->Ended() || changed;
    return changed;
}

bool FolderWatch::Active() const {
    if (folders.empty()) return false;
    for (const auto& folder : folders)
        if (!folder->reading) return false;
    return true;
}
