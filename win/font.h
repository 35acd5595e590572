// Fonts as the program describes them: a face name and either a pixel height or a size in tenths of a
// point. Face names are UTF-8 ("宋体", "楷体_gb2312", "Arial"); at most 31 UTF-16 units are kept.
#pragma once

#include "win/gdi.h"

#include <string>

// Height for CreateFont of a point size in tenths of a point on a screen of logPixelsY dots per inch:
// −|logPixelsY × pointSize / 720| (integer division), a character height.
constexpr int PointSizeToHeight(int pointSize, int logPixelsY) {
    int h = logPixelsY * pointSize / 720;
    return h < 0 ? h : -h;
}

// A font of `height` pixels as CreateFont reads it (positive: cell height, negative: character height).
Font CreatePixelFont(int height, const std::string& face, int weight = FW_NORMAL, BYTE charset = DEFAULT_CHARSET,
                     BYTE quality = DEFAULT_QUALITY);

// A font of `pointSize` tenths of a point at the screen's LOGPIXELSY, weight and quality left at zero.
Font CreatePointFont(int pointSize, const std::string& face, BYTE charset = DEFAULT_CHARSET);

// The same font, made once per size and face and kept for the life of the process: the labels of
// all windows share it, so start-up makes two label fonts instead of one per label. Never delete it.
HFONT SharedPointFont(int pointSize, const std::string& face);
