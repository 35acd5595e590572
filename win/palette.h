// The one palette every window paints with, in three variants: Light (the calendar's own colours),
// Dark (every text at least 4.5:1 and every mark at least 3:1 against what it is drawn on, WCAG 2
// contrast) and High contrast (the system's colours, read by the caller). Portable: colours are
// COLORREF values, 0x00BBGGRR; the windows take the current palette from win/theme.h.
#pragma once

#include <cstdint>
#include <string>

constexpr uint32_t Rgb(int r, int g, int b) {
    return static_cast<uint32_t>(r) | static_cast<uint32_t>(g) << 8 | static_cast<uint32_t>(b) << 16;
}

enum class ThemeVariant { Light, Dark, HighContrast };

// The month grid's colours. The defaults are the light variant.
struct GridPalette {
    uint32_t fieldColor = Rgb(0, 0, 0);     // behind the cells: the separator lines
    uint32_t stripColor = Rgb(255, 215, 0); // bottom strip, caption and site link background
    uint32_t stripTextColor = Rgb(0, 0, 0);
    uint32_t headerBackColor = Rgb(72, 61, 139);
    uint32_t headerTextColor = Rgb(255, 255, 120);
    uint32_t cellBackColor = Rgb(245, 245, 230);
    uint32_t normalDayColor = Rgb(0, 0, 0); // also every day with a one-time or yearly memo
    uint32_t todayColor = Rgb(0, 255, 255); // marked day's weekday name and its ring
    uint32_t solarTermColor = Rgb(0, 0, 255);
    uint32_t saturdayColor = Rgb(0, 128, 0);
    uint32_t holidayColor = Rgb(255, 0, 0);   // festivals and Sundays
    uint32_t restMarkColor = Rgb(220, 0, 0);  // 休
    uint32_t workMarkColor = Rgb(80, 80, 80); // 班
    // Memo marks in their kind's own colour (the user did not pick one): the one-time fill, the solar
    // and lunar stars, the weekly dot.
    uint32_t oneTimeFill = Rgb(135, 206, 250);
    uint32_t solarStarColor = Rgb(255, 0, 0);
    uint32_t lunarStarColor = Rgb(128, 0, 255);
    uint32_t weeklyDotColor = Rgb(255, 0, 0);
    uint32_t filledTextColor = Rgb(0, 0, 0); // number and text on the one-time fill
    // Marks told apart by shape too: the lunar star hollow.
    bool hollowLunarStar = false;
    // High contrast marks memos in system colours only; the user's picks wait for the other variants.
    bool markColorsFixed = false;
    // Light keeps its own colours as they always were; the other variants give any mark under 3:1
    // against what it sits on an edge, their own colours included.
    bool edgeOwnColors = false;
};

struct Palette {
    ThemeVariant variant = ThemeVariant::Light;
    GridPalette grid;
    uint32_t navBackColor = Rgb(50, 80, 90); // the main window's top band and its links
    uint32_t navTextColor = Rgb(189, 183, 107);
    uint32_t linkHoverColor = Rgb(255, 64, 64);
    uint32_t headlineTextColor = Rgb(0, 0, 208);
    uint32_t tipBackColor = Rgb(255, 255, 0);
    uint32_t tipTextColor = Rgb(255, 0, 0);
    // Dialogs and the space round the controls: the system's face colour in Light (the caller's), dark
    // in Dark. Only Dark paints dialogs itself (systemDialogs false).
    uint32_t dialogBackColor = Rgb(240, 240, 240);
    uint32_t dialogTextColor = Rgb(0, 0, 0);
    uint32_t editBackColor = Rgb(255, 255, 255);
    uint32_t editTextColor = Rgb(0, 0, 0);
    bool systemDialogs = true;
};

// The system colours a high-contrast palette is made of (GetSysColor), and the face colour Light uses.
struct SystemColors {
    uint32_t window = Rgb(255, 255, 255);
    uint32_t windowText = Rgb(0, 0, 0);
    uint32_t highlight = Rgb(0, 120, 215);
    uint32_t highlightText = Rgb(255, 255, 255);
    uint32_t hotlight = Rgb(0, 102, 204);
    uint32_t grayText = Rgb(109, 109, 109);
    uint32_t btnFace = Rgb(240, 240, 240);
    uint32_t btnText = Rgb(0, 0, 0);
    uint32_t infoBack = Rgb(255, 255, 225);
    uint32_t infoText = Rgb(0, 0, 0);
};

// Windows' standard "High Contrast Black" and "High Contrast White" colour sets.
SystemColors HighContrastBlack();
SystemColors HighContrastWhite();

Palette MakePalette(ThemeVariant variant, const SystemColors& system);

// Which variant shows: high contrast whenever the system has it on; else the Theme setting (0 follows
// the system's app mode, 1 light, 2 dark).
ThemeVariant ChooseVariant(int themeSetting, bool systemAppsLight, bool highContrast);
// The Theme setting from its stored text: "1" or "2"; anything else (absent too) is 0.
int ThemeSettingFrom(bool present, const std::string& text);

// WCAG 2 relative luminance of a COLORREF (0 black - 1 white) and the contrast ratio of two colours
// (1 - 21).
double RelativeLuminance(uint32_t color);
double ContrastRatio(uint32_t a, uint32_t b);

// The edge drawn round a mark whose colour is hard to see on `behind`: the palette's normal text or
// cell colour, whichever stands out more there.
uint32_t EdgeColor(const GridPalette& palette, uint32_t behind);
// Whether a mark in `color` on `behind` gets that edge: under 3:1 (a fill under 1.5:1, as the light
// one-time fill stands at 1.6:1), for a colour the user picked, or for the palette's own where it
// edges those too.
bool NeedsEdge(const GridPalette& palette, uint32_t color, bool userPicked, uint32_t behind, bool fill = false);
// Number and text colour on a one-time fill: the palette's when it reads there (4.5:1), else black or
// white, whichever reads better.
uint32_t TextOnFill(const GridPalette& palette, uint32_t fill);
