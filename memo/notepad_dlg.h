#pragma once

#include "win/dialog.h"

#include <functional>
#include <string>

// The notepad beside the calendar: a small borderless window headed "记事小本" holding one free text,
// the page "default", which is on disk after every change. The calendar creates it hidden, shows it,
// and hides it again when "-" is pressed (`onHide`); Enter, Esc and Alt+F4 do nothing. It is dragged
// by its background and remembers its place in MemoX / MemoY.
class NotepadDlg : public Dialog {
public:
    // memoRoot: the memo folder the page lives in; onHide: the owner hides the notepad.
    NotepadDlg(std::string memoRoot, std::function<void()> onHide);

    // Where the notepad goes while MemoX is not stored.
    void SetDefaultPosition(int x, int y);
    // Creates the window, hidden, at its stored place with the stored page.
    bool Create(HWND owner);
    // False while the text on screen is not on disk (the last save failed); the heading says so.
    bool Saved() const { return saved; }

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
    void ShowSaved(bool ok);

    std::string memoRoot;
    std::function<void()> onHide;
    std::string pageText; // code-page-936 bytes, as in the file
    bool ready = false;
    int defaultX = 500;
    int defaultY = 500;
    bool saved = true;
    bool pageUnread = false; // the page file was there but could not be read: keep it aside before a save
    HWND heading = nullptr;
};
