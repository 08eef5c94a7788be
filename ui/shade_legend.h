// The legend of a picture shaded by rank: "fewer", a swatch of each shade, "more", in a row.
#ifndef TALLYWICK_SHADE_LEGEND_H
#define TALLYWICK_SHADE_LEGEND_H

#include <windows.h>

// Draws the swatch of `shade` filling `swatch`, as the picture draws that shade.
typedef void (*DrawSwatchFunction)(HDC dc, const RECT &swatch, int shade, const void *context);

struct ShadeLegend {
    RECT line;                   // the row, from its left edge; all is centred in its height
    int gap;                     // between a text and the swatches
    SIZE swatch;                 // one swatch
    int overlap;                 // pixels a swatch reaches into the next: their edges shared
    int firstShade, lastShade;   // the swatches' shades, in order
    UINT fewerId, moreId;        // the texts' ids in the string table
    COLORREF textColour;
    DrawSwatchFunction drawSwatch;
    const void *context;
};

// Draws the legend in the DC's font; returns where "more" ends.
int DrawShadeLegend(HDC dc, const ShadeLegend &legend);
// A text at `x`, centred in the height of `line` in the DC's font and text colour; returns
// where it ends.
int DrawLegendText(HDC dc, const RECT &line, int x, const char *text);

#endif
