// The four lines of the meter, each with the current period's figure and the all-time
// total. Only texts that differ from the ones shown make the meter lay out and repaint.
#include "meter_lines.h"
#include "../core/today.h"
#include "../res/resource.h"
#include "../text/formatting.h"
#include "../text/text.h"

#include <math.h>
#include <string.h>

typedef const char *LineBuilder(const char *format, const Figures &period,
                                const Figures &allTime);

static const char *KeysLine(const char *format, const Figures &period, const Figures &allTime)
{
    char current[GROUPED_SIZE];
    char total[GROUPED_SIZE];
    GroupDigits((int64_t)period.keys, current);
    GroupDigits((int64_t)allTime.keys, total);
    return FormatMeterText(format, current, total);
}

// Whole metres in 32 bits, then kilometres by integer division. A value outside the
// 64-bit range (only a corrupt total) shows as 0 instead of an undefined conversion.
static unsigned long WholeKilometres(double metres)
{
    if (!(metres > -9.2e18 && metres < 9.2e18))
        return 0;
    return (unsigned long)((uint32_t)(int64_t)metres / 1000);
}

static const char *DistanceLine(const char *format, const Figures &period, const Figures &allTime)
{
    double current = period.distance * 0.001;
    double total = allTime.distance * 0.001;
    // "%.3f" may carry a remainder up to 1000.000 beside the lower kilometre figure.
    return FormatMeterText(format, WholeKilometres(current), fmod(current, 1000.0),
                           WholeKilometres(total), fmod(total, 1000.0));
}

static const char *ClicksLine(const char *format, const Figures &period, const Figures &allTime)
{
    char current[3][GROUPED_SIZE];
    char total[3][GROUPED_SIZE];
    GroupDigits((int64_t)period.leftClicks, current[0]);
    GroupDigits((int64_t)period.middleClicks, current[1]);
    GroupDigits((int64_t)period.rightClicks, current[2]);
    GroupDigits((int64_t)allTime.leftClicks, total[0]);
    GroupDigits((int64_t)allTime.middleClicks, total[1]);
    GroupDigits((int64_t)allTime.rightClicks, total[2]);
    return FormatMeterText(format, current[0], current[1], current[2], total[0], total[1],
                           total[2]);
}

// The period's running time fits 32 bits (PeriodSeconds).
static const char *TimeLine(const char *format, const Figures &period, const Figures &allTime)
{
    uint64_t current = period.seconds, total = allTime.seconds;
    return FormatMeterText(format, (unsigned long)(current / 86400),
                           (unsigned long)(current / 3600 % 24), (unsigned long)(current / 60 % 60),
                           (unsigned long)(current % 60), total / 86400, total / 3600 % 24,
                           total / 60 % 60, total % 60);
}

const char *BuildMeterLine(int line)
{
    static const UINT formats[METER_LINE_COUNT] = {IDS_LINE_KEYS, IDS_LINE_DISTANCE,
                                                   IDS_LINE_CLICKS, IDS_LINE_TIME};
    static LineBuilder *const builders[METER_LINE_COUNT] = {KeysLine, DistanceLine, ClicksLine,
                                                            TimeLine};
    // One reading of the figures and the clock, so that a line's two running times agree.
    Figures period, allTime;
    PeriodAndAllTimeFigures(&period, &allTime);
    // A format that cannot be loaded is "-", which formats to itself without figures.
    return builders[line](LoadText(SLOT_GENERAL, formats[line]), period, allTime);
}

// Meter thread only, like every update and paint.
static char ShownLines[METER_LINE_COUNT][FORMAT_BUFFER_SIZE];

bool UpdateMeterLines()
{
    bool changed = false;
    for (int line = 0; line < METER_LINE_COUNT; ++line) {
        const char *text = BuildMeterLine(line);
        if (strcmp(text, ShownLines[line]) != 0) {
            strcpy(ShownLines[line], text);  // both fit FORMAT_BUFFER_SIZE
            changed = true;
        }
    }
    return changed;
}

const char *MeterLine(int line)
{
    return ShownLines[line];
}
