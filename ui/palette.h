// The colours the windows draw their own parts in, read afresh for each paint: the
// system's (always while high contrast is on, and in the light app mode), or the dark
// palette while the app mode is dark.
#ifndef TALLYWICK_PALETTE_H
#define TALLYWICK_PALETTE_H

#include <windows.h>

struct SystemPalette {
    bool highContrast;
    bool dark;                    // the dark palette: app mode dark, high contrast off
    COLORREF window, windowText;  // a window's face and its text
    COLORREF face, faceText;      // a dialog's face (3D face) and its text
    COLORREF shadow, grayText;    // 3D shadow, text of what is turned off
    COLORREF highlight, hotLight; // the selection, a hot-tracked item
};

// The colours now: the user may turn high contrast or the dark mode on or off, or change a
// colour, at any time.
SystemPalette SystemPaletteNow();
// `a` with a share `t` (0 to 1) of `b`.
COLORREF MixColours(COLORREF a, COLORREF b, double t);

#endif
