// The notepad's pages. A page named n lives in <memo folder>/备忘/n and holds exactly the text's
// code-page-936 bytes (line breaks CR LF): no header, no length, no terminator. An empty page has no
// file. Every save replaces the whole file through the crash-safe write of memo_file.h.
#pragma once

#include <string>

// The notepad's one page.
constexpr char kNotepadPage[] = "default";

std::string NotepadPagePath(const std::string& memoRoot, const std::string& name);

// The page's text: the file's bytes up to the first NUL (another program may have written one).
// No file gives an empty text. 0, or −1 when the file is there but cannot be read (text empty).
int LoadNotepadPage(const std::string& memoRoot, const std::string& name, std::string& text);

// Writes `text` as the whole file, or removes the file when `text` is empty: 0, or −1 with the old
// file as it was. Without a memo folder there is nowhere to write: −1.
int SaveNotepadPage(const std::string& memoRoot, const std::string& name, const std::string& text);
