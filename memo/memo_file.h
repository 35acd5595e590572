// Whole-file operations for the memo files. Paths are UTF-8 ('/' or '\\' separators); on Windows they
// are opened through the wide API so non-ASCII folder names work under any code page.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Replaces the file with `size` bytes: they go to <path>.tmp, are flushed to disk, and the temporary
// file then replaces the old one in one step. 0, or −1 with the old file untouched and no temporary
// file left behind. A temporary file left by an earlier crash is overwritten.
int WriteWholeFile(const std::string& path, const void* data, size_t size);

// Creates a new file that must not exist yet: 0; 1 when the name is taken (nothing written); −1 on
// failure (a partly written file is removed).
int CreateNewFile(const std::string& path, const void* data, size_t size);

// Reads the whole file into `data`: 0, or −1 with `data` empty. `missing`, when given, tells whether
// the failure was simply that the file (or its folder) does not exist.
int ReadWholeFile(const std::string& path, std::string& data, bool* missing = nullptr);

// Deletes the file and any temporary file WriteWholeFile left beside it: 0 (also when there was
// nothing to delete), or −1 when the file is still there.
int RemoveFile(const std::string& path);

// Keeps the bytes now in the file as the first free <path>.bad, .bad2, ... before a file that could
// not be read whole is replaced: 0 when they are safe (or there is no file any more), −1 when they
// could not be kept (then the file must not be replaced).
int KeepDamagedCopy(const std::string& path);

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
