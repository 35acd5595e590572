#include "win/font.h"

#include "win/text.h"

#include <cwchar>
#include <map>
#include <mutex>
#include <utility>

namespace {

Font Make(int height, int weight, BYTE charset, const std::string& face, BYTE quality = DEFAULT_QUALITY) {
    LOGFONTW lf{};
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfCharSet = charset;
    lf.lfQuality = quality;
    std::wstring wide = ToWide(face);
    wcsncpy(lf.lfFaceName, wide.c_str(), LF_FACESIZE - 1);
    return Font(CreateFontIndirectW(&lf));
}

} // namespace

Font CreatePixelFont(int height, const std::string& face, int weight, BYTE charset, BYTE quality) {
    return Make(height, weight, charset, face, quality);
}

Font CreatePointFont(int pointSize, const std::string& face, BYTE charset) {
    WindowDc screen(nullptr);
    return Make(PointSizeToHeight(pointSize, GetDeviceCaps(screen.Dc(), LOGPIXELSY)), 0, charset, face);
}

HFONT SharedPointFont(int pointSize, const std::string& face) {
    static std::mutex lock;
    static std::map<std::pair<int, std::string>, Font> fonts;
    std::lock_guard<std::mutex> hold(lock);
    Font& font = fonts[{pointSize, face}];
    if (!font.Get()) font = CreatePointFont(pointSize, face);
    return font.Get();
}
