// The parts of the keyboard's picture that the board and the mouse share: its colours,
// the heat's fill and text colours and a count as it fits a box.
#include "keyboard_picture.h"
#include "../text/formatting.h"
#include "../ui/heat_scale.h"

#include <stdio.h>
#include <string.h>

PictureColours CurrentPictureColours()
{
    HIGHCONTRASTA contrast = {};
    contrast.cbSize = sizeof contrast;
    bool high = SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0)
                && (contrast.dwFlags & HCF_HIGHCONTRASTON);
    PictureColours colours;
    colours.background = GetSysColor(COLOR_3DFACE);
    colours.face = GetSysColor(COLOR_WINDOW);
    colours.edge = GetSysColor(high ? COLOR_WINDOWTEXT : COLOR_3DSHADOW);
    colours.text = GetSysColor(COLOR_WINDOWTEXT);
    colours.backgroundText = GetSysColor(COLOR_BTNTEXT);
    colours.bar = GetSysColor(COLOR_HIGHLIGHT);
    colours.highContrast = high;
    return colours;
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
    return Shaded(colours, heat) ? HeatColour(heat) : colours.face;
}

COLORREF HeatFillTextColour(const PictureColours &colours, int heat)
{
    return Shaded(colours, heat) ? HeatTextColour(heat) : colours.text;
}
