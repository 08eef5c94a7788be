// The meter's four lines of text: the figures of the period and all time, grouped and split.
#include <gtest/gtest.h>
#include "fakes/fake_clock.h"
#include "meter/meter_lines.h"
#include "meter_test_support.h"
#include "settings_key_support.h"

namespace {

struct MeterLinesTest : ::testing::Test {
    void SetUp() override { ResetMeterState(); }
};

std::string Line(int line)
{
    return BuildMeterLine(line);
}

TEST_F(MeterLinesTest, AllCurrentFiguresAreZeroAtTheStartOfAPeriod)
{
    ReplaceTotals(CounterBlock{5, 2000000.0, 3, 2, 1}, 61);
    EXPECT_EQ(Line(0), Ansi("键盘按动统计: 0 / 5"));
    EXPECT_EQ(Line(1), Ansi("鼠标移动统计: 0km 0.000m / 2km 0.000m"));
    EXPECT_EQ(Line(2), Ansi("鼠标点击次数 [左中右]: 0, 0, 0 /累计: 1, 2, 3"));
    EXPECT_EQ(Line(3), Ansi("运行时间: 0天 00:00:00 / 0天 00:01:01"));
}

TEST_F(MeterLinesTest, CountsAreGroupedDifferences)
{
    ReplaceTotals(CounterBlock{1000000, 0, 5, 0, 0}, 0);
    Count(1234567, 0, 1234, 5, 5);
    EXPECT_EQ(Line(0), Ansi("键盘按动统计: 1 234 567 / 2 234 567"));
    EXPECT_EQ(Line(2), Ansi("鼠标点击次数 [左中右]: 1 234, 5, 5 /累计: 1 234, 5, 10"));
}

TEST_F(MeterLinesTest, DistanceShowsKilometresAndTheMetreRemainder)
{
    ReplaceTotals(CounterBlock{0, 1234567.8915, 0, 0, 0}, 0);
    EXPECT_EQ(Line(1), Ansi("鼠标移动统计: 0km 0.000m / 1km 234.568m"));
    ReplaceTotals(CounterBlock{}, 0);
    Count(0, 999999.6);  // 999.9996 m: "%.3f" carries the remainder up to 1000
    EXPECT_EQ(Line(1), Ansi("鼠标移动统计: 0km 1000.000m / 0km 1000.000m"));
    ReplaceTotals(CounterBlock{0, 1500000.0, 0, 0, 0}, 0);
    Count(0, 3500000.0);
    EXPECT_EQ(Line(1), Ansi("鼠标移动统计: 3km 500.000m / 5km 0.000m"));
}

TEST_F(MeterLinesTest, RunningTimeSplitsDaysAndPadsTheClock)
{
    SetFakeTickCount(1000 * 1000);
    StartPeriod();
    SetFakeTickCount((1000 + 90061) * 1000 + 999);
    ReplaceTotals(CounterBlock{}, 400 * 86400ULL);
    EXPECT_EQ(Line(3), Ansi("运行时间: 1天 01:01:01 / 401天 01:01:01"));
    ReplaceTotals(CounterBlock{}, 1ULL << 40);  // beyond 32 bits: the total is 64-bit throughout
    SetFakeTickCount(1000 * 1000);
    EXPECT_EQ(Line(3), Ansi("运行时间: 0天 00:00:00 / 12725829天 00:36:16"));
}

TEST_F(MeterLinesTest, AfterATickWrapThePeriodRunsToTheEndOfTheCounter)
{
    SetFakeTickCount(4294000u * 1000u);
    StartPeriod();
    SetFakeTickCount(5000);  // wrapped, and no timer tick has started a new period yet
    EXPECT_EQ(Line(3), Ansi("运行时间: 0天 00:16:07 / 0天 00:16:07"));  // 967 s
}

}  // namespace
