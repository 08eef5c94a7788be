// The history list: growth, reserve, merge by date, and the crediting of a period to a
// day's record in the record's own widths.
#include <gtest/gtest.h>

#include <cmath>
#include <string.h>
#include "history/history_file.h"
#include "history/history_list.h"
#include "fakes/fake_clock.h"

namespace {

const DateKey JUNE_5 = 0x07DA0605;
const DateKey JUNE_6 = 0x07DA0606;
const DateKey JUNE_7 = 0x07DA0607;  // the fake clock's day

HistoryRecord MakeRecord(DateKey date, uint32_t keys)
{
    HistoryRecord record = {};
    record.date = date;
    record.keys = keys;
    record.distance = 1.5f;
    record.rightClicks = 1;
    record.middleClicks = 2;
    record.leftClicks = 3;
    record.reserved = 0xBEEF;
    record.seconds = 60;
    return record;
}

bool SameBytes(const HistoryRecord &a, const HistoryRecord &b)
{
    return memcmp(&a, &b, sizeof a) == 0;
}

// One record merged by date, as an import of a file holding only it.
bool MergeOne(const HistoryRecord &record, int replace)
{
    HistoryList imported = {const_cast<HistoryRecord *>(&record), 1, 1, HISTORY_GROW_STEP};
    return MergeImportedHistory(&imported, replace);
}

struct HistoryListTest : ::testing::Test {
    void SetUp() override
    {
        ResetFakeClock();
        Totals = CounterBlock{};
        PeriodBaseline = CounterBlock{};
        StoredTotalTime = 0;
        DestroyHistoryList(&StoredHistory);
        StoredHistory.growStep = HISTORY_GROW_STEP;
        StartPeriod();
    }
    void TearDown() override { DestroyHistoryList(&StoredHistory); }

    void AppendDays(int n)
    {
        for (int i = 0; i < n; ++i) {
            HistoryRecord record = MakeRecord(JUNE_5 - 100 + i, 1000 + i);
            ASSERT_TRUE(AppendStoredRecord(&record));
        }
    }
};

TEST_F(HistoryListTest, AppendGrowsByFiveAndKeepsTheRecords)
{
    AppendDays(5);
    EXPECT_EQ(StoredHistory.capacity, 5);
    AppendDays(1);
    EXPECT_EQ(StoredHistory.capacity, 10);
    ASSERT_EQ(StoredHistory.count, 6);
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(SameBytes(StoredHistory.records[i], MakeRecord(JUNE_5 - 100 + i, 1000 + i))) << i;
    EXPECT_EQ(StoredHistory.records[5].keys, 1000u);
}

TEST_F(HistoryListTest, ReserveNeverShrinksAndZeroFillsNewSlots)
{
    EXPECT_TRUE(ReserveHistory(&StoredHistory, 0));
    EXPECT_EQ(StoredHistory.records, nullptr);
    EXPECT_EQ(StoredHistory.capacity, 0);

    AppendDays(3);
    ASSERT_TRUE(ReserveHistory(&StoredHistory, 12));
    EXPECT_EQ(StoredHistory.capacity, 12);
    EXPECT_EQ(StoredHistory.count, 3);
    EXPECT_EQ(StoredHistory.records[2].keys, 1002u);
    const HistoryRecord zero = {};
    for (int i = 3; i < 12; ++i)
        EXPECT_TRUE(SameBytes(StoredHistory.records[i], zero)) << "slot " << i;

    HistoryRecord *before = StoredHistory.records;
    EXPECT_TRUE(ReserveHistory(&StoredHistory, 2));
    EXPECT_TRUE(ReserveHistory(&StoredHistory, 12));
    EXPECT_EQ(StoredHistory.records, before);
    EXPECT_EQ(StoredHistory.capacity, 12);

    AppendDays(10);  // 13 records: 12 + the step of 5
    EXPECT_EQ(StoredHistory.capacity, 17);
}

TEST_F(HistoryListTest, ImpossibleGrowthLeavesTheListAsItWas)
{
    AppendDays(4);
    HistoryRecord *records = StoredHistory.records;
    const int32_t impossible[] = {178956971, 200000000, INT32_MAX, -1, INT32_MIN};
    for (int32_t n : impossible) {
        EXPECT_FALSE(ReserveHistory(&StoredHistory, n)) << n;
        EXPECT_EQ(StoredHistory.records, records) << n;
        EXPECT_EQ(StoredHistory.capacity, 5) << n;
        EXPECT_EQ(StoredHistory.count, 4) << n;
    }

    // An append whose step would overflow the capacity fails the same way.
    AppendDays(1);
    StoredHistory.growStep = INT32_MAX;
    HistoryRecord extra = MakeRecord(JUNE_7, 1);
    EXPECT_FALSE(AppendStoredRecord(&extra));
    EXPECT_EQ(StoredHistory.records, records);
    EXPECT_EQ(StoredHistory.capacity, 5);
    EXPECT_EQ(StoredHistory.count, 5);
}

TEST_F(HistoryListTest, MergeReplacesOnlyTheFirstRecordOfADate)
{
    HistoryRecord a = MakeRecord(JUNE_6, 1), b = MakeRecord(JUNE_6, 2);
    AppendStoredRecord(&a);
    AppendStoredRecord(&b);
    HistoryRecord incoming = MakeRecord(JUNE_6, 99);
    incoming.reserved = 0x1234;
    EXPECT_TRUE(MergeOne(incoming, 1));
    ASSERT_EQ(StoredHistory.count, 2);
    EXPECT_TRUE(SameBytes(StoredHistory.records[0], incoming));
    EXPECT_TRUE(SameBytes(StoredHistory.records[1], b));
}

TEST_F(HistoryListTest, MergeWithoutReplaceKeepsTheListByteForByte)
{
    AppendDays(3);
    HistoryRecord before[3];
    memcpy(before, StoredHistory.records, sizeof before);
    HistoryRecord incoming = MakeRecord(StoredHistory.records[1].date, 77);
    EXPECT_TRUE(MergeOne(incoming, 0));
    EXPECT_EQ(StoredHistory.count, 3);
    EXPECT_EQ(memcmp(before, StoredHistory.records, sizeof before), 0);
}

TEST_F(HistoryListTest, MergeAppendsANewDateAtTheEndUnsorted)
{
    AppendDays(2);
    HistoryRecord older = MakeRecord(0x07D00101, 5);
    EXPECT_TRUE(MergeOne(older, 0));
    ASSERT_EQ(StoredHistory.count, 3);
    EXPECT_TRUE(SameBytes(StoredHistory.records[2], older));
}

TEST_F(HistoryListTest, UpdateOnEmptyListAppendsExactlyThePeriod)
{
    Totals.keyPresses = 0x100000005ull;  // only the low 32 bits count in a day
    SavedTotals.keyPresses = 3;
    Totals.distance = 1000.1;
    SavedTotals.distance = 0.1;
    Totals.rightClicks = 7;
    Totals.middleClicks = 8;
    Totals.leftClicks = 9;
    SetFakeTickCount(1000000 + 90061 * 1000);

    ASSERT_TRUE(UpdateTodayRecord());
    ASSERT_EQ(StoredHistory.count, 1);
    const HistoryRecord &today = StoredHistory.records[0];
    EXPECT_EQ(today.date, JUNE_7);
    EXPECT_EQ(today.keys, 2u);
    EXPECT_EQ(today.distance, (float)(1000.1 - 0.1));
    EXPECT_EQ(today.rightClicks, 7);
    EXPECT_EQ(today.middleClicks, 8);
    EXPECT_EQ(today.leftClicks, 9);
    EXPECT_EQ(today.reserved, 0);
    EXPECT_EQ(today.seconds, 90061u);
}

TEST_F(HistoryListTest, UpdateAddsToTodaysLastRecordInPlace)
{
    HistoryRecord today = MakeRecord(JUNE_7, 0xFFFFFFFF);
    AppendStoredRecord(&today);
    Totals.keyPresses = 2;
    Totals.leftClicks = 1;
    SetFakeTickCount(1000000 + 5000);
    for (int save = 0; save < 2; ++save) {  // the second credits nothing twice
        ASSERT_TRUE(UpdateTodayRecord());
        ASSERT_EQ(StoredHistory.count, 1);
        EXPECT_EQ(StoredHistory.records[0].keys, 1u);  // wraps modulo 2^32
        EXPECT_EQ(StoredHistory.records[0].leftClicks, 4);
        EXPECT_EQ(StoredHistory.records[0].seconds, 65u);
        EXPECT_EQ(StoredHistory.records[0].reserved, 0xBEEF);
    }
    // Only what came after the last save is added.
    Totals.keyPresses = 5;
    SetFakeTickCount(1000000 + 7000);
    ASSERT_TRUE(UpdateTodayRecord());
    EXPECT_EQ(StoredHistory.records[0].keys, 4u);
    EXPECT_EQ(StoredHistory.records[0].seconds, 67u);
}

// An older day imported after today's record, or a clock set back: today keeps one record.
// A history that already holds two of one date keeps both and updates the later one.
TEST_F(HistoryListTest, UpdateFindsTodaysRecordFromTheEndAndNeverAddsASecond)
{
    HistoryRecord early = MakeRecord(JUNE_7, 10), yesterday = MakeRecord(JUNE_6, 20);
    AppendStoredRecord(&early);
    AppendStoredRecord(&yesterday);
    Totals.keyPresses = 4;
    ASSERT_TRUE(UpdateTodayRecord());
    ASSERT_EQ(StoredHistory.count, 2);
    EXPECT_EQ(StoredHistory.records[0].keys, 14u);
    EXPECT_TRUE(SameBytes(StoredHistory.records[1], yesterday));

    HistoryRecord duplicate = MakeRecord(JUNE_7, 100);
    AppendStoredRecord(&duplicate);
    Totals.keyPresses = 5;
    ASSERT_TRUE(UpdateTodayRecord());
    ASSERT_EQ(StoredHistory.count, 3);
    EXPECT_EQ(StoredHistory.records[0].keys, 14u);
    EXPECT_EQ(StoredHistory.records[2].keys, 101u);
}

TEST_F(HistoryListTest, ClicksWrapModulo2To16)
{
    HistoryRecord record = {};
    SavedTotals.leftClicks = 0x10000;  // a baseline past 2^16 must not matter
    Totals.leftClicks = 0x10000 + 70000;
    AddPeriodToRecord(&record, &record, PeriodSeconds());
    EXPECT_EQ(record.leftClicks, 4464);
}

TEST_F(HistoryListTest, InfiniteTotalsNeverPutANaNIntoADay)
{
    HistoryRecord record = {};
    record.distance = 250.0f;
    Totals.distance = INFINITY;  // the period that reached infinity credits it
    AddPeriodToRecord(&record, &record, PeriodSeconds());
    EXPECT_TRUE(std::isinf(record.distance) && record.distance > 0) << record.distance;

    record.distance = 250.0f;  // later saves start from an infinite mark
    SavedTotals.distance = INFINITY;
    AddPeriodToRecord(&record, &record, PeriodSeconds());
    EXPECT_EQ(record.distance, 250.0f);
}

TEST_F(HistoryListTest, AfterATickWrapSecondsEndAtTheLastWholeSecond)
{
    SetFakeTickCount(4000000u * 1000u);
    StartPeriod();
    SetFakeTickCount(2000);  // wrapped
    HistoryRecord record = {};
    record.seconds = 100;
    AddPeriodToRecord(&record, &record, PeriodSeconds());
    EXPECT_EQ(record.seconds, 100u + 4294967u - 4000000u);
}

TEST_F(HistoryListTest, AddToAnotherTargetLeavesItsDateAndReservedBytes)
{
    HistoryRecord source = MakeRecord(JUNE_5, 10);
    HistoryRecord target = MakeRecord(JUNE_6, 999);
    target.reserved = 0x5555;
    Totals.keyPresses = 5;
    Totals.distance = 2.25;
    Totals.rightClicks = 1;
    Totals.middleClicks = 0xFFFF;
    SavedTotals.middleClicks = 0xFFFE;
    SetFakeTickCount(1000000 + 30000);
    AddPeriodToRecord(&target, &source, PeriodSeconds());
    EXPECT_EQ(target.date, JUNE_6);
    EXPECT_EQ(target.reserved, 0x5555);
    EXPECT_EQ(target.keys, 15u);
    EXPECT_EQ(target.distance, 3.75f);
    EXPECT_EQ(target.rightClicks, 2);
    EXPECT_EQ(target.middleClicks, 3);
    EXPECT_EQ(target.leftClicks, 3);
    EXPECT_EQ(target.seconds, 90u);
    EXPECT_EQ(source.keys, 10u);
}

TEST_F(HistoryListTest, DestroyEmptiesButKeepsTheStep)
{
    AppendDays(6);
    DestroyHistoryList(&StoredHistory);
    EXPECT_EQ(StoredHistory.records, nullptr);
    EXPECT_EQ(StoredHistory.capacity, 0);
    EXPECT_EQ(StoredHistory.count, 0);
    EXPECT_EQ(StoredHistory.growStep, 5);
}

}  // namespace
