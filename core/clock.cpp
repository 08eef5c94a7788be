// The real clock: the system tick counter, the unbiased time and the local date.
//
// The meter timer asks for the date every second, and under Wine each reading of the
// local time is a round trip to the system that costs more than the rest of an idle tick.
// So the local time is read again only when its date or hour can have changed: when the
// tick count reaches the next full hour (midnight among them), after a change of the
// system time, and at least once a minute, which bounds how late a change that no message
// announces can be seen. The hook messages take the hour of the week from the last
// reading, so that counting never calls the system.
#include "clock.h"

static const DWORD DATE_RECHECK_MS = 60 * 1000;
static const DWORD HOUR_MS = 60 * 60 * 1000;

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

// Milliseconds from `now` to the next full hour of local time, at least 1.
static DWORD MsToNextHour(const SYSTEMTIME &now)
{
    DWORD elapsed = (now.wMinute * 60u + now.wSecond) * 1000u + now.wMilliseconds;
    return elapsed < HOUR_MS ? HOUR_MS - elapsed : 1;
}

void ClockLocalDate(SYSTEMTIME *today)
{
    DWORD ticks = GetTickCount();
    // Unsigned difference, so that the wrap of the tick counter does no harm.
    if (ReadingValidMs == 0 || ticks - LastReadingTicks >= ReadingValidMs) {
        GetLocalTime(&LastReading);
        LastReadingTicks = ticks;
        DWORD untilNextHour = MsToNextHour(LastReading);
        ReadingValidMs = untilNextHour < DATE_RECHECK_MS ? untilNextHour : DATE_RECHECK_MS;
    }
    *today = LastReading;
}

const SYSTEMTIME *ClockLastReading()
{
    return &LastReading;
}

void ClockTimeChanged()
{
    ReadingValidMs = 0;
}
