#pragma once

#include "memo/memo_file.h"
#include "memo/notepad_page.h"
#include "win/dialog.h"

#include <functional>
#include <string>

// The notepad beside the calendar: a small borderless window headed "记事小本" holding one free text,
// the page "default", which is on disk after every change. The calendar creates it hidden, shows it,
// and hides it again when "-" is pressed (`onHide`); Enter, Esc and Alt+F4 do nothing. It is dragged
// by its background and remembers its place in MemoX / MemoY.
//
// A keystroke never waits: each change is saved with one attempt. A page that could not be saved (another
// program holds the file) stays pending, and the heading says "（未保存）", until a later change or the
// calendar's clock tick (RetryPendingSave) lands it; at the end SaveBeforeExit tries with the full retry
// budget and, failing that, keeps the text beside the page (see notepad_page.h).
class NotepadDlg : public Dialog {
public:
    // memoRoot: the memo folder the page lives in; onHide: the owner hides the notepad.
    NotepadDlg(std::string memoRoot, std::function<void()> onHide);

    // Where the notepad goes while MemoX is not stored.
    void SetDefaultPosition(int x, int y);
    // Creates the window, hidden, at its stored place with the stored page.
    bool Create(HWND owner);
    // False while the text on screen is not on disk (the last save failed); the heading says so.
    bool Saved() const { return !pending; }
    // One more attempt at a pending page; the calendar calls it on every clock tick.
    void RetryPendingSave();
    // The page file may have changed elsewhere (a synced folder): with nothing unsaved the notepad shows
    // the file's text; with unsaved typing both texts are kept, its own first, and saved.
    void RefreshPage();
    // The program ends: a pending page gets the full retry budget, then goes to default.unsaved.
    void SaveBeforeExit();
    // The page file could not be read at the start because it is a cloud file whose provider is not
    // running.
    bool PageOffline() const { return pageFault == FileFault::Offline; }

protected:
    bool OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
    LRESULT OnMove(int x, int y) override;
    LRESULT OnLButtonDown(int x, int y, UINT keys) override;
    LRESULT OnCommand(int id, int code, HWND control) override;
    void OnScaleChanged(int oldDpi) override;

private:
    void FitPage();
    void PlaceAtStoredPosition();
    void SaveText();
    bool TrySave(const RetryPolicy& retry);
    void ShowHeading();
    // True, with the file's text in `now`, when the page file changed since it was read or written here;
    // its bytes are read when its stamp moved, or always for a save (a stamp may stay the same).
    bool PageChanged(std::string& now, bool evenSameStamp);
    void ShowPageText();
    void NoteDisk(const std::string& text);

    std::string memoRoot;
    std::function<void()> onHide;
    std::string pageText; // code-page-936 bytes, as in the file
    bool ready = false;
    int defaultX = 500;
    int defaultY = 500;
    bool pending = false;                  // the text on screen is not on disk yet
    KeepAside keepAside = KeepAside::None; // what to keep of the page file before it is first replaced
    FileFault pageFault = FileFault::None; // why the page file could not be read at the start
    bool recovered = false;                // the text came from default.unsaved this run
    bool dropUnsaved = false;              // default.unsaved goes once a save of the page lands
    bool edited = false;                   // the user changed the text this run
    std::string diskText;                  // the page file's text as last read or written here
    FileStamp diskStamp;                   // and its stamp then
    bool settingText = false;              // the page shows a text from the file: no save
    std::string headingShown;
    HWND heading = nullptr;
};
