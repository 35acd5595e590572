// Whole-file operations for the memo files. Paths are UTF-8 ('/' or '\\' separators); on Windows they
// are opened through the wide API so non-ASCII folder names work under any code page, and an absolute
// path too long for the classic limit goes through the long-path form.
//
// Steps that another program's brief hold can make fail (see save_retry.h) are tried again within the
// caller's retry budget; a file that is read-only, missing or offline fails at once.
#pragma once

#include "memo/save_retry.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Replaces the file with `size` bytes: they go to <path>.tmp, are flushed to disk, and the temporary
// file then replaces the old one in one step (never by deleting the old one first). 0, or −1 with the
// old file untouched and no temporary file left behind; `fault` then says why. A temporary file left
// by an earlier crash is overwritten.
int WriteWholeFile(const std::string& path, const void* data, size_t size, const RetryPolicy& retry = kRideOutHolds,
                   FileFault* fault = nullptr);

// Creates a new file that must not exist yet: 0; 1 when the name is taken (nothing written); −1 on
// failure (a partly written file is removed).
int CreateNewFile(const std::string& path, const void* data, size_t size);

// Reads the whole file into `data`: 0, or −1 with `data` empty and `fault` (when given) saying why:
// Missing when the file or its folder does not exist, Offline for a cloud file that cannot be fetched.
int ReadWholeFile(const std::string& path, std::string& data, FileFault* fault,
                  const RetryPolicy& retry = kRideOutHolds);
// As above; `missing`, when given, tells whether the failure was simply that the file is not there.
inline int ReadWholeFile(const std::string& path, std::string& data, bool* missing = nullptr) {
    FileFault fault = FileFault::None;
    int rc = ReadWholeFile(path, data, &fault);
    if (missing) *missing = fault == FileFault::Missing;
    return rc;
}

// Deletes the file and any temporary file WriteWholeFile left beside it: 0 (also when there was
// nothing to delete), or −1 when the file is still there.
int RemoveFile(const std::string& path, const RetryPolicy& retry = kRideOutHolds);

// Makes the folder (its parent must exist): 0 when it is there afterwards.
int MakeFolder(const std::string& path);

// Keeps the bytes now in the file as the first free <path>.bad, .bad2, ... before a file that could
// not be read whole is replaced: 0 when they are safe (or there is no file any more), −1 when they
// could not be kept (then the file must not be replaced).
int KeepDamagedCopy(const std::string& path, const RetryPolicy& retry = kRideOutHolds);

// Writes `data` to the first free name of <path><suffix>, <path><suffix>2, ...: 0, or −1.
int KeepCopy(const std::string& path, const std::string& suffix, const std::string& data);

// The names of the plain files in `folder` (not its folders), in no particular order: 0, or −1.
int ListFiles(const std::string& folder, std::vector<std::string>& names);

// Moves a file to a name that must not exist yet (same volume): 0; 1 when the name is taken; −1.
int MoveFileTo(const std::string& from, const std::string& to);

// Whether `path` names an existing folder.
bool FolderExists(const std::string& path);

// Name of the temporary file WriteWholeFile uses for `path`.
std::string TempPathFor(const std::string& path);

// What tells one version of a file from the next without reading it.
struct FileStamp {
    bool exists = false;
    uint64_t size = 0;
    int64_t modified = 0; // last write, in the platform's own ticks

    bool operator==(const FileStamp& o) const { return exists == o.exists && size == o.size && modified == o.modified; }
    bool operator!=(const FileStamp& o) const { return !(*this == o); }
};

// The file's stamp; `exists` false when there is no such file (or it cannot be looked at).
FileStamp StampOf(const std::string& path);

// The Windows long-path form of an absolute path, which the wide calls take past the classic length
// limit: C:/a/b gives \\?\C:\a\b and //server/share/a gives \\?\UNC\server\share\a. That form is taken
// literally, so separators become backslashes and repeated ones, "." and ".." steps are resolved
// here. A path already in that form stays as it is; a relative one gives "".
std::string ExtendedLengthPath(const std::string& path);
