#include <gtest/gtest.h>

#include <algorithm>

#include "win/palette.h"

namespace {

// A mark is seen when its colour, or the edge drawn round it, stands 3:1 from what it sits on.
double MarkContrast(const GridPalette& g, uint32_t color, bool picked, uint32_t behind, bool fill = false) {
    double c = ContrastRatio(color, behind);
    if (NeedsEdge(g, color, picked, behind, fill)) c = std::max(c, ContrastRatio(EdgeColor(g, behind), behind));
    return c;
}

} // namespace

// Every text and every mark of the dark and the two standard high-contrast palettes against what it
// is drawn on (WCAG 2: texts 4.5:1, marks 3:1); user-picked mark colours keep an edge on both backgrounds.
TEST(Palette, EveryTextAndMarkStandsOutFromItsBackground) {
    EXPECT_NEAR(ContrastRatio(Rgb(0, 0, 0), Rgb(255, 255, 255)), 21.0, 1e-9);
    EXPECT_NEAR(ContrastRatio(Rgb(118, 118, 118), Rgb(255, 255, 255)), 4.54, 0.01);
    const Palette palettes[] = {MakePalette(ThemeVariant::Dark, {}),
                                MakePalette(ThemeVariant::HighContrast, HighContrastBlack()),
                                MakePalette(ThemeVariant::HighContrast, HighContrastWhite())};
    for (const Palette& p : palettes) {
        const GridPalette& g = p.grid;
        const struct {
            uint32_t fore, back;
            double least;
        } pairs[] = {
            {g.normalDayColor, g.cellBackColor, 4.5},    {g.holidayColor, g.cellBackColor, 4.5},
            {g.solarTermColor, g.cellBackColor, 4.5},    {g.saturdayColor, g.cellBackColor, 4.5},
            {g.restMarkColor, g.cellBackColor, 4.5},     {g.workMarkColor, g.cellBackColor, 4.5},
            {g.filledTextColor, g.oneTimeFill, 4.5},     {g.headerTextColor, g.headerBackColor, 4.5},
            {g.todayColor, g.headerBackColor, 4.5},      {g.stripTextColor, g.stripColor, 4.5},
            {p.linkHoverColor, g.stripColor, 4.5},       {p.navTextColor, p.navBackColor, 4.5},
            {p.linkHoverColor, p.navBackColor, 4.5},     {p.headlineTextColor, p.dialogBackColor, 4.5},
            {p.linkHoverColor, p.dialogBackColor, 4.5},  {p.tipTextColor, p.tipBackColor, 4.5},
            {p.dialogTextColor, p.dialogBackColor, 4.5}, {p.editTextColor, p.editBackColor, 4.5},
            {g.todayColor, g.cellBackColor, 3.0},        {g.todayColor, g.stripColor, 3.0},
        };
        for (const auto& pair : pairs)
            EXPECT_GE(ContrastRatio(pair.fore, pair.back), pair.least)
                << int(p.variant) << std::hex << " " << pair.fore << " on " << pair.back;
        for (uint32_t mark : {g.solarStarColor, g.lunarStarColor, g.weeklyDotColor}) {
            EXPECT_GE(MarkContrast(g, mark, false, g.cellBackColor), 3.0) << std::hex << mark;
            EXPECT_GE(MarkContrast(g, mark, false, g.oneTimeFill), 3.0) << std::hex << mark;
        }
        EXPECT_GE(MarkContrast(g, g.weeklyDotColor, false, g.headerBackColor), 3.0);
        EXPECT_GE(MarkContrast(g, g.oneTimeFill, false, g.cellBackColor, true), 3.0);
    }
    // Any colour a user picks: glyph marks 3:1 by colour or edge, fills 1.5:1, on every variant's cell,
    // and the text on a fill reads.
    const Palette light = MakePalette(ThemeVariant::Light, {});
    for (const GridPalette& g : {light.grid, palettes[0].grid}) {
        for (int v = 0; v < 256; v += 5) {
            for (uint32_t color : {Rgb(v, v, v), Rgb(v, 0, 0), Rgb(0, v, 0), Rgb(0, 0, v), Rgb(255, v, 0)}) {
                EXPECT_GE(MarkContrast(g, color, true, g.cellBackColor), 3.0) << std::hex << color;
                EXPECT_GE(MarkContrast(g, color, true, g.cellBackColor, true), 1.5) << std::hex << color;
                EXPECT_GE(ContrastRatio(TextOnFill(g, color), color), 4.5) << std::hex << color;
            }
        }
    }
    // The light palette's own colours are drawn as they always were, without edges (2.3:1 here).
    EXPECT_FALSE(NeedsEdge(light.grid, light.grid.weeklyDotColor, false, light.grid.headerBackColor));
    EXPECT_EQ(TextOnFill(light.grid, light.grid.oneTimeFill), light.grid.normalDayColor);
}

TEST(Palette, HighContrastWinsThenTheSettingThenTheSystem) {
    EXPECT_EQ(ChooseVariant(2, true, true), ThemeVariant::HighContrast);
    EXPECT_EQ(ChooseVariant(0, false, false), ThemeVariant::Dark);
    EXPECT_EQ(ChooseVariant(0, true, false), ThemeVariant::Light);
    EXPECT_EQ(ChooseVariant(1, false, false), ThemeVariant::Light);
    EXPECT_EQ(ChooseVariant(2, true, false), ThemeVariant::Dark);
    EXPECT_EQ(ThemeSettingFrom(true, "2"), 2);
    EXPECT_EQ(ThemeSettingFrom(true, "1"), 1);
    EXPECT_EQ(ThemeSettingFrom(true, "3"), 0);
    EXPECT_EQ(ThemeSettingFrom(false, "2"), 0);
    // Light is the calendar's own palette, pixel for pixel, with the system's face colour in its dialogs.
    SystemColors system;
    system.btnFace = Rgb(1, 2, 3);
    const Palette light = MakePalette(ThemeVariant::Light, system);
    EXPECT_EQ(light.grid.cellBackColor, Rgb(245, 245, 230));
    EXPECT_EQ(light.dialogBackColor, Rgb(1, 2, 3));
    EXPECT_TRUE(light.systemDialogs);
}
