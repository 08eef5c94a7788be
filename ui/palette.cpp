// The system's colours.
#include "palette.h"

#include <math.h>

static bool HighContrastOn()
{
    HIGHCONTRASTA contrast = {};
    contrast.cbSize = sizeof contrast;
    return SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0)
           && (contrast.dwFlags & HCF_HIGHCONTRASTON);
}

SystemPalette SystemPaletteNow()
{
    SystemPalette palette;
    palette.highContrast = HighContrastOn();
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
