// HoverTip: the borderless popup (template IDD_HOVER_TIP) that shows a day's memo texts, in the palette's tip colours
// (red on yellow in Light), in 宋体 15 px (at 96 DPI; the tip takes its owner's DPI), just below the pointer. The grid
// creates it, hidden, when it first has a text, and keeps it; it decides what the tip shows and shows or hides it. The
// tip only stores, measures, places and paints its text.
//
// Texts are UTF-8 (memo bytes are converted by the caller) and are drawn as typed: an "&" is an "&".
// The tip sizes itself to the text block (text_block.h) and stays inside the monitor's work area
// (tip_placement.h).
#pragma once

#include "win/dialog.h"
#include "win/gdi.h"

#include <string>

class HoverTip : public Dialog {
public:
    // Creates the hidden popup, owned by parent's top-level window.
    bool Create(HWND parent);
    // Takes the text, measures it in the font of `dpi` (the grid's), moves and sizes the window below
    // screenPoint and invalidates it. It does not show the window.
    void SetTipText(const std::string& text, POINT screenPoint, int dpi);

    const std::string& Text() const { return text; }
    int Width() const { return width; }
    int Height() const { return height; }

    // Fills the text block yellow and draws the text in red.
    void Paint(HDC dc);

protected:
    // The tip never takes the focus: it appears while the user types elsewhere.
    bool OnInitDialog() override { return false; }
    LRESULT OnPaint() override;
    // The grid gives the tip its DPI with every text; the system's suggested size would be wrong.
    LRESULT OnDpiChanged(int, const RECT&) override { return 0; }

private:
    std::string text;
    Font font; // made for fontDpi when the first text comes
    int fontDpi = 0;
    int width = 0;
    int height = 0;
};
