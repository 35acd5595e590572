// Fonts as the program describes them: a face name and either a pixel height or a size in tenths of a
// point. Face names are UTF-8 ("宋体", "楷体_gb2312", "Arial"); at most 31 UTF-16 units are kept.
// Pixel heights are pixels at 96 DPI and are scaled by the caller; point sizes become pixels at the
// DPI of the window that shows the text (never the screen's LOGPIXELSY, which stays at the system DPI
// under per-monitor awareness).
#pragma once

#include "win/gdi.h"

#include <memory>
#include <string>

// Height for CreateFont of a point size in tenths of a point at `dpi` dots per inch:
// −|dpi × pointSize / 720| (integer division), a character height.
constexpr int PointSizeToHeight(int pointSize, int dpi) {
    int h = dpi * pointSize / 720;
    return h < 0 ? h : -h;
}

// A font of `height` pixels as CreateFont reads it (positive: cell height, negative: character height).
Font CreatePixelFont(int height, const std::string& face, int weight = FW_NORMAL, BYTE charset = DEFAULT_CHARSET,
                     BYTE quality = DEFAULT_QUALITY);

// A font of `pointSize` tenths of a point at `dpi`, weight and quality left at zero.
Font CreatePointFont(int pointSize, const std::string& face, int dpi, BYTE charset = DEFAULT_CHARSET);

// The same font, made once per size, face and DPI while anybody holds it: the labels of all windows
// share it, so start-up makes two label fonts instead of one per label. It is freed with its last
// holder (after a DPI change, once every label has taken the new size).
using SharedFont = std::shared_ptr<const Font>;
SharedFont SharedPointFont(int pointSize, const std::string& face, int dpi);
