// Pieces the day memo editor and the weekly reminder share: their captions, the colour chooser and the
// message shown when a memo could not be saved.
#pragma once

#include "win/gdi.h"
#include "win/link_label.h"

#include <cstdint>
#include <initializer_list>
#include <string>

// The run-time controls of the memo dialogs were laid out in the pixels of a dialog whose template
// font gives 2 pixels per dialog unit across and 2.5 down (dialog base units 8 × 20). Placed at those
// fixed pixels in a dialog of any other font or screen, they would miss the edit controls they belong
// to, or fall outside the dialog. This scales such a rectangle to the dialog's own base units, and
// leaves it as drawn where they match.
RECT DrawnRect(HWND dialog, const RECT& drawn);

// A static text child of `dialog` at a drawn rectangle (see DrawnRect), in `font`, shown. Its window text is the
// caption, so accessibility tools read it. The font is ours: a DPI change gives it a new one (SetCaptionFont).
HWND CreateCaption(HWND dialog, int id, const RECT& drawn, const std::string& text, HFONT font);
void SetCaptionFont(std::initializer_list<HWND> captions, HFONT font);
// A caption grown past its drawn width (SetCaptionFont) moves its swatch along, and the swatch the
// left edge of the edit box after it (if any), so that none covers another's text.
void MakeRoomAfter(HWND caption, ColorLabel& swatch, HWND edit, int dpi);

// Runs the standard colour chooser over `owner`, offering the dialog's present memo colours first
// among the custom colours. When the user presses OK, *memoColor becomes the chosen colour marked as
// the user's own, the swatch shows it, and the result is true. The colour lives in the dialog until
// its "确定".
bool ChooseMemoColor(HWND owner, std::initializer_list<COLORREF> present, LinkLabel& swatch, uint32_t* memoColor);

// The warning that some memos of a dialog were not saved (`message` names them; empty: a general
// warning); the dialog stays open afterwards.
void ShowSaveFailure(HWND dialog, const std::string& message);
// After a save that kept the texts of two computers (MemoMergeMessage): the user hears which day.
void ShowMergeNotice(HWND dialog, const std::string& message);

// The wait cursor while a save may ride out another program's hold on a file (up to about 1.4 s a
// file); the cursor before it comes back when the scope ends.
class BusyCursor {
public:
    BusyCursor() : previous(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {}
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
    ~BusyCursor() { SetCursor(previous); }

private:
    HCURSOR previous;
};

// The font of the dialogs' captions at the dialog's DPI: "Arial" 9 pt, with Chinese glyphs through the
// font mapper.
Font CaptionFont(int dpi);
