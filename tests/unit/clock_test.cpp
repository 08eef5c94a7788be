// The real clock (the other unit tests link the fake), in a namespace of its own.
#include <gtest/gtest.h>
#include <windows.h>

static SYSTEMTIME Now = {2010, 6, 1, 7, 12, 0, 0, 0};
static void StandInLocalTime(SYSTEMTIME *now) { *now = Now; }
#define GetLocalTime StandInLocalTime
namespace real {
#include "app/clock.cpp"
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
