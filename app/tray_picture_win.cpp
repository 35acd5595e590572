#include "app/tray_picture.h"

#include "win/dpi.h"
#include "win/gdi.h"
#include "win/lazy_dll.h"

#include <algorithm>
#include <string>

namespace {

using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);

constexpr uint32_t kBandColor = 0xD03A2F; // the sheet's red top band
constexpr uint32_t kDarkInk = 0x202020;   // on a light task bar
constexpr uint32_t kLightInk = 0xFFFFFF;  // on a dark one

// A white-on-black drawing surface whose red channel is the coverage (0-255) of what was drawn.
class Coverage {
public:
    Coverage(int width, int height) : w(width), h(height) {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        WindowDc screen(nullptr);
        dc = CreateCompatibleDC(screen.Dc());
        bitmap.Reset(CreateDIBSection(dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0));
        if (dc && bitmap) previous = SelectObject(dc, bitmap.Get());
    }
    ~Coverage() {
        if (previous) SelectObject(dc, previous);
        if (dc) DeleteDC(dc);
    }
    bool ok() const { return bits != nullptr; }
    HDC Dc() const { return dc; }
    int At(int x, int y) const {
        return x < 0 || y < 0 || x >= w || y >= h ? 0 : static_cast<int>((bits[y * w + x] >> 16) & 0xFF);
    }

private:
    int w, h;
    HDC dc = nullptr;
    Bitmap bitmap;
    HGDIOBJ previous = nullptr;
    uint32_t* bits = nullptr;
};

// `color` at coverage `a` over the pixel (straight alpha).
void Over(uint32_t& pixel, uint32_t color, int a) {
    if (a <= 0) return;
    const int da = static_cast<int>(pixel >> 24);
    const int oa = a + da * (255 - a) / 255;
    uint32_t out = static_cast<uint32_t>(oa) << 24;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int s = static_cast<int>((color >> shift) & 0xFF), d = static_cast<int>((pixel >> shift) & 0xFF);
        const int c = oa ? (s * a + d * da * (255 - a) / 255) / oa : 0;
        out |= static_cast<uint32_t>(c) << shift;
    }
    pixel = out;
}

struct Ink {
    int left = 0, top = 0, right = -1, bottom = -1; // bounding box of the coverage
};

// The day number drawn white on black in a bold face `em` pixels high; its ink's bounding box.
Ink DrawNumber(Coverage& surface, const std::wstring& number, int em, int origin) {
    Font font(CreateFontW(-em, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS,
                          ANTIALIASED_QUALITY, DEFAULT_PITCH, L"Tahoma"));
    SelectScope select(surface.Dc(), font.Get());
    RECT all{0, 0, origin * 4, origin * 4};
    FillRect(surface.Dc(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    SetBkMode(surface.Dc(), TRANSPARENT);
    SetTextColor(surface.Dc(), RGB(255, 255, 255));
    TextOutW(surface.Dc(), origin, origin, number.c_str(), static_cast<int>(number.size()));
    GdiFlush();
    Ink ink{origin * 4, origin * 4, -1, -1};
    for (int y = 0; y < origin * 4; ++y)
        for (int x = 0; x < origin * 4; ++x)
            if (surface.At(x, y) > 40) {
                ink.left = std::min(ink.left, x);
                ink.right = std::max(ink.right, x);
                ink.top = std::min(ink.top, y);
                ink.bottom = std::max(ink.bottom, y);
            }
    return ink;
}

} // namespace

int TrayIconSize(int dpi) {
    static const auto forDpi = LazyFunction<GetSystemMetricsForDpiFn>(L"user32.dll", "GetSystemMetricsForDpi");
    const int size = forDpi ? forDpi(SM_CXSMICON, static_cast<UINT>(dpi)) : 0;
    return size >= 8 && size <= 256 ? size : Scaled(16, dpi);
}

int TaskbarDpi() {
    RECT r{};
    if (HWND bar = FindWindowW(L"Shell_TrayWnd", nullptr); bar && GetWindowRect(bar, &r) && r.right > r.left)
        return MonitorDpi(r);
    return MonitorDpi(RECT{0, 0, 1, 1});
}

bool TaskbarIsLight() {
    DWORD value = 0, size = sizeof value;
    return RegGetValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize",
                        L"SystemUsesLightTheme", RRF_RT_REG_DWORD, nullptr, &value, &size) == ERROR_SUCCESS &&
           value != 0;
}

// The sheet: a red band over the top quarter, an outline round the rest in the ink of the theme, and
// the day number as large as fits inside, centred on whole pixels so its strokes stay sharp.
std::vector<uint32_t> DayPicture(int day, int size, bool lightTaskbar) {
    std::vector<uint32_t> pixels(static_cast<size_t>(size) * size, 0);
    const uint32_t ink = lightTaskbar ? kDarkInk : kLightInk;
    const int line = std::max(1, size / 16);
    const int band = (size * 5 + 8) / 16;
    auto put = [&](int x, int y, uint32_t color, int a) {
        if (x >= 0 && y >= 0 && x < size && y < size) Over(pixels[static_cast<size_t>(y) * size + x], color, a);
    };
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const bool corner = y == 0 && (x == 0 || x == size - 1) && size >= 16;
            if (y < band && !corner) put(x, y, 0xFF000000 | kBandColor, 255);
            const bool edge = x < line || x >= size - line || y >= size - line;
            if (y >= band && edge) put(x, y, ink, 255);
        }
    // Inside the outline, one pixel of air on each side.
    const int boxLeft = line + 1, boxRight = size - line - 2, boxTop = band + 1, boxBottom = size - line - 2;
    const int origin = size;
    Coverage surface(origin * 4, origin * 4);
    if (!surface.ok()) return pixels;
    const std::wstring number = std::to_wstring(day);
    // Digits stand about three quarters of the em high: start just above what fits, then shrink.
    for (int em = (boxBottom - boxTop + 2) * 4 / 3 + 1; em >= 4; --em) {
        const Ink box = DrawNumber(surface, number, em, origin);
        const int w = box.right - box.left + 1, h = box.bottom - box.top + 1;
        if (box.right < 0 || w > boxRight - boxLeft + 1 || h > boxBottom - boxTop + 1) continue;
        const int dx = boxLeft + (boxRight - boxLeft + 1 - w) / 2 - box.left;
        const int dy = boxTop + (boxBottom - boxTop + 1 - h + 1) / 2 - box.top;
        for (int y = box.top; y <= box.bottom; ++y)
            for (int x = box.left; x <= box.right; ++x)
                put(x + dx, y + dy, ink, surface.At(x, y));
        break;
    }
    return pixels;
}

HICON DayIcon(int day, int size, bool lightTaskbar) {
    const std::vector<uint32_t> pixels = DayPicture(day, size, lightTaskbar);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), size, -size, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    WindowDc screen(nullptr);
    Bitmap color(CreateDIBSection(screen.Dc(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    // The alpha channel decides; the mask only has to exist.
    std::vector<uint8_t> zeros(static_cast<size_t>((size + 15) / 16 * 2) * size, 0);
    Bitmap mask(CreateBitmap(size, size, 1, 1, zeros.data()));
    if (!color || !mask || !bits) return nullptr;
    std::copy(pixels.begin(), pixels.end(), static_cast<uint32_t*>(bits));
    ICONINFO icon{TRUE, 0, 0, mask.Get(), color.Get()};
    return CreateIconIndirect(&icon);
}
