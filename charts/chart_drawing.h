// The chart's colours and the few shapes it is drawn with. Every shape is a whole-pixel
// rectangle, so the picture is as crisp at 192 dpi as at 96. With high contrast on, the
// colours are the system's; otherwise a single-hue blue scale, even to the eye and readable
// with every common colour blindness, and an orange average, on white or, in the dark app
// mode, on the dark palette's window.
#ifndef TALLYWICK_CHART_DRAWING_H
#define TALLYWICK_CHART_DRAWING_H

#include <windows.h>
#include "chart_view.h"
#include "../ui/rank_shading.h"

struct ChartColours {
    COLORREF background, text, mutedText, grid, bar, barHighlighted, band, average, zero;
    COLORREF clicks[3];            // left, middle, right, from the bottom up
    COLORREF shades[BLUE_SHADES];  // the blue ramp's classes of non-zero values, few to many
    bool outlined;            // high contrast: each shape has an outline in the text colour
};

// The colours for the next paint: the system's while high contrast is on, else light or dark.
ChartColours ChartColoursNow();
void FillArea(HDC dc, const RECT &rect, COLORREF colour);
// A frame `width` pixels wide inside `rect`.
void FrameArea(HDC dc, const RECT &rect, int width, COLORREF colour);
// A shape in its colour, outlined where high contrast asks for it; nothing when empty.
void DrawShape(HDC dc, const RECT &rect, COLORREF colour, const ChartColours &colours, int line);
// Text with its top at y; `align` is TA_LEFT, TA_CENTER or TA_RIGHT. A text of the user's
// locale (names of days and months) comes wide, every other one in the ANSI code page.
void DrawLabel(HDC dc, int x, int y, const char *text, UINT align, COLORREF colour);
void DrawLabel(HDC dc, int x, int y, const wchar_t *text, UINT align, COLORREF colour);
int LabelWidth(HDC dc, const char *text);
int LabelWidth(HDC dc, const wchar_t *text);
// The width of a line at `dpi`.
int LineWidth(UINT dpi);

#endif
