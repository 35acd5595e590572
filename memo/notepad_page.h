// The notepad's pages. A page named n lives in <memo folder>/备忘/n and holds exactly the text's
// code-page-936 bytes (line breaks CR LF): no header, no length, no terminator. An empty page has no
// file. Every save replaces the whole file through the crash-safe write of memo_file.h.
//
// A text the program could not save before it ended (the page was held past the last retries) is kept
// as n.unsaved beside the page, in the same format (an empty one stands for an emptied page). The next
// start takes it up as the page's text; it is saved over the page at the first chance, the old page's
// bytes kept aside as n.old first, and then n.unsaved goes.
#pragma once

#include "memo/save_retry.h"

#include <string>

// The notepad's one page.
constexpr char kNotepadPage[] = "default";

std::string NotepadPagePath(const std::string& memoRoot, const std::string& name);
std::string UnsavedPagePath(const std::string& memoRoot, const std::string& name);

// The page's text: the file's bytes up to the first NUL (another program may have written one).
// No file gives an empty text. 0, or −1 when the file is there but cannot be read (text empty;
// `fault` says why).
int LoadNotepadPage(const std::string& memoRoot, const std::string& name, std::string& text,
                    FileFault* fault = nullptr);

// What a save keeps of the page file before it first replaces it.
enum class KeepAside {
    None,
    Damaged, // the file could not be read when it was loaded: its bytes go to n.bad (and nothing is
             // written while they cannot be), so the user's earlier page is never replaced unseen
    Older,   // the page shows a recovered n.unsaved: the file's older text goes to n.old
};

// Writes `text` as the whole file, or removes the file when `text` is empty: 0, or −1 with the old
// file as it was. Without a memo folder there is nowhere to write: −1.
int SaveNotepadPage(const std::string& memoRoot, const std::string& name, const std::string& text,
                    KeepAside keep = KeepAside::None, const RetryPolicy& retry = kRideOutHolds);

// What the notepad starts with.
struct NotepadStart {
    std::string text;
    std::string onDisk;                    // the page file's text (what `text` is unless it was recovered)
    FileFault pageFault = FileFault::None; // why the page file could not be read (None, Missing: it could)
    bool recovered = false;                // `text` comes from n.unsaved: it still has to be saved over the page
};
NotepadStart LoadNotepadStart(const std::string& memoRoot, const std::string& name);

// The page file changed elsewhere (another computer) from `base`, the text last read or written here, to
// `now`. Without unsaved typing the notepad shows `now`; with it, its own text `shown` stays first and the
// file's goes below the merge mark (memo_merge.h). The text to show and save.
std::string PageAfterChange(const std::string& shown, const std::string& base, const std::string& now, bool unsaved);

// At the end, when the page could not be saved: keeps `text` as n.unsaved, crash-safe. An n.unsaved
// there already is replaced only when `replaceUnsaved` (its text was taken up this run) or when it holds
// this very text; otherwise the text goes to the first free n.unsaved2, n.unsaved3, ... 0, or −1.
int KeepUnsavedPage(const std::string& memoRoot, const std::string& name, const std::string& text, bool replaceUnsaved);
