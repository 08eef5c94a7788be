// The system's colours.
#include "palette.h"
#include "dark_mode.h"

#include <math.h>

static bool HighContrastOn()
{
    HIGHCONTRASTA contrast = {};
    contrast.cbSize = sizeof contrast;
    return SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0)
           && (contrast.dwFlags & HCF_HIGHCONTRASTON);
}

// Near the dark frames and controls Windows draws: a face a step lighter than a window's, the
// selection in the accent blue, a hot item in its light form, readable on the dark.
static SystemPalette DarkPalette()
{
    SystemPalette palette;
    palette.highContrast = false;
    palette.dark = true;
    palette.window = RGB(25, 25, 25);
    palette.windowText = RGB(240, 240, 240);
    palette.face = RGB(43, 43, 43);
    palette.faceText = RGB(240, 240, 240);
    palette.shadow = RGB(100, 100, 100);
    palette.grayText = RGB(150, 150, 150);
    palette.highlight = RGB(0, 120, 215);
    palette.hotLight = RGB(96, 205, 255);
    return palette;
}

SystemPalette SystemPaletteNow()
{
    SystemPalette palette;
    palette.highContrast = HighContrastOn();
    if (!palette.highContrast && AppModeDark())
        return DarkPalette();
    palette.dark = false;
    palette.window = GetSysColor(COLOR_WINDOW);
    palette.windowText = GetSysColor(COLOR_WINDOWTEXT);
    palette.face = GetSysColor(COLOR_3DFACE);
    palette.faceText = GetSysColor(COLOR_BTNTEXT);
    palette.shadow = GetSysColor(COLOR_3DSHADOW);
    palette.grayText = GetSysColor(COLOR_GRAYTEXT);
    palette.highlight = GetSysColor(COLOR_HIGHLIGHT);
    palette.hotLight = GetSysColor(COLOR_HOTLIGHT);
    return palette;
}

COLORREF MixColours(COLORREF a, COLORREF b, double t)
{
    auto channel = [t](int x, int y) { return (int)lround(x + (y - x) * t); };
    return RGB(channel(GetRValue(a), GetRValue(b)), channel(GetGValue(a), GetGValue(b)),
               channel(GetBValue(a), GetBValue(b)));
}
