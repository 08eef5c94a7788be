// The heatmap's colour scale: counts shaded by their rank among the non-zero ones, so
// that one very busy key (Space, E) does not wash out every other, on a perceptually even
// ramp that readers with the common colour-vision deficiencies can still read in order.
#ifndef TALLYWICK_HEAT_SCALE_H
#define TALLYWICK_HEAT_SCALE_H

#include <windows.h>
#include <stdint.h>

const int HEAT_CLASSES = 8;
const int8_t NO_HEAT = -1;          // a count of 0: never pressed, drawn plain
const int MAX_HEAT_COUNTS = 128;    // counts beyond this many are all left plain

// The class of each of `n` counts, 0 (fewest) to HEAT_CLASSES - 1 (most), by its mid-rank
// among the non-zero counts (equal counts share a class); NO_HEAT for 0. `lowest` gets
// each class's smallest count, 0 for a class that none falls in.
void RankHeatClasses(const uint64_t *counts, int n, int8_t *classes,
                     uint64_t lowest[HEAT_CLASSES]);
COLORREF HeatColour(int heatClass);
// Black or white, whichever reads better on the class's colour.
COLORREF HeatTextColour(int heatClass);

#endif
