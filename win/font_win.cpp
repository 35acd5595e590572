#include "win/font.h"

#include "win/text.h"

#include <cwchar>
#include <map>
#include <mutex>
#include <tuple>
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

Font CreatePointFont(int pointSize, const std::string& face, int dpi, BYTE charset) {
    return Make(PointSizeToHeight(pointSize, dpi), 0, charset, face);
}

SharedFont SharedPointFont(int pointSize, const std::string& face, int dpi) {
    static std::mutex lock;
    static std::map<std::tuple<int, int, std::string>, std::weak_ptr<const Font>> fonts;
    std::lock_guard<std::mutex> hold(lock);
    std::weak_ptr<const Font>& entry = fonts[{pointSize, dpi, face}];
    SharedFont font = entry.lock();
    if (!font) {
        font = std::make_shared<const Font>(CreatePointFont(pointSize, face, dpi));
        entry = font;
    }
    return font;
}
