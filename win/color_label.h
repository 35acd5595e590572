// ColorLabel: a child window that shows a text in its own font and colours and makes itself exactly
// as large as its text (the text-block rule, text_block.h) each time it paints after a SetText.
//
// It is created hidden and stays hidden until SetText(text, true) or its owner shows it; a SetText before
// Create makes the window at its text's size, with that text, and shown when asked. The class has
// the arrow cursor and no background brush: every pixel comes from its own paint. Texts are UTF-8.
#pragma once

#include "win/text_block.h"
#include "win/font.h"
#include "win/gdi.h"
#include "win/window.h"

#include <string>

// Where a label's colours come from: its own (Fixed), or the current palette's for the place it sits
// in, asked at every paint. A Swatch keeps its own text colour (a memo's) on the dialog's background.
enum class LabelTheme { Fixed, Strip, NavBand, Headline, Swatch };

// Measures a UTF-8 text block in the font selected into dc; the line height is the height of "a".
BlockSize MeasureTextBlock(HDC dc, const std::string& text);

class ColorLabel : public Window {
public:
    // pointSize is in tenths of a point, made into pixels at `dpi` (the parent's); rect is in the
    // parent's pixels. Returns false, storing nothing, when the window cannot be made.
    bool Create(const RECT& rect, HWND parent, int id, COLORREF backColor, COLORREF textColor, int pointSize,
                const std::string& faceName, int dpi);
    // The parent's DPI changed: the font is made again at the new size, and the label takes its new
    // top-left corner (parent pixels); it resizes to its text at the next paint.
    void Rescale(int left, int top, int dpi);
    // Replaces the text (also as the window text, for accessibility tools) and resizes at the next
    // paint; shows the window only when `show` is true.
    void SetText(const std::string& text, bool show);
    void SetTextColor(COLORREF color);
    // Draws every "&" as itself instead of as the mark of an underlined key (texts from outside).
    void SetNoPrefix(bool on) { noPrefix = on; }
    void SetTheme(LabelTheme t) { theme = t; }

    const std::string& Text() const { return text; }
    COLORREF TextColor() const { return textColor; }
    COLORREF BackColor() const { return backColor; }
    // The colours the next paint uses.
    COLORREF PaintBackColor() const;
    COLORREF PaintTextColor() const;
    int Id() const { return id; }
    // Position in the parent's client area; right and bottom follow each automatic resize.
    const RECT& Rect() const { return rect; }
    HFONT FontHandle() const { return font ? font->Get() : nullptr; }
    int Dpi() const { return dpi; }

    // Draws the background and the text over the client area.
    void Paint(HDC dc);

protected:
    LRESULT OnPaint() override;
    // Whoever moves the label (its parent's relayout too), its corner is where it resizes from.
    LRESULT OnMove(int x, int y) override;
    // The window as large as its text in the label's font on `dc`; moved only when that changes.
    void FitToText(HDC dc);

    RECT rect{};
    std::string text;
    COLORREF textColor = 0;
    COLORREF backColor = 0;
    SharedFont font; // shared with every label of the same size, face and DPI (SharedPointFont)
    int pointSize = 0;
    std::string faceName;
    int dpi = 0;
    int id = 0;
    bool autoSize = false;
    bool shownAtCreate = false; // what a SetText before Create asked for
    bool noPrefix = false;
    LabelTheme theme = LabelTheme::Fixed;
    bool ownTextShown = false; // a link's hover colour shows over the palette's
};
