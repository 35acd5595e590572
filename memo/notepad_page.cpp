#include "memo/notepad_page.h"

#include "memo/memo_file.h"

std::string NotepadPagePath(const std::string& memoRoot, const std::string& name) {
    return memoRoot + "/备忘/" + name;
}

int LoadNotepadPage(const std::string& memoRoot, const std::string& name, std::string& text) {
    text.clear();
    if (memoRoot.empty()) return 0;
    bool missing = false;
    if (ReadWholeFile(NotepadPagePath(memoRoot, name), text, &missing) != 0) return missing ? 0 : -1;
    size_t nul = text.find('\0');
    if (nul != std::string::npos) text.resize(nul);
    return 0;
}

int SaveNotepadPage(const std::string& memoRoot, const std::string& name, const std::string& text) {
    if (memoRoot.empty()) return -1;
    std::string path = NotepadPagePath(memoRoot, name);
    if (text.empty()) return RemoveFile(path);
    return WriteWholeFile(path, text.data(), text.size());
}
