// Where the meter's lines stand and how large the meter must be to show them whole: worked
// out in MeterFont when the lines change, outside WM_PAINT. The window grows to fit the
// text and never shrinks; only clear data puts it back to its default size.
#ifndef TALLYWICK_METER_LAYOUT_H
#define TALLYWICK_METER_LAYOUT_H

#include <windows.h>
#include "meter_lines.h"

// In pixels of the client area, at MeterDpi.
struct MeterLayout {
    int lineMargin;   // left and right of every line
    int blockMargin;  // above and below the block of lines
    int lineHeight;   // the height of each line's rectangle
    int lineTop[METER_LINE_COUNT];
};

// The layout of the last measure (all zero before the first).
const MeterLayout &CurrentMeterLayout();
// Measures the lines the meter shows and grows the window to the left and upwards until
// they fit, keeping its right and bottom edges, without activating it.
void FitMeterToLines(HWND window);
// The lines built afresh from the figures, measured, the window grown to fit them, and the
// whole meter to be repainted: when it is shown, after a reset of its size, in a new font.
void LayOutMeter(HWND window);

#endif
