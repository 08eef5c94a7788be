// Numbers as grouped digits, and the formatted-text entry points with their buffers.
#include "formatting.h"
#include <stdarg.h>
#include <stdio.h>
#include <string.h>
#include <windows.h>

const int DATE_TEXT_SIZE = 128;

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
#define FORMAT_ENTRY_POINT(name, buffer)                   \
    char *name(const char *format, ...)                    \
    {                                                       \
        va_list args;                                       \
        va_start(args, format);                             \
        FormatInto(buffer, sizeof buffer, format, args);    \
        va_end(args);                                       \
        return buffer;                                      \
    }

FORMAT_ENTRY_POINT(FormatDateText, DateText)
FORMAT_ENTRY_POINT(FormatTimeText, TimeText)
FORMAT_ENTRY_POINT(FormatDistanceText, DistanceText)
FORMAT_ENTRY_POINT(FormatClicksText, ClicksText)
FORMAT_ENTRY_POINT(FormatKeysText, KeysText)
FORMAT_ENTRY_POINT(FormatMeterText, MeterText)

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
