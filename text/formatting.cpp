// Numbers, distances, running times and dates as text, in fixed global buffers.
#include "formatting.h"
#include <math.h>
#include <stdarg.h>
#include <stdio.h>
#include <string.h>
#include <windows.h>
#include "res/resource.h"
#include "text/text.h"

const int DATE_PART_SIZE = 64;
const int DATE_TEXT_SIZE = 128;

char GroupedClicks[GROUPED_SIZE];
char GroupedKeys[GROUPED_SIZE];

static char TimeText[FORMAT_BUFFER_SIZE];
static char DistanceText[FORMAT_BUFFER_SIZE];
static char ClicksText[FORMAT_BUFFER_SIZE];
static char KeysText[FORMAT_BUFFER_SIZE];
static char MeterText[FORMAT_BUFFER_SIZE];
static char DateText[DATE_TEXT_SIZE];

// The system's own C runtime formats, not MinGW's replacement that plain vsnprintf maps to:
// it reads "I64", and rounds a "%.3f" tie away from zero as every Windows program does.
// It leaves a cut text unterminated, so the last byte is kept for the zero.
static char *FormatInto(char *buffer, size_t size, const char *format, va_list args)
{
    _vsnprintf(buffer, size - 1, format, args);
    buffer[size - 1] = 0;
    return buffer;
}

// Each entry point owns its buffer, so that results of different ones can be held together.
#define FORMAT_ENTRY_POINT(linkage, name, buffer)          \
    linkage char *name(const char *format, ...)            \
    {                                                       \
        va_list args;                                       \
        va_start(args, format);                             \
        FormatInto(buffer, sizeof buffer, format, args);    \
        va_end(args);                                       \
        return buffer;                                      \
    }

FORMAT_ENTRY_POINT(static, FormatDate, DateText)
FORMAT_ENTRY_POINT(, FormatTimeText, TimeText)
FORMAT_ENTRY_POINT(, FormatDistanceText, DistanceText)
FORMAT_ENTRY_POINT(, FormatClicksText, ClicksText)
FORMAT_ENTRY_POINT(, FormatKeysText, KeysText)
FORMAT_ENTRY_POINT(, FormatMeterText, MeterText)

static void ReverseText(char *text)
{
    size_t length = strlen(text);
    for (size_t i = 0; i < length / 2; i++) {
        char c = text[i];
        text[i] = text[length - 1 - i];
        text[length - 1 - i] = c;
    }
}

// Radix-10 text of any signed 64-bit value; the magnitude is taken unsigned so that the
// most negative value has one too.
static void DecimalText(int64_t value, char *out)
{
    uint64_t magnitude = value < 0 ? 0 - (uint64_t)value : (uint64_t)value;
    char *p = out;
    do {
        *p++ = (char)('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0)
        *p++ = '-';
    *p = 0;
    ReverseText(out);
}

void GroupDigits(int64_t value, char *out)
{
    char scratch[24];
    DecimalText(value, scratch);
    // Copy from the last character backwards, a space after every third digit when
    // another digit follows; the result is reversed at the end.
    int digits = 0;
    char *p = out;
    for (int i = (int)strlen(scratch) - 1; i >= 0; i--) {
        *p++ = scratch[i];
        digits++;
        // Only the first character can be the minus sign.
        if (digits % 3 == 0 && i > 0 && scratch[i - 1] != '-')
            *p++ = ' ';
    }
    *p = 0;
    ReverseText(out);
}

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
    SYSTEMTIME date = {};
    date.wYear = (WORD)(record->date >> 16);
    date.wMonth = (WORD)((record->date >> 8) & 0xFF);
    date.wDay = (WORD)(record->date & 0xFF);
    date.wDayOfWeek = (WORD)DayOfWeek(date.wYear, date.wMonth, date.wDay);

    char shortDate[DATE_PART_SIZE];
    char dayName[DATE_PART_SIZE];
    DatePart(&date, DATE_SHORTDATE, NULL, shortDate);
    DatePart(&date, 0, "ddd", dayName);
    return FormatDate("%s (%s)", shortDate, dayName);
}

int DayOfWeek(int year, int month, int day)
{
    int m = month;
    int y = year;
    if (month < 3) {
        m = month + 12;
        y = year - 1;
    }
    return (day + 2 * m + (3 * (m + 1)) / 5 + y + y / 4 - y / 100 + y / 400 + 1) % 7;
}
