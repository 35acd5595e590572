#include "win/palette.h"

#include <array>
#include <cmath>
#include <utility>

SystemColors HighContrastBlack() {
    SystemColors s;
    s.window = Rgb(0, 0, 0);
    s.windowText = Rgb(255, 255, 255);
    s.highlight = Rgb(26, 235, 255);
    s.highlightText = Rgb(0, 0, 0);
    s.hotlight = Rgb(255, 255, 0);
    s.grayText = Rgb(63, 242, 63);
    s.btnFace = Rgb(0, 0, 0);
    s.btnText = Rgb(255, 255, 255);
    s.infoBack = Rgb(0, 0, 0);
    s.infoText = Rgb(255, 255, 255);
    return s;
}

SystemColors HighContrastWhite() {
    SystemColors s;
    s.window = Rgb(255, 255, 255);
    s.windowText = Rgb(0, 0, 0);
    s.highlight = Rgb(55, 0, 110);
    s.highlightText = Rgb(255, 255, 255);
    s.hotlight = Rgb(0, 0, 159);
    s.grayText = Rgb(96, 0, 0);
    s.btnFace = Rgb(255, 255, 255);
    s.btnText = Rgb(0, 0, 0);
    s.infoBack = Rgb(255, 255, 255);
    s.infoText = Rgb(0, 0, 0);
    return s;
}

namespace {

// Dark keeps each meaning's hue: red Sundays and festivals, green Saturdays, blue solar terms, the
// purple header, the gold strip, the light-blue one-time fill, red and purple stars.
Palette DarkPalette() {
    Palette p;
    p.variant = ThemeVariant::Dark;
    GridPalette& g = p.grid;
    g.fieldColor = Rgb(12, 12, 14);
    g.stripColor = Rgb(58, 50, 20);
    g.stripTextColor = Rgb(240, 200, 80);
    g.headerBackColor = Rgb(52, 44, 100);
    g.headerTextColor = Rgb(255, 240, 140);
    g.cellBackColor = Rgb(40, 40, 44);
    g.normalDayColor = Rgb(230, 230, 230);
    g.todayColor = Rgb(0, 255, 255);
    g.solarTermColor = Rgb(120, 170, 255);
    g.saturdayColor = Rgb(90, 200, 90);
    g.holidayColor = Rgb(255, 110, 110);
    g.restMarkColor = Rgb(255, 110, 110);
    g.workMarkColor = Rgb(170, 170, 170);
    g.oneTimeFill = Rgb(120, 190, 240);
    g.solarStarColor = Rgb(255, 110, 110);
    g.lunarStarColor = Rgb(190, 140, 255);
    g.weeklyDotColor = Rgb(255, 110, 110);
    g.filledTextColor = Rgb(0, 0, 0);
    g.edgeOwnColors = true;
    p.navBackColor = Rgb(30, 45, 52);
    p.navTextColor = Rgb(215, 210, 140);
    p.linkHoverColor = Rgb(255, 120, 120);
    p.headlineTextColor = Rgb(120, 170, 255);
    p.tipBackColor = Rgb(64, 58, 18);
    p.tipTextColor = Rgb(255, 150, 140);
    p.dialogBackColor = Rgb(32, 32, 32);
    p.dialogTextColor = Rgb(240, 240, 240);
    p.editBackColor = Rgb(45, 45, 45);
    p.editTextColor = Rgb(240, 240, 240);
    p.systemDialogs = false;
    return p;
}

// Only system colours; the memo marks differ by shape (fill, dot, full and hollow star) as well as place.
Palette HighContrastPalette(const SystemColors& s) {
    Palette p;
    p.variant = ThemeVariant::HighContrast;
    GridPalette& g = p.grid;
    g.fieldColor = s.windowText;
    g.stripColor = s.btnFace;
    g.stripTextColor = s.btnText;
    g.headerBackColor = s.btnFace;
    g.headerTextColor = s.btnText;
    g.cellBackColor = s.window;
    g.normalDayColor = s.windowText;
    g.todayColor = s.highlight;
    g.solarTermColor = s.windowText;
    g.saturdayColor = s.windowText;
    g.holidayColor = s.hotlight;
    g.restMarkColor = s.hotlight;
    g.workMarkColor = s.windowText;
    g.oneTimeFill = s.highlight;
    g.solarStarColor = s.highlight;
    g.lunarStarColor = s.highlight;
    g.weeklyDotColor = s.highlight;
    g.filledTextColor = s.highlightText;
    g.hollowLunarStar = true;
    g.markColorsFixed = true;
    g.edgeOwnColors = true;
    p.navBackColor = s.btnFace;
    p.navTextColor = s.btnText;
    p.linkHoverColor = s.hotlight;
    p.headlineTextColor = s.hotlight;
    p.tipBackColor = s.infoBack;
    p.tipTextColor = s.infoText;
    p.dialogBackColor = s.btnFace;
    p.dialogTextColor = s.btnText;
    p.editBackColor = s.window;
    p.editTextColor = s.windowText;
    return p;
}

// WCAG's linear value of each 8-bit channel, worked out once: the grid asks for contrasts in every paint,
// and pow would cost Dark a tenth of the paint.
double Channel(uint32_t color, int shift) {
    static const std::array<double, 256> linear = [] {
        std::array<double, 256> table{};
        for (int i = 0; i < 256; ++i) {
            const double c = i / 255.0;
            table[i] = c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        }
        return table;
    }();
    return linear[(color >> shift) & 0xFF];
}

} // namespace

Palette MakePalette(ThemeVariant variant, const SystemColors& system) {
    switch (variant) {
    case ThemeVariant::Dark: return DarkPalette();
    case ThemeVariant::HighContrast: return HighContrastPalette(system);
    case ThemeVariant::Light: break;
    }
    Palette light;
    light.dialogBackColor = system.btnFace;
    light.dialogTextColor = system.btnText;
    return light;
}

ThemeVariant ChooseVariant(int themeSetting, bool systemAppsLight, bool highContrast) {
    if (highContrast) return ThemeVariant::HighContrast;
    if (themeSetting == 1) return ThemeVariant::Light;
    if (themeSetting == 2) return ThemeVariant::Dark;
    return systemAppsLight ? ThemeVariant::Light : ThemeVariant::Dark;
}

int ThemeSettingFrom(bool present, const std::string& text) {
    if (!present) return 0;
    if (text == "1") return 1;
    if (text == "2") return 2;
    return 0;
}

double RelativeLuminance(uint32_t color) {
    return 0.2126 * Channel(color, 0) + 0.7152 * Channel(color, 8) + 0.0722 * Channel(color, 16);
}

double ContrastRatio(uint32_t a, uint32_t b) {
    double la = RelativeLuminance(a), lb = RelativeLuminance(b);
    if (la < lb) std::swap(la, lb);
    return (la + 0.05) / (lb + 0.05);
}

uint32_t EdgeColor(const GridPalette& palette, uint32_t behind) {
    return ContrastRatio(palette.normalDayColor, behind) >= ContrastRatio(palette.cellBackColor, behind)
               ? palette.normalDayColor
               : palette.cellBackColor;
}

bool NeedsEdge(const GridPalette& palette, uint32_t color, bool userPicked, uint32_t behind, bool fill) {
    if (!userPicked && !palette.edgeOwnColors) return false;
    return ContrastRatio(color, behind) < (fill ? 1.5 : 3.0);
}

uint32_t TextOnFill(const GridPalette& palette, uint32_t fill) {
    if (ContrastRatio(palette.filledTextColor, fill) >= 4.5) return palette.filledTextColor;
    const uint32_t black = Rgb(0, 0, 0), white = Rgb(255, 255, 255);
    return ContrastRatio(black, fill) >= ContrastRatio(white, fill) ? black : white;
}
