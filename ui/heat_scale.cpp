// Ranks without allocation: at most MAX_HEAT_COUNTS counts are sorted on the stack.
#include "heat_scale.h"

#include <algorithm>

// Eight even steps of the viridis ramp, dark violet to yellow: its lightness rises
// steadily, so the order reads in grey and to the colour-blind too.
static const COLORREF RAMP[HEAT_CLASSES] = {
    RGB(0x44, 0x01, 0x54), RGB(0x46, 0x33, 0x7E), RGB(0x36, 0x5C, 0x8D), RGB(0x27, 0x7F, 0x8E),
    RGB(0x1F, 0xA1, 0x87), RGB(0x4A, 0xC1, 0x6D), RGB(0x9F, 0xDA, 0x3A), RGB(0xFD, 0xE7, 0x25),
};
// The first class light enough for black text (relative luminance over 0.18).
static const int FIRST_LIGHT_CLASS = 4;

void RankHeatClasses(const uint64_t *counts, int n, int8_t *classes,
                     uint64_t lowest[HEAT_CLASSES])
{
    uint64_t sorted[MAX_HEAT_COUNTS];
    int m = 0;
    for (int i = 0; i < n && i < MAX_HEAT_COUNTS; ++i)
        if (counts[i] != 0)
            sorted[m++] = counts[i];
    std::sort(sorted, sorted + m);
    std::fill(lowest, lowest + HEAT_CLASSES, 0);
    for (int i = 0; i < n; ++i) {
        classes[i] = NO_HEAT;
        if (counts[i] == 0 || i >= MAX_HEAT_COUNTS)
            continue;
        int first = (int)(std::lower_bound(sorted, sorted + m, counts[i]) - sorted);
        int last = (int)(std::upper_bound(sorted, sorted + m, counts[i]) - sorted) - 1;
        // The mid-rank over 0..m-1, spread over the classes; a lone count is the most.
        int heat = m == 1 ? HEAT_CLASSES - 1
                          : ((first + last) * (HEAT_CLASSES - 1) + (m - 1)) / (2 * (m - 1));
        classes[i] = (int8_t)heat;
        if (lowest[heat] == 0 || counts[i] < lowest[heat])
            lowest[heat] = counts[i];
    }
}

COLORREF HeatColour(int heatClass)
{
    return RAMP[std::min(std::max(heatClass, 0), HEAT_CLASSES - 1)];
}

COLORREF HeatTextColour(int heatClass)
{
    return heatClass >= FIRST_LIGHT_CLASS ? RGB(0, 0, 0) : RGB(255, 255, 255);
}
