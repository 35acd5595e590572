#include "win/color_label.h"

#include "win/font.h"
#include "win/text.h"
#include "win/theme.h"

namespace {

const wchar_t kClassName[] = L"LunoriaLabel";

} // namespace

bool ColorLabel::Create(const RECT& r, HWND parent, int controlId, COLORREF back, COLORREF fore, int size,
                        const std::string& face, int windowDpi) {
    if (!Register(kClassName, 0, LoadCursorW(nullptr, IDC_ARROW), nullptr)) return false;
    SharedFont made = SharedPointFont(size, face, windowDpi);
    // With its text already set, the window is made at the text's size, with the text, shown as asked:
    // no sizing, title or show afterwards (each a trip to the window server under Wine). Measured on a
    // bare memory DC, which, unlike a window or screen DC, needs no trip either.
    RECT at = r;
    DWORD style = WS_CHILD;
    if (autoSize) {
        if (HDC dc = CreateCompatibleDC(nullptr)) {
            BlockSize fit;
            {
                SelectScope selectFont(dc, made ? made->Get() : nullptr);
                fit = MeasureTextBlock(dc, text);
            }
            DeleteDC(dc);
            at.right = at.left + fit.width;
            at.bottom = at.top + fit.height;
        }
        if (shownAtCreate) style |= WS_VISIBLE;
    }
    if (!Window::Create(kClassName, style, WS_EX_NOPARENTNOTIFY, at, parent, controlId, text)) return false;
    rect = at;
    id = controlId;
    backColor = back;
    textColor = fore;
    pointSize = size;
    faceName = face;
    dpi = windowDpi;
    font = std::move(made);
    return true;
}

void ColorLabel::Rescale(int left, int top, int windowDpi) {
    if (!hwnd) return;
    if (windowDpi != dpi) {
        dpi = windowDpi;
        font = SharedPointFont(pointSize, faceName, dpi);
    }
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    rect = {left, top, left + width, top + height};
    MoveWindow(hwnd, left, top, width, height, TRUE);
    Invalidate(false);
}

LRESULT ColorLabel::OnMove(int x, int y) {
    rect = {x, y, x + (rect.right - rect.left), y + (rect.bottom - rect.top)};
    return Default();
}

void ColorLabel::SetText(const std::string& t, bool show) {
    text = t.substr(0, t.find('\0'));
    autoSize = true;
    if (!hwnd) {
        shownAtCreate = show;
        return;
    }
    // Painting ignores the window text; screen readers and UI-automation tools read it.
    SetTitle(text);
    // Sized now, the label's first paint is its only one (sized at the paint, it would paint twice).
    {
        WindowDc dc(hwnd);
        FitToText(dc.Dc());
    }
    Invalidate(false);
    if (show) Show(SW_SHOW);
}

void ColorLabel::FitToText(HDC dc) {
    BlockSize size;
    {
        SelectScope selectFont(dc, FontHandle());
        size = MeasureTextBlock(dc, text);
    }
    if (size.width != rect.right - rect.left || size.height != rect.bottom - rect.top)
        MoveWindow(hwnd, rect.left, rect.top, size.width, size.height, TRUE);
    rect.right = rect.left + size.width;
    rect.bottom = rect.top + size.height;
}

void ColorLabel::SetTextColor(COLORREF color) {
    textColor = color;
    if (hwnd) Invalidate(false);
}

COLORREF ColorLabel::PaintBackColor() const {
    const Palette& p = CurrentPalette();
    switch (theme) {
    case LabelTheme::Strip: return p.grid.stripColor;
    case LabelTheme::NavBand: return p.navBackColor;
    case LabelTheme::Headline:
    case LabelTheme::Swatch: return p.dialogBackColor;
    case LabelTheme::Fixed: break;
    }
    return backColor;
}

COLORREF ColorLabel::PaintTextColor() const {
    if (ownTextShown) return textColor;
    const Palette& p = CurrentPalette();
    switch (theme) {
    case LabelTheme::Strip: return p.grid.stripTextColor;
    case LabelTheme::NavBand: return p.navTextColor;
    case LabelTheme::Headline: return p.headlineTextColor;
    case LabelTheme::Swatch:
    case LabelTheme::Fixed: break;
    }
    return textColor;
}

void ColorLabel::Paint(HDC dc) {
    RECT client = ClientRect();
    const COLORREF back = PaintBackColor();
    // Filling first covers the corners that shorter lines leave, so no stale pixels show there.
    Brush backBrush(CreateSolidBrush(back));
    FillRect(dc, &client, backBrush.Get());
    SelectScope selectFont(dc, FontHandle());
    ::SetBkColor(dc, back);
    ::SetTextColor(dc, PaintTextColor());
    std::wstring wide = ToWide(text);
    DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &client, noPrefix ? DT_NOPREFIX : 0);
}

LRESULT ColorLabel::OnPaint() {
    PaintScope ps(hwnd);
    if (autoSize) FitToText(ps.Dc()); // a new font (DPI) or a label whose text came before its window
    Paint(ps.Dc());
    return 0;
}
