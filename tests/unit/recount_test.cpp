// The recount of the totals from the history, through the real registry and ClearData().
#include <gtest/gtest.h>
#include <windows.h>
#include <cmath>
#include <string.h>
#include <vector>
#include "app/program.h"
#include "fakes/fake_clock.h"
#include "settings_key_support.h"

namespace {

const DateKey JUNE_5 = 0x07DA0605;
const DateKey JUNE_6 = 0x07DA0606;
const DateKey JUNE_7 = 0x07DA0607;  // the fake clock's day
const DWORD PERIOD_START_TICKS = 1000000;

double StoredDistance()
{
    double distance = -1.0;
    uint64_t bits = ReadSettingsQword("Mouse Trajectory");
    memcpy(&distance, &bits, sizeof distance);
    return distance;
}

std::vector<HistoryRecord> StoredRecords()
{
    return std::vector<HistoryRecord>(StoredHistory.records,
                                      StoredHistory.records + StoredHistory.count);
}

bool SameRecords(const std::vector<HistoryRecord> &a, const std::vector<HistoryRecord> &b)
{
    return a.size() == b.size() &&
           (a.empty() || memcmp(a.data(), b.data(), a.size() * sizeof(HistoryRecord)) == 0);
}

struct RecountTest : ::testing::Test {
    void SetUp() override
    {
        ResetProgramState();
        SetFakeTickCount(PERIOD_START_TICKS);
        StartPeriod();
    }
    void TearDown() override
    {
        DeleteSettingsKey();
        ClearStoredHistory();
        ResetFakeClock();
    }

    static void CountInPeriod(uint32_t keys, double distance, uint32_t right, uint32_t middle,
                              uint32_t left, DWORD seconds)
    {
        Count(keys, distance, left, middle, right);
        SetFakeTickCount(PERIOD_START_TICKS + seconds * 1000);
    }
    static void Append(const HistoryRecord &record)
    {
        ASSERT_TRUE(AppendStoredRecord(&record));
    }
    // Totals, baseline and the key agree, and the meter's period figures are all zero.
    static void ExpectTotalsStored(uint64_t keys, double distance, uint64_t right,
                                   uint64_t middle, uint64_t left, uint64_t seconds)
    {
        EXPECT_EQ(Totals.keyPresses, keys);
        EXPECT_EQ(Totals.distance, distance);
        EXPECT_EQ(Totals.rightClicks, right);
        EXPECT_EQ(Totals.middleClicks, middle);
        EXPECT_EQ(Totals.leftClicks, left);
        EXPECT_EQ(StoredTotalTime, seconds);
        EXPECT_EQ(memcmp(&PeriodBaseline, &Totals, sizeof Totals), 0);
        EXPECT_EQ(PeriodSeconds(), 0u);
        EXPECT_EQ(PeriodDate, JUNE_7);
        EXPECT_EQ(ReadSettingsQword("Keyboard Presses"), keys);
        EXPECT_EQ(StoredDistance(), distance);
        EXPECT_EQ(ReadSettingsQword("Mouse Clicks R"), right);
        EXPECT_EQ(ReadSettingsQword("Mouse Clicks M"), middle);
        EXPECT_EQ(ReadSettingsQword("Mouse Clicks L"), left);
        EXPECT_EQ(ReadSettingsQword("Total Time"), seconds);
        EXPECT_EQ(ReadSettingsQword("History Items"), (uint64_t)StoredHistory.count);
    }
};

TEST_F(RecountTest, TotalsBecomeTheHistorySumsWithThePeriodCountedOnce)
{
    Append(MakeRecord(JUNE_5, 100, 1000.0f, 10, 2, 3, 500));
    Append(MakeRecord(JUNE_7, 50, 250.5f, 5, 1, 1, 100));
    ReplaceTotals(CounterBlock{99999, 5.0e6, 777, 888, 999}, 123456);
    CountInPeriod(7, 3.25, 2, 1, 4, 90);
    RecountTotals();
    ExpectTotalsStored(157, (250.5 + 3.25) + 1000.0, 6, 4, 19, 690);
    ASSERT_EQ(StoredHistory.count, 2);
    EXPECT_EQ(StoredHistory.records[0].keys, 100u);
    EXPECT_EQ(StoredHistory.records[0].seconds, 500u);
    const HistoryRecord &today = StoredHistory.records[1];
    EXPECT_EQ(today.date, JUNE_7);
    EXPECT_EQ(today.keys, 57u);
    EXPECT_EQ(today.distance, 253.75f);
    EXPECT_EQ(today.leftClicks, 9);
    EXPECT_EQ(today.middleClicks, 2);
    EXPECT_EQ(today.rightClicks, 3);
    EXPECT_EQ(today.seconds, 190u);
}

// A checkpoint has already credited part of the period to today's record; a distance of
// no number or infinity in the history counts as nothing.
TEST_F(RecountTest, AfterACheckpointThePeriodStillCountsOnceAndBadDistancesAsNothing)
{
    Append(MakeRecord(JUNE_5, 100, NAN, 10, 2, 3, 500));
    Append(MakeRecord(JUNE_6, 1, INFINITY, 0, 0, 0, 1));
    Append(MakeRecord(JUNE_7, 50, 250.5f, 5, 1, 1, 100));
    ReplaceTotals(CounterBlock{99999, 5.0e6, 777, 888, 999}, 123456);
    CountInPeriod(3, 1.25, 1, 0, 2, 70);
    SaveCheckpoint();
    EXPECT_EQ(StoredHistory.records[2].keys, 53u);
    CountInPeriod(4, 2.0, 1, 1, 2, 90);
    RecountTotals();
    ExpectTotalsStored(158, 250.5 + 3.25, 6, 4, 19, 691);
    EXPECT_EQ(StoredHistory.records[2].keys, 57u);
    EXPECT_EQ(StoredHistory.records[2].seconds, 190u);
}

TEST_F(RecountTest, EmptyHistoryGivesThePeriodsFiguresInRecordWidths)
{
    ReplaceTotals(CounterBlock{10, 20.0, 30, 40, 50}, 5000);
    CountInPeriod(5, 0.1, 1, 2, 70000, 90);
    RecountTotals();
    ExpectTotalsStored(5, (double)0.1f, 1, 2, 4464, 90);
    ASSERT_EQ(StoredHistory.count, 1);
    EXPECT_EQ(StoredHistory.records[0].date, JUNE_7);
    EXPECT_EQ(StoredHistory.records[0].leftClicks, 4464);
    EXPECT_EQ(StoredHistory.records[0].seconds, 90u);
}

TEST_F(RecountTest, SeventyThousandLeftClicksAdd4464ToTodaysRecord)
{
    Append(MakeRecord(JUNE_6, 0, 0.0f, 1000, 0, 0, 0));
    Append(MakeRecord(JUNE_7, 0, 0.0f, 0, 0, 0, 0));
    CountInPeriod(0, 0.0, 0, 0, 70000, 0);
    RecountTotals();
    ExpectTotalsStored(0, 0.0, 0, 0, 1000 + 4464, 0);
    EXPECT_EQ(StoredHistory.records[1].leftClicks, 4464);
}

// The period is credited to a new record for today; the totals are the sums of the history
// as stored, even where adding the period to the earlier record would have wrapped.
TEST_F(RecountTest, LastRecordOfAnEarlierDayCountsThePeriodAsTodaysOwnRecord)
{
    Append(MakeRecord(JUNE_5, 4000000000u, 10.5f, 60000, 0, 0, 86000));
    Append(MakeRecord(JUNE_6, 0xFFFFFF00u, 1.0f, 60000, 0, 0, 100));
    CountInPeriod(0x200, 2.0, 0, 0, 10000, 60);
    RecountTotals();
    ExpectTotalsStored(4000000000ull + 0xFFFFFF00u + 0x200, 1.0 + 10.5 + 2.0, 0, 0,
                       60000 + 60000 + 10000, 86000 + 100 + 60);
    ASSERT_EQ(StoredHistory.count, 3);
    EXPECT_EQ(StoredHistory.records[1].leftClicks, 60000);
    EXPECT_EQ(StoredHistory.records[2].date, JUNE_7);
    EXPECT_EQ(StoredHistory.records[2].leftClicks, 10000);
    EXPECT_EQ(StoredHistory.records[2].keys, 0x200u);
}

TEST_F(RecountTest, TotalsCanGoDownToWhatTheHistoryHolds)
{
    Append(MakeRecord(JUNE_7, 3, 1.0f, 0, 0, 0, 10));
    ReplaceTotals(CounterBlock{1000000, 1.0e9, 5000, 5000, 5000}, 9999999);
    RecountTotals();
    ExpectTotalsStored(3, 1.0, 0, 0, 0, 10);
}

TEST_F(RecountTest, SecondRecountRightAfterChangesNothing)
{
    Append(MakeRecord(JUNE_5, 4000000000u, 123456.7f, 60000, 7, 8, 86000));
    Append(MakeRecord(JUNE_6, 12, 0.3f, 65000, 1, 2, 300));
    ReplaceTotals(CounterBlock{1, 2.0, 3, 4, 5}, 6);
    CountInPeriod(0x200, 0.7, 1, 2, 10000, 75);
    RecountTotals();
    CounterBlock totals = Totals;
    uint64_t storedTime = StoredTotalTime;
    std::vector<HistoryRecord> records = StoredRecords();
    double distance = StoredDistance();
    RecountTotals();
    EXPECT_EQ(memcmp(&Totals, &totals, sizeof totals), 0);
    EXPECT_EQ(memcmp(&PeriodBaseline, &totals, sizeof totals), 0);
    EXPECT_EQ(StoredTotalTime, storedTime);
    EXPECT_EQ(StoredDistance(), distance);
    EXPECT_EQ(ReadSettingsQword("Total Time"), storedTime);
    EXPECT_TRUE(SameRecords(StoredRecords(), records));
}

}  // namespace
