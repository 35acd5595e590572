#include "view/hover_tip.h"

#include "win/color_label.h"
#include "res/resource.h"
#include "view/tip_placement.h"
#include "win/font.h"
#include "win/text.h"
#include "win/theme.h"

bool HoverTip::Create(HWND parent) {
    return CreateModeless(IDD_HOVER_TIP, parent);
}

void HoverTip::SetTipText(const std::string& t, POINT screenPoint, int ownerDpi) {
    text = t.substr(0, t.find('\0'));
    if (!hwnd) return;
    if (!font || ownerDpi != fontDpi) {
        font = CreatePixelFont(Scaled(15, ownerDpi), "宋体", FW_NORMAL, ANSI_CHARSET);
        fontDpi = ownerDpi;
    }
    {
        WindowDc dc(hwnd);
        SelectScope selectFont(dc.Dc(), font.Get());
        BlockSize size = MeasureTextBlock(dc.Dc(), text);
        width = size.width;
        height = size.height;
    }
    ScreenBox area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(MonitorFromPoint(screenPoint, MONITOR_DEFAULTTONEAREST), &info))
        area = {info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom};
    TipOrigin at = PlaceTip(screenPoint.x, screenPoint.y, width, height, area, ownerDpi);
    // Topmost, as the system's tooltips are: Wine otherwise leaves it under the calendar once a modal
    // dialog of the calendar has closed.
    SetWindowPos(hwnd, HWND_TOPMOST, at.left, at.top, width, height, SWP_NOACTIVATE);
    Invalidate(false);
}

void HoverTip::Paint(HDC dc) {
    RECT r = ClientRect();
    r.bottom = r.top + height;
    const Palette& palette = CurrentPalette();
    Brush back(CreateSolidBrush(palette.tipBackColor));
    FillRect(dc, &r, back.Get());
    SelectScope selectFont(dc, font.Get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, palette.tipTextColor);
    std::wstring wide = ToWide(text);
    // Memo texts are shown as typed: no "&" mnemonics.
    DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &r, DT_NOPREFIX);
}

LRESULT HoverTip::OnPaint() {
    PaintScope ps(hwnd);
    Paint(ps.Dc());
    return 0;
}
