// The counting operations of the core and the period clock, with the fake clock.
#include <gtest/gtest.h>
#include <math.h>
#include <string.h>
#include "core/dates.h"
#include "core/figures.h"
#include "fakes/fake_clock.h"

namespace {

LPARAM FloatBits(float value)
{
    uint32_t bits;
    memcpy(&bits, &value, sizeof bits);
    return (LPARAM)bits;
}

struct CountersTest : ::testing::Test {
    void SetUp() override
    {
        ResetFakeClock();
        ReplaceTotals(CounterBlock{}, 0);
        StartPeriod();
    }
};

TEST_F(CountersTest, HookMessagesRaiseOneCounterEach)
{
    OnKeyPress(0);
    OnKeyPress(0);
    OnClickLeft();
    OnClickMiddle();
    OnClickMiddle();
    OnClickRight();
    OnClickRight();
    OnClickRight();
    EXPECT_EQ(Totals.keyPresses, 2u);
    EXPECT_EQ(Totals.leftClicks, 1u);
    EXPECT_EQ(Totals.middleClicks, 2u);
    EXPECT_EQ(Totals.rightClicks, 3u);
    EXPECT_EQ(PeriodBaseline.keyPresses, 0u);
}

TEST_F(CountersTest, DistanceDropsWhatNoMouseStepCanBe)
{
    OnMouseDistance(FloatBits(2.5f));
    OnMouseDistance(FloatBits(10000.0f));  // the largest step taken
    OnMouseDistance(FloatBits(0.0f));
    OnMouseDistance((LPARAM)0x7FC00000);  // quiet NaN
    OnMouseDistance((LPARAM)0xFFC00001);  // negative NaN with payload
    OnMouseDistance(FloatBits(INFINITY));
    OnMouseDistance(FloatBits(-INFINITY));
    OnMouseDistance(FloatBits(-1.0f));
    OnMouseDistance(FloatBits(10000.001f));
    OnMouseDistance(FloatBits(3.0e38f));
    EXPECT_DOUBLE_EQ(Totals.distance, 10002.5);
}

TEST_F(CountersTest, IntegerCountersWrapModulo2To64)
{
    ReplaceTotals(CounterBlock{UINT64_MAX, 0, 0, 0, 0}, 0);
    OnKeyPress(0);
    EXPECT_EQ(Totals.keyPresses, 0u);
}

TEST_F(CountersTest, DateKeyPacksYearMonthDayAndOrdersLikeDates)
{
    SetFakeDate(2010, 6, 7);
    EXPECT_EQ(TodayDateKey(), 0x07DA0607u);
    SYSTEMTIME a = {2010, 12, 0, 31, 0, 0, 0, 0};
    SYSTEMTIME b = {2011, 1, 0, 1, 0, 0, 0, 0};
    SYSTEMTIME c = {2011, 1, 0, 2, 0, 0, 0, 0};
    EXPECT_LT(MakeDateKey(a), MakeDateKey(b));
    EXPECT_LT(MakeDateKey(b), MakeDateKey(c));
}

TEST_F(CountersTest, PeriodSecondsFollowTheTickCounter)
{
    SetFakeTickCount(1000999);
    StartPeriod();
    EXPECT_EQ(PeriodStartSeconds, 1000u);
    EXPECT_EQ(PeriodDate, 0x07DA0607u);
    SetFakeTickCount((1000 + 90061) * 1000 + 999);
    EXPECT_EQ(PeriodSeconds(), 90061u);
    ReplaceTotals(CounterBlock{}, 0xFFFFFFFFull);
    EXPECT_EQ(AllTimeSeconds(), 0xFFFFFFFFull + 90061u);
}

TEST_F(CountersTest, TickCountOfAllOnesCountsAsWrap)
{
    SetFakeTickCount(0xFFFFFFFF);
    EXPECT_EQ(TickCountOrWrap(), TICK_WRAPPED);
}

TEST_F(CountersTest, AfterAWrapThePeriodEndsAtTheLastWholeSecond)
{
    SetFakeTickCount((4294967u - 967u) * 1000u);
    StartPeriod();
    SetFakeTickCount(5000);  // the counter has wrapped
    EXPECT_EQ(TickCountOrWrap(), TICK_WRAPPED);
    EXPECT_EQ(PeriodSeconds(), 967u);
    SetFakeTickCount(900000);
    EXPECT_EQ(PeriodSeconds(), 967u);
}

}  // namespace
