// The real clock: the system tick counter, the unbiased time and the local date.
//
// The meter timer asks for the date every second, and under Wine each reading of the
// local time is a round trip to the system that costs more than the rest of an idle tick.
// So the date is read again only when it can have changed: when the tick count reaches
// the next local midnight, after a change of the system time, and at least once a minute,
// which bounds how late a change that no message announces can be seen.
#include "clock.h"

static const DWORD DATE_RECHECK_MS = 60 * 1000;
static const DWORD DAY_MS = 24 * 60 * 60 * 1000;

static SYSTEMTIME LastReading;
static DWORD LastReadingTicks;
static DWORD ReadingValidMs;  // 0: read the system time at the next call

DWORD ClockTickCount()
{
    return GetTickCount();
}

// The call fails only for a null pointer.
ULONGLONG ClockUnbiasedMs()
{
    ULONGLONG hundredsOfNanoseconds = 0;
    QueryUnbiasedInterruptTime(&hundredsOfNanoseconds);
    return hundredsOfNanoseconds / 10000;
}

// Milliseconds from `now` to the next local midnight, at least 1.
static DWORD MsToMidnight(const SYSTEMTIME &now)
{
    DWORD elapsed = ((now.wHour * 60u + now.wMinute) * 60u + now.wSecond) * 1000u
                    + now.wMilliseconds;
    return elapsed < DAY_MS ? DAY_MS - elapsed : 1;
}

void ClockLocalDate(SYSTEMTIME *today)
{
    DWORD ticks = GetTickCount();
    // Unsigned difference, so that the wrap of the tick counter does no harm.
    if (ReadingValidMs == 0 || ticks - LastReadingTicks >= ReadingValidMs) {
        GetLocalTime(&LastReading);
        LastReadingTicks = ticks;
        DWORD untilMidnight = MsToMidnight(LastReading);
        ReadingValidMs = untilMidnight < DATE_RECHECK_MS ? untilMidnight : DATE_RECHECK_MS;
    }
    *today = LastReading;
}

void ClockTimeChanged()
{
    ReadingValidMs = 0;
}
