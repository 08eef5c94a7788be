// The legend's texts are drawn with DrawText, which centres them in the line by the font's
// own height; the alignment is set first, since DrawText draws with the DC's.
#include "shade_legend.h"
#include "../text/text.h"

#include <string.h>

int DrawLegendText(HDC dc, const RECT &line, int x, const char *text)
{
    SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    RECT box = {x, line.top, line.right, line.bottom};
    DrawTextA(dc, text, -1, &box, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
    SIZE size = {0, 0};
    GetTextExtentPoint32A(dc, text, (int)strlen(text), &size);
    return x + size.cx;
}

int DrawShadeLegend(HDC dc, const ShadeLegend &legend)
{
    SetTextColor(dc, legend.textColour);
    // Each text loaded as it is drawn: the string table has one slot for both.
    const char *fewer = LoadText(SLOT_GENERAL, legend.fewerId);
    int x = DrawLegendText(dc, legend.line, legend.line.left, fewer) + legend.gap;
    int top = legend.line.top + (legend.line.bottom - legend.line.top - legend.swatch.cy) / 2;
    for (int shade = legend.firstShade; shade <= legend.lastShade; ++shade) {
        RECT swatch = {x, top, x + legend.swatch.cx + legend.overlap, top + legend.swatch.cy};
        legend.drawSwatch(dc, swatch, shade, legend.context);
        x += legend.swatch.cx;
    }
    SetTextColor(dc, legend.textColour);
    return DrawLegendText(dc, legend.line, x + legend.gap, LoadText(SLOT_GENERAL, legend.moreId));
}
