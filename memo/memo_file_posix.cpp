#include "memo/memo_file.h"

#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool WriteAll(int fd, const void* data, size_t size) {
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        ssize_t n = write(fd, p, size);
        if (n < 0 && errno == EINTR) continue;
        // ENOSPC, EFBIG, EIO: the caller drops the partial file.
        if (n <= 0) return false;
        p += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

// Writes, flushes to disk and closes; false if any step failed.
bool WriteSyncClose(int fd, const void* data, size_t size) {
    bool ok = WriteAll(fd, data, size) && fsync(fd) == 0;
    return close(fd) == 0 && ok;
}

// Makes a rename durable: the folder's entry must reach the disk too.
void SyncFolderOf(const std::string& path) {
    size_t slash = path.find_last_of('/');
    std::string dir = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    int fd = open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

} // namespace

int WriteWholeFile(const std::string& path, const void* data, size_t size, const RetryPolicy& policy,
                   FileFault* fault) {
    FileFault ignored;
    if (!fault) fault = &ignored;
    *fault = FileFault::Other;
    std::string temp = TempPathFor(path);
    SaveRetry retry(policy);
    int fd;
    for (;;) {
        // A leftover from a crash may carry odd permissions; start afresh.
        unlink(temp.c_str());
        fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (fd >= 0 || !retry.Again(FaultFromErrno(errno))) break;
    }
    if (fd < 0) {
        *fault = retry.last();
        return -1;
    }
    if (!WriteSyncClose(fd, data, size)) {
        unlink(temp.c_str());
        return -1;
    }
    int moved;
    while ((moved = rename(temp.c_str(), path.c_str())) != 0 && retry.Again(FaultFromErrno(errno))) {
    }
    if (moved == 0) {
        SyncFolderOf(path);
        *fault = FileFault::None;
        return 0;
    }
    *fault = retry.last();
    unlink(temp.c_str());
    return -1;
}

int CreateNewFile(const std::string& path, const void* data, size_t size) {
    int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return errno == EEXIST ? 1 : -1;
    if (WriteSyncClose(fd, data, size)) {
        SyncFolderOf(path);
        return 0;
    }
    unlink(path.c_str());
    return -1;
}

int ReadWholeFile(const std::string& path, std::string& data, FileFault* fault, const RetryPolicy& policy) {
    FileFault ignored;
    if (!fault) fault = &ignored;
    *fault = FileFault::Other;
    data.clear();
    SaveRetry retry(policy);
    int fd;
    while ((fd = open(path.c_str(), O_RDONLY | O_CLOEXEC)) < 0 && retry.Again(FaultFromErrno(errno))) {
    }
    if (fd < 0) {
        *fault = retry.last();
        return -1;
    }
    struct stat st;
    if (fstat(fd, &st) == 0 && st.st_size > 0) data.reserve(static_cast<size_t>(st.st_size));
    // Read to the end rather than trusting the size taken before.
    char chunk[65536];
    for (;;) {
        ssize_t n = read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            close(fd);
            data.clear();
            return -1;
        }
        if (n == 0) break;
        data.append(chunk, static_cast<size_t>(n));
    }
    close(fd);
    *fault = FileFault::None;
    return 0;
}

int RemoveFile(const std::string& path, const RetryPolicy& policy) {
    unlink(TempPathFor(path).c_str());
    SaveRetry retry(policy);
    for (;;) {
        if (unlink(path.c_str()) == 0) return 0;
        FileFault fault = FaultFromErrno(errno);
        if (fault == FileFault::Missing) return 0;
        if (!retry.Again(fault)) return -1;
    }
}

int MakeFolder(const std::string& path) {
    mkdir(path.c_str(), 0777);
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) ? 0 : -1;
}

bool FolderExists(const std::string& path) {
    struct stat info;
    return !path.empty() && stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

FileStamp StampOf(const std::string& path) {
    FileStamp stamp;
    struct stat st;
    if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return stamp;
    stamp.exists = true;
    stamp.size = static_cast<uint64_t>(st.st_size);
    stamp.modified = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    return stamp;
}

int ListFiles(const std::string& folder, std::vector<std::string>& names) {
    names.clear();
    DIR* dir = opendir(folder.c_str());
    if (!dir) return -1;
    while (const dirent* entry = readdir(dir)) {
        struct stat st;
        std::string name = entry->d_name;
        if (stat((folder + "/" + name).c_str(), &st) == 0 && S_ISREG(st.st_mode)) names.push_back(name);
    }
    closedir(dir);
    return 0;
}

int MoveFileTo(const std::string& from, const std::string& to) {
    // link refuses a name that is taken, which rename would replace.
    if (link(from.c_str(), to.c_str()) != 0) return errno == EEXIST ? 1 : -1;
    if (unlink(from.c_str()) == 0) {
        SyncFolderOf(to);
        return 0;
    }
    unlink(to.c_str());
    return -1;
}
