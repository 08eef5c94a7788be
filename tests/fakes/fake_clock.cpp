#include "fake_clock.h"
#include "core/clock.h"
#include "core/dates.h"

static DWORD FakeTicks = 1000000;
static ULONGLONG FakeUnbiasedMs;
static SYSTEMTIME FakeNow = {2010, 6, 1, 7, 12, 0, 0, 0};

void SetFakeTickCount(DWORD ticks)
{
    FakeUnbiasedMs += (DWORD)(ticks - FakeTicks);  // the machine ran meanwhile
    FakeTicks = ticks;
}

void SleepFakeClock(DWORD ms)
{
    FakeTicks += ms;
}

void SetFakeDate(WORD year, WORD month, WORD day)
{
    FakeNow.wYear = year;
    FakeNow.wMonth = month;
    FakeNow.wDay = day;
    FakeNow.wDayOfWeek = (WORD)DayOfWeek(MakeDateKey(year, month, day));
}

void SetFakeTime(WORD hour, WORD minute, WORD second)
{
    FakeNow.wHour = hour;
    FakeNow.wMinute = minute;
    FakeNow.wSecond = second;
}

void ResetFakeClock()
{
    FakeTicks = 1000000;
    SetFakeDate(2010, 6, 7);
    SetFakeTime(12, 0, 0);
}

DWORD ClockTickCount()
{
    return FakeTicks;
}

ULONGLONG ClockUnbiasedMs()
{
    return FakeUnbiasedMs;
}

// Always the date set: the tests change it at will and expect the next tick to see it.
void ClockLocalDate(SYSTEMTIME *today)
{
    *today = FakeNow;
}

const SYSTEMTIME *ClockLastReading()
{
    return &FakeNow;
}

void ClockTimeChanged()
{
}
