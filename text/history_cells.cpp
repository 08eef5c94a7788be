// The six cell texts of a history record, on the formatting entry points of text/.
#include "history_cells.h"

#include <math.h>
#include <windows.h>
#include "../core/dates.h"
#include "../res/resource.h"
#include "text.h"

const int DATE_PART_SIZE = 64;

char GroupedClicks[GROUPED_SIZE];
char GroupedKeys[GROUPED_SIZE];

char *HistoryTimeText(const HistoryRecord *record)
{
    unsigned long s = record->seconds;
    const char *format = LoadText(SLOT_TIME_FMT, IDS_FMT_TIME);
    return FormatTimeText(format, s / 3600, s / 60 % 60, s % 60);
}

// Millimetres to metres in single precision, as the figures were always shown.
static float DistanceMetres(const HistoryRecord *record)
{
    return record->distance * 0.001f;
}

// The integer part as an unsigned 32-bit value: truncated toward zero and wrapped modulo
// 2^32; a value with no 64-bit integer part (NaN, infinity, beyond 2^63) gives 0.
static uint32_t WholeUnits(float value)
{
    if (!(fabsf(value) < 9.2233720e18f))
        return 0;
    return (uint32_t)(int64_t)value;
}

char *HistoryMetresText(const HistoryRecord *record)
{
    float m = DistanceMetres(record);
    const char *format = LoadText(SLOT_CELL_FMT, IDS_FMT_METRES);
    return FormatDistanceText(format, (double)m);
}

char *HistoryDistanceText(const HistoryRecord *record)
{
    float m = DistanceMetres(record);
    float r = (float)fmod(m, 1000.0);
    unsigned long km = WholeUnits(m) / 1000;
    const char *format = LoadText(SLOT_CELL_FMT, IDS_FMT_DISTANCE);
    return FormatDistanceText(format, km, (double)r);
}

char *HistoryClicksText(uint16_t count)
{
    GroupDigits(count, GroupedClicks);
    const char *format = LoadText(SLOT_CELL_FMT, IDS_FMT_CLICKS);
    return FormatClicksText(format, GroupedClicks);
}

char *HistoryKeysText(const HistoryRecord *record)
{
    GroupDigits(record->keys, GroupedKeys);
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

char *HistoryDateText(const HistoryRecord *record)
{
    SYSTEMTIME date = SystemDateOf(record->date);

    char shortDate[DATE_PART_SIZE];
    char dayName[DATE_PART_SIZE];
    DatePart(&date, DATE_SHORTDATE, NULL, shortDate);
    DatePart(&date, 0, "ddd", dayName);
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
