// The six cell texts of a history day, on the formatting entry points of text/.
#include "history_cells.h"

#include <float.h>
#include <cmath>
#include <windows.h>
#include "../core/dates.h"
#include "../res/resource.h"
#include "text.h"

const int DATE_PART_SIZE = 64;

char GroupedClicks[GROUPED_SIZE];
char GroupedKeys[GROUPED_SIZE];

// The hours as an unsigned long, as the text table's format takes them: a day's seconds
// summed over computers would need 15 trillion to pass it.
char *HistoryTimeText(uint64_t seconds)
{
    const char *format = LoadText(SLOT_TIME_FMT, IDS_FMT_TIME);
    return FormatTimeText(format, (unsigned long)(seconds / 3600),
                          (unsigned long)(seconds / 60 % 60), (unsigned long)(seconds % 60));
}

// A distance that a record's single precision holds exactly (a record's own, or a day that
// one computer alone counted) is shown in single precision, to the same text as a record
// always had; a sum it cannot hold keeps its double precision.
static bool HeldInSinglePrecision(double distance)
{
    return !std::isfinite(distance)
           || (std::fabs(distance) <= FLT_MAX && (double)(float)distance == distance);
}

// Millimetres to metres in the precision the distance is held in.
static double DistanceMetres(double distance)
{
    if (HeldInSinglePrecision(distance))
        return (double)((float)distance * 0.001f);
    return distance * 0.001;
}

// The integer part as an unsigned 32-bit value: truncated toward zero and wrapped modulo
// 2^32; a value with no 64-bit integer part (NaN, infinity, from 2^63) gives 0.
static uint32_t WholeUnits(double value)
{
    if (!(std::fabs(value) < 9223372036854775808.0))
        return 0;
    return (uint32_t)(int64_t)value;
}

char *HistoryMetresText(double distance)
{
    const char *format = LoadText(SLOT_CELL_FMT, IDS_FMT_METRES);
    return FormatDistanceText(format, DistanceMetres(distance));
}

// The metres past the kilometres in the precision of the distance: a float's remainder is
// rounded to single precision as it always was.
char *HistoryDistanceText(double distance)
{
    double m = DistanceMetres(distance);
    double r = std::fmod(m, 1000.0);
    if (HeldInSinglePrecision(distance))
        r = (double)(float)r;
    unsigned long km = WholeUnits(m) / 1000;
    const char *format = LoadText(SLOT_CELL_FMT, IDS_FMT_DISTANCE);
    return FormatDistanceText(format, km, r);
}

char *HistoryClicksText(uint64_t count)
{
    GroupDigits((int64_t)count, GroupedClicks);
    const char *format = LoadText(SLOT_CELL_FMT, IDS_FMT_CLICKS);
    return FormatClicksText(format, GroupedClicks);
}

char *HistoryKeysText(uint64_t count)
{
    GroupDigits((int64_t)count, GroupedKeys);
    const char *format = LoadText(SLOT_KEYS_FMT, IDS_FMT_KEYS);
    return FormatKeysText(format, GroupedKeys);
}

// A date the platform cannot format (month 13 or day 0 from an imported file) leaves
// that part empty rather than whatever the buffer held.
static void DatePart(const SYSTEMTIME *date, DWORD flags, const char *picture, char *out)
{
    if (GetDateFormatA(LOCALE_USER_DEFAULT, flags, date, picture, out, DATE_PART_SIZE) == 0)
        out[0] = 0;
}

char *HistoryDateText(DateKey date)
{
    SYSTEMTIME parts = SystemDateOf(date);

    char shortDate[DATE_PART_SIZE];
    char dayName[DATE_PART_SIZE];
    DatePart(&parts, DATE_SHORTDATE, NULL, shortDate);
    DatePart(&parts, 0, "ddd", dayName);
    return FormatDateText("%s (%s)", shortDate, dayName);
}

char *MomentText(uint64_t fileTime)
{
    static char text[2 * DATE_PART_SIZE];
    FILETIME utc = {(DWORD)fileTime, (DWORD)(fileTime >> 32)}, local;
    SYSTEMTIME moment;
    text[0] = 0;
    if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToSystemTime(&local, &moment))
        return text;
    char date[DATE_PART_SIZE], time[DATE_PART_SIZE];
    DatePart(&moment, DATE_SHORTDATE, NULL, date);
    if (GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &moment, NULL, time, DATE_PART_SIZE) == 0)
        time[0] = 0;
    wsprintfA(text, "%s %s", date, time);
    return text;
}
