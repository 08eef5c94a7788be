// Shading by rank: values shaded by their rank among the non-zero ones, so that one extreme
// (a busy day, the space bar) does not wash out all others; and the program's two colour
// ramps, both even to the eye and readable in order with the common colour-vision
// deficiencies.
#ifndef TALLYWICK_RANK_SHADING_H
#define TALLYWICK_RANK_SHADING_H

#include <windows.h>
#include <stdint.h>
#include "palette.h"

const int8_t ZERO_SHADE = -1;      // a value of 0: drawn plain
const int8_t NO_VALUE_SHADE = -2;  // a negative value: nothing to shade (a day without record)
const int MAX_SHADED_VALUES = 366; // values beyond this many are all left plain

enum RankRule {
    // By the share of the values up to and including it: classes as even in size as can be,
    // equal values in the highest class they reach. The chart's calendar and week clock.
    RANK_BY_SHARE,
    // By the mid-rank, spread evenly from the first class to the last: the fewest always in
    // the first, the most in the last, equal values together. The keyboard and the mouse.
    RANK_BY_SPREAD,
};

// The shade of each of `n` values: 0 (fewest) to `classes` - 1 (most), ZERO_SHADE or
// NO_VALUE_SHADE. `lowest`, where given, gets each class's smallest value, 0 for a class
// that none falls in.
void RankShades(const double *values, int n, int classes, RankRule rule, int8_t *shades,
                double *lowest);

// The program's two ramps, each in a form for a light background and one for a dark one:
// the fewest in the shade nearest the background, the most in the one most apart from it.
// The chart's: one hue of blue, pale to dark on light, dark to pale on dark.
const int BLUE_SHADES = 5;
const COLORREF *BlueRamp(bool dark);
// The keyboard's: eight even steps of the viridis ramp, dark violet to yellow (on dark from
// its blue-violet on, apart from a dark key's face); its lightness rises steadily, so the
// order reads in grey too.
const int VIRIDIS_SHADES = 8;
const COLORREF *ViridisRamp(bool dark);
// Black or white, whichever reads better on the viridis shade of that form.
COLORREF ViridisTextColour(int shade, bool dark);
// A shade of `classes` in high contrast: the window's colour with ever more of the highlight.
COLORREF HighContrastShade(const SystemPalette &palette, int shade, int classes);

#endif
