// The real clock (the other unit tests link the fake), in a namespace of its own.
#include <gtest/gtest.h>
#include <windows.h>

static SYSTEMTIME Now = {2010, 6, 1, 7, 12, 0, 0, 0};
static DWORD Ticks = 1000000;
static void StandInLocalTime(SYSTEMTIME *now) { *now = Now; }
static DWORD StandInTickCount() { return Ticks; }
#define GetLocalTime StandInLocalTime
#define GetTickCount StandInTickCount
namespace real {
#include "core/clock.cpp"
}

TEST(RealClockTest, TheDateIsReadAgainAfterAChangeOfTheSystemTime)
{
    SYSTEMTIME today;
    real::ClockLocalDate(&today);
    Now.wDay = 8;
    real::ClockTimeChanged();
    real::ClockLocalDate(&today);
    EXPECT_EQ(today.wDay, 8);
}

TEST(RealClockTest, TheLocalTimeIsReadAgainAtTheEdgeOfTheHour)
{
    Now = SYSTEMTIME{2010, 6, 1, 7, 12, 59, 59, 500};
    real::ClockTimeChanged();
    SYSTEMTIME today;
    real::ClockLocalDate(&today);
    Now = SYSTEMTIME{2010, 6, 1, 7, 13, 0, 0, 600};
    Ticks += 600;
    real::ClockLocalDate(&today);
    EXPECT_EQ(real::ClockLastReading()->wHour, 13) << "an event now is one of 13:00";
}
