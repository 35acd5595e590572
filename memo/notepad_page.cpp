#include "memo/notepad_page.h"

#include "memo/memo_file.h"
#include "memo/memo_merge.h"

#include <cstdint>

std::string NotepadPagePath(const std::string& memoRoot, const std::string& name) {
    return memoRoot + "/备忘/" + name;
}

std::string UnsavedPagePath(const std::string& memoRoot, const std::string& name) {
    return NotepadPagePath(memoRoot, name) + ".unsaved";
}

namespace {

// The text up to the first NUL, as the edit control would show it.
int ReadPageText(const std::string& path, std::string& text, FileFault* fault) {
    FileFault local = FileFault::None;
    if (!fault) fault = &local;
    if (ReadWholeFile(path, text, fault) != 0) return *fault == FileFault::Missing ? 0 : -1;
    size_t nul = text.find('\0');
    if (nul != std::string::npos) text.resize(nul);
    return 0;
}

} // namespace

int LoadNotepadPage(const std::string& memoRoot, const std::string& name, std::string& text, FileFault* fault) {
    text.clear();
    if (fault) *fault = FileFault::None;
    if (memoRoot.empty()) return 0;
    return ReadPageText(NotepadPagePath(memoRoot, name), text, fault);
}

int SaveNotepadPage(const std::string& memoRoot, const std::string& name, const std::string& text, KeepAside keep,
                    const RetryPolicy& retry) {
    if (memoRoot.empty()) return -1;
    std::string path = NotepadPagePath(memoRoot, name);
    if (keep == KeepAside::Damaged && KeepDamagedCopy(path, retry) != 0) return -1;
    if (keep == KeepAside::Older) {
        std::string old;
        FileFault fault = FileFault::None;
        if (ReadWholeFile(path, old, &fault, retry) != 0) {
            if (fault != FileFault::Missing) return -1;
        } else if (old != text && KeepCopy(path, ".old", old) != 0) {
            return -1;
        }
    }
    if (text.empty()) return RemoveFile(path, retry);
    return WriteWholeFile(path, text.data(), text.size(), retry);
}

NotepadStart LoadNotepadStart(const std::string& memoRoot, const std::string& name) {
    NotepadStart start;
    LoadNotepadPage(memoRoot, name, start.text, &start.pageFault);
    start.onDisk = start.text;
    if (memoRoot.empty()) return start;
    std::string unsaved;
    FileFault fault = FileFault::None;
    if (ReadPageText(UnsavedPagePath(memoRoot, name), unsaved, &fault) != 0 || fault == FileFault::Missing)
        return start;
    const bool pageRead = start.pageFault == FileFault::None || start.pageFault == FileFault::Missing;
    if (pageRead && unsaved == start.text) {
        // The page holds it already (it was saved after all): nothing to take up.
        RemoveFile(UnsavedPagePath(memoRoot, name), kOneAttempt);
        return start;
    }
    start.text = unsaved;
    start.recovered = true;
    return start;
}

int KeepUnsavedPage(const std::string& memoRoot, const std::string& name, const std::string& text,
                    bool replaceUnsaved) {
    if (memoRoot.empty()) return -1;
    const std::string path = UnsavedPagePath(memoRoot, name);
    std::string there;
    FileFault fault = FileFault::None;
    const bool free = ReadWholeFile(path, there, &fault) != 0 && fault == FileFault::Missing;
    if (!free && !replaceUnsaved && fault == FileFault::None && there == text) return 0;
    if (free || replaceUnsaved) return WriteWholeFile(path, text.data(), text.size());
    return KeepCopy(NotepadPagePath(memoRoot, name), ".unsaved", text);
}

std::string PageAfterChange(const std::string& shown, const std::string& base, const std::string& now, bool unsaved) {
    if (now == base) return shown;
    if (!unsaved) return now;
    return MergeTexts(shown, {now}, SIZE_MAX, nullptr);
}
