// The four lines of the meter, each with the current period's figure and the all-time
// total. Only texts that differ from the ones shown make the meter lay out and repaint.
#include "meter_lines.h"
#include "../core/figures.h"
#include "../res/resource.h"
#include "../text/formatting.h"
#include "../text/text.h"

#include <math.h>
#include <string.h>

static const char *KeysLine(const char *format)
{
    char current[GROUPED_SIZE];
    char total[GROUPED_SIZE];
    GroupDigits((int64_t)(Totals.keyPresses - PeriodBaseline.keyPresses), current);
    GroupDigits((int64_t)Totals.keyPresses, total);
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

static const char *DistanceLine(const char *format)
{
    double current = (Totals.distance - PeriodBaseline.distance) * 0.001;
    double total = Totals.distance * 0.001;
    // "%.3f" may carry a remainder up to 1000.000 beside the lower kilometre figure.
    return FormatMeterText(format, WholeKilometres(current), fmod(current, 1000.0),
                           WholeKilometres(total), fmod(total, 1000.0));
}

static const char *ClicksLine(const char *format)
{
    char current[3][GROUPED_SIZE];
    char total[3][GROUPED_SIZE];
    GroupDigits((int64_t)(Totals.leftClicks - PeriodBaseline.leftClicks), current[0]);
    GroupDigits((int64_t)(Totals.middleClicks - PeriodBaseline.middleClicks), current[1]);
    GroupDigits((int64_t)(Totals.rightClicks - PeriodBaseline.rightClicks), current[2]);
    GroupDigits((int64_t)Totals.leftClicks, total[0]);
    GroupDigits((int64_t)Totals.middleClicks, total[1]);
    GroupDigits((int64_t)Totals.rightClicks, total[2]);
    return FormatMeterText(format, current[0], current[1], current[2], total[0], total[1],
                           total[2]);
}

static const char *TimeLine(const char *format)
{
    // One clock reading for both figures, so the two agree within a line.
    uint32_t period = PeriodSeconds();
    uint64_t total = StoredTotalTime + period;
    return FormatMeterText(format, (unsigned long)(period / 86400),
                           (unsigned long)(period / 3600 % 24), (unsigned long)(period / 60 % 60),
                           (unsigned long)(period % 60), total / 86400, total / 3600 % 24,
                           total / 60 % 60, total % 60);
}

const char *BuildMeterLine(int line)
{
    static const UINT formats[METER_LINE_COUNT] = {IDS_LINE_KEYS, IDS_LINE_DISTANCE,
                                                   IDS_LINE_CLICKS, IDS_LINE_TIME};
    static const char *(*const builders[METER_LINE_COUNT])(const char *) = {
        KeysLine, DistanceLine, ClicksLine, TimeLine};
    // A format that cannot be loaded is "-", which formats to itself without figures.
    return builders[line](LoadText(SLOT_GENERAL, formats[line]));
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
