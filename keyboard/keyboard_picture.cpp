// The parts of the keyboard's picture that the board and the mouse share: its colours,
// the heat's fill and text colours and a count as it fits a box.
#include "keyboard_picture.h"
#include "../text/formatting.h"
#include "../ui/palette.h"

#include <stdio.h>
#include <algorithm>
#include <string.h>

PictureColours CurrentPictureColours()
{
    SystemPalette palette = SystemPaletteNow();
    PictureColours colours;
    colours.background = palette.face;
    colours.face = palette.window;
    colours.edge = palette.highContrast ? palette.windowText : palette.shadow;
    colours.text = palette.windowText;
    colours.backgroundText = palette.faceText;
    colours.bar = palette.highlight;
    colours.highContrast = palette.highContrast;
    colours.dark = palette.dark;
    return colours;
}

void RankHeat(const uint64_t *counts, int n, int8_t *heat, uint64_t lowest[HEAT_CLASSES])
{
    double values[MAX_SHADED_VALUES], lowestValues[HEAT_CLASSES];
    int ranked = std::min(n, MAX_SHADED_VALUES);
    for (int i = 0; i < ranked; ++i)
        values[i] = (double)counts[i];
    RankShades(values, ranked, HEAT_CLASSES, RANK_BY_SPREAD, heat, lowestValues);
    std::fill(heat + ranked, heat + n, NO_HEAT);
    for (int shade = 0; shade < HEAT_CLASSES; ++shade)
        lowest[shade] = (uint64_t)lowestValues[shade];
}

void CompactCount(uint64_t count, char *text, int size)
{
    static const char units[] = "kMGTPE";
    if (count < 10000) {
        char grouped[GROUPED_SIZE];
        GroupDigits((int64_t)count, grouped);
        lstrcpynA(text, grouped, size);
        return;
    }
    double value = (double)count;
    int unit = -1;
    while (value >= 1000.0 && unit < 5) {
        value /= 1000.0;
        ++unit;
    }
    snprintf(text, size, value < 100.0 ? "%.1f%c" : "%.0f%c", value, units[unit]);
}

void FittedCount(HDC dc, uint64_t count, int width, char *text)
{
    GroupDigits((int64_t)count, text);
    SIZE size;
    if (!GetTextExtentPoint32A(dc, text, (int)strlen(text), &size) || size.cx > width)
        CompactCount(count, text, GROUPED_SIZE);
}

static bool Shaded(const PictureColours &colours, int heat)
{
    return heat != NO_HEAT && !colours.highContrast;
}

COLORREF HeatFillColour(const PictureColours &colours, int heat)
{
    return Shaded(colours, heat) ? ViridisRamp(colours.dark)[heat] : colours.face;
}

COLORREF HeatFillTextColour(const PictureColours &colours, int heat)
{
    return Shaded(colours, heat) ? ViridisTextColour(heat, colours.dark) : colours.text;
}
