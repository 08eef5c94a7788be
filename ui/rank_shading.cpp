// Ranks without allocation: at most MAX_SHADED_VALUES values are sorted on the stack.
#include "rank_shading.h"

#include <algorithm>

static const COLORREF BLUE_RAMP[BLUE_SHADES] = {
    RGB(198, 219, 239), RGB(158, 202, 225), RGB(107, 174, 214), RGB(49, 130, 189), RGB(8, 81, 156)};
static const COLORREF DARK_BLUE_RAMP[BLUE_SHADES] = {
    RGB(8, 81, 156), RGB(49, 130, 189), RGB(107, 174, 214), RGB(158, 202, 225), RGB(198, 219, 239)};
static const COLORREF VIRIDIS_RAMP[VIRIDIS_SHADES] = {
    RGB(0x44, 0x01, 0x54), RGB(0x46, 0x33, 0x7E), RGB(0x36, 0x5C, 0x8D), RGB(0x27, 0x7F, 0x8E),
    RGB(0x1F, 0xA1, 0x87), RGB(0x4A, 0xC1, 0x6D), RGB(0x9F, 0xDA, 0x3A), RGB(0xFD, 0xE7, 0x25),
};
// Viridis from 0.22 to 1 in even steps: its darkest violets would sink into a dark key.
static const COLORREF DARK_VIRIDIS_RAMP[VIRIDIS_SHADES] = {
    RGB(0x3F, 0x49, 0x88), RGB(0x32, 0x67, 0x8D), RGB(0x26, 0x83, 0x8D), RGB(0x22, 0x9D, 0x88),
    RGB(0x38, 0xB7, 0x77), RGB(0x6E, 0xCD, 0x58), RGB(0xB5, 0xDD, 0x2B), RGB(0xFD, 0xE7, 0x25),
};
// The first shade of each form light enough for black text (relative luminance over 0.18).
static const int FIRST_LIGHT_VIRIDIS = 4;
static const int FIRST_LIGHT_DARK_VIRIDIS = 2;

static int SortPositive(const double *values, int n, double *sorted)
{
    int m = 0;
    for (int i = 0; i < n && i < MAX_SHADED_VALUES; ++i)
        if (values[i] > 0)
            sorted[m++] = values[i];
    std::sort(sorted, sorted + m);
    return m;
}

// `value` among the `m` sorted ones, which hold it.
static int RankedShade(double value, const double *sorted, int m, int classes, RankRule rule)
{
    int upTo = (int)(std::upper_bound(sorted, sorted + m, value) - sorted);
    if (rule == RANK_BY_SHARE)
        return std::max(0, (upTo * classes - 1) / m);
    if (m == 1)
        return classes - 1;  // a lone value is the most
    int first = (int)(std::lower_bound(sorted, sorted + m, value) - sorted);
    // The mid-rank over 0..m-1 spread over the classes, rounded to the nearest.
    return ((first + upTo - 1) * (classes - 1) + (m - 1)) / (2 * (m - 1));
}

void RankShades(const double *values, int n, int classes, RankRule rule, int8_t *shades,
                double *lowest)
{
    double sorted[MAX_SHADED_VALUES];
    int m = SortPositive(values, n, sorted);
    if (lowest)
        std::fill(lowest, lowest + classes, 0.0);
    for (int i = 0; i < n; ++i) {
        double value = i < MAX_SHADED_VALUES ? values[i] : 0.0;
        if (value < 0 || value == 0 || m == 0) {
            shades[i] = value < 0 ? NO_VALUE_SHADE : ZERO_SHADE;
            continue;
        }
        int shade = RankedShade(value, sorted, m, classes, rule);
        shades[i] = (int8_t)shade;
        if (lowest && (lowest[shade] == 0 || value < lowest[shade]))
            lowest[shade] = value;
    }
}

const COLORREF *BlueRamp(bool dark)
{
    return dark ? DARK_BLUE_RAMP : BLUE_RAMP;
}

const COLORREF *ViridisRamp(bool dark)
{
    return dark ? DARK_VIRIDIS_RAMP : VIRIDIS_RAMP;
}

COLORREF ViridisTextColour(int shade, bool dark)
{
    int firstLight = dark ? FIRST_LIGHT_DARK_VIRIDIS : FIRST_LIGHT_VIRIDIS;
    return shade >= firstLight ? RGB(0, 0, 0) : RGB(255, 255, 255);
}

COLORREF HighContrastShade(const SystemPalette &palette, int shade, int classes)
{
    return MixColours(palette.window, palette.highlight, (shade + 1) / (double)classes);
}
