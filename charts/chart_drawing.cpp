// The chart's colours and shapes.
#include "chart_drawing.h"

#include <algorithm>
#include <string.h>
#include <wchar.h>
#include "../ui/dpi.h"
#include "../ui/palette.h"

// The system's colours, each shape outlined.
static ChartColours HighContrastColours(const SystemPalette &palette)
{
    ChartColours colours;
    COLORREF window = palette.window, highlight = palette.highlight;
    colours.background = window;
    colours.text = palette.windowText;
    colours.mutedText = colours.text;
    colours.grid = palette.grayText;
    colours.bar = highlight;
    colours.barHighlighted = palette.hotLight;
    colours.band = window;
    colours.average = colours.text;
    colours.zero = window;
    for (int i = 0; i < 3; ++i)
        colours.clicks[i] = MixColours(window, highlight, 1.0 - 0.35 * i);
    for (int i = 0; i < BLUE_SHADES; ++i)
        colours.shades[i] = HighContrastShade(palette, i, BLUE_SHADES);
    colours.outlined = true;
    return colours;
}

static ChartColours LightColours()
{
    ChartColours colours;
    colours.background = RGB(255, 255, 255);
    colours.text = RGB(33, 33, 33);
    colours.mutedText = RGB(100, 100, 100);
    colours.grid = RGB(226, 226, 226);
    colours.bar = RGB(49, 130, 189);
    colours.barHighlighted = RGB(8, 48, 107);
    colours.band = RGB(222, 235, 247);
    colours.average = RGB(230, 85, 13);  // orange: apart from blue for every colour vision
    colours.zero = RGB(235, 237, 240);
    const COLORREF clicks[3] = {RGB(8, 81, 156), RGB(66, 146, 198), RGB(158, 202, 225)};
    memcpy(colours.clicks, clicks, sizeof clicks);
    memcpy(colours.shades, BlueRamp(false), sizeof colours.shades);
    colours.outlined = false;
    return colours;
}

// The dark palette's window and texts; the blues lighter, as they stand out of the dark.
static ChartColours DarkColours(const SystemPalette &palette)
{
    ChartColours colours;
    colours.background = palette.window;
    colours.text = palette.windowText;
    colours.mutedText = palette.grayText;
    colours.grid = MixColours(palette.window, palette.windowText, 0.15);
    colours.bar = RGB(66, 146, 198);
    colours.barHighlighted = RGB(158, 202, 225);
    colours.band = RGB(28, 48, 72);
    colours.average = RGB(253, 141, 60);
    colours.zero = MixColours(palette.window, palette.windowText, 0.08);
    const COLORREF clicks[3] = {RGB(158, 202, 225), RGB(66, 146, 198), RGB(8, 81, 156)};
    memcpy(colours.clicks, clicks, sizeof clicks);
    memcpy(colours.shades, BlueRamp(true), sizeof colours.shades);
    colours.outlined = false;
    return colours;
}

ChartColours ChartColoursNow()
{
    SystemPalette palette = SystemPaletteNow();
    if (palette.highContrast)
        return HighContrastColours(palette);
    if (palette.dark)
        return DarkColours(palette);
    return LightColours();
}

void FillArea(HDC dc, const RECT &rect, COLORREF colour)
{
    SetBkColor(dc, colour);
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rect, "", 0, nullptr);
}

void FrameArea(HDC dc, const RECT &rect, int width, COLORREF colour)
{
    FillArea(dc, RECT{rect.left, rect.top, rect.right, rect.top + width}, colour);
    FillArea(dc, RECT{rect.left, rect.bottom - width, rect.right, rect.bottom}, colour);
    FillArea(dc, RECT{rect.left, rect.top, rect.left + width, rect.bottom}, colour);
    FillArea(dc, RECT{rect.right - width, rect.top, rect.right, rect.bottom}, colour);
}

void DrawShape(HDC dc, const RECT &rect, COLORREF colour, const ChartColours &colours, int line)
{
    if (rect.right <= rect.left || rect.bottom <= rect.top)
        return;
    FillArea(dc, rect, colour);
    if (colours.outlined)
        FrameArea(dc, rect, line, colours.text);
}

// Both widths of text are drawn alike; only the call that takes the text differs.
static void PrepareLabel(HDC dc, UINT align, COLORREF colour)
{
    SetTextColor(dc, colour);
    SetTextAlign(dc, align | TA_TOP | TA_NOUPDATECP);
}

void DrawLabel(HDC dc, int x, int y, const char *text, UINT align, COLORREF colour)
{
    PrepareLabel(dc, align, colour);
    TextOutA(dc, x, y, text, (int)strlen(text));
}

void DrawLabel(HDC dc, int x, int y, const wchar_t *text, UINT align, COLORREF colour)
{
    PrepareLabel(dc, align, colour);
    TextOutW(dc, x, y, text, (int)wcslen(text));
}

int LabelWidth(HDC dc, const char *text)
{
    SIZE size = {0, 0};
    GetTextExtentPoint32A(dc, text, (int)strlen(text), &size);
    return size.cx;
}

int LabelWidth(HDC dc, const wchar_t *text)
{
    SIZE size = {0, 0};
    GetTextExtentPoint32W(dc, text, (int)wcslen(text), &size);
    return size.cx;
}

int LineWidth(UINT dpi)
{
    return std::max(1, Scale(1, dpi));
}
