// History lists: growth and reserve, and the crediting of a period to a day's record in
// the record's own widths, by the list operations and through the core. (The merge by date
// is tested with the import, history_file_test.cpp.)
#include <gtest/gtest.h>

#include <cmath>
#include <string.h>
#include "settings_key_support.h"

namespace {

const DateKey JUNE_5 = 0x07DA0605;
const DateKey JUNE_6 = 0x07DA0606;
const DateKey JUNE_7 = 0x07DA0607;  // the fake clock's day

HistoryRecord Record(DateKey date, uint32_t keys)
{
    HistoryRecord record = MakeRecord(date, keys, 1.5f, 3, 2, 1, 60);
    record.reserved = 0xBEEF;
    return record;
}

bool SameBytes(const HistoryRecord &a, const HistoryRecord &b)
{
    return memcmp(&a, &b, sizeof a) == 0;
}

struct HistoryListTest : ::testing::Test {
    HistoryList list = {nullptr, 0, 0, HISTORY_GROW_STEP};

    void SetUp() override
    {
        ResetProgramState();
        StartPeriod();
    }
    void TearDown() override
    {
        DestroyHistoryList(&list);
        ClearStoredHistory();
    }
    void AppendDays(int n)
    {
        for (int i = 0; i < n; ++i) {
            HistoryRecord record = Record(JUNE_5 - 100 + i, 1000 + i);
            ASSERT_TRUE(AppendRecord(&list, &record));
        }
    }
};

TEST_F(HistoryListTest, AppendGrowsByFiveAndKeepsTheRecords)
{
    AppendDays(5);
    EXPECT_EQ(list.capacity, 5);
    AppendDays(1);
    EXPECT_EQ(list.capacity, 10);
    ASSERT_EQ(list.count, 6);
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(SameBytes(list.records[i], Record(JUNE_5 - 100 + i, 1000 + i))) << i;
    EXPECT_EQ(list.records[5].keys, 1000u);
}

TEST_F(HistoryListTest, ReserveNeverShrinksAndZeroFillsNewSlots)
{
    EXPECT_TRUE(ReserveHistory(&list, 0));
    EXPECT_EQ(list.records, nullptr);
    EXPECT_EQ(list.capacity, 0);

    AppendDays(3);
    ASSERT_TRUE(ReserveHistory(&list, 12));
    EXPECT_EQ(list.capacity, 12);
    EXPECT_EQ(list.count, 3);
    EXPECT_EQ(list.records[2].keys, 1002u);
    const HistoryRecord zero = {};
    for (int i = 3; i < 12; ++i)
        EXPECT_TRUE(SameBytes(list.records[i], zero)) << "slot " << i;

    HistoryRecord *before = list.records;
    EXPECT_TRUE(ReserveHistory(&list, 2));
    EXPECT_TRUE(ReserveHistory(&list, 12));
    EXPECT_EQ(list.records, before);
    EXPECT_EQ(list.capacity, 12);

    AppendDays(10);  // 13 records: 12 + the step of 5
    EXPECT_EQ(list.capacity, 17);
}

TEST_F(HistoryListTest, ImpossibleGrowthLeavesTheListAsItWas)
{
    AppendDays(4);
    HistoryRecord *records = list.records;
    const int32_t impossible[] = {178956971, 200000000, INT32_MAX, -1, INT32_MIN};
    for (int32_t n : impossible) {
        EXPECT_FALSE(ReserveHistory(&list, n)) << n;
        EXPECT_EQ(list.records, records) << n;
        EXPECT_EQ(list.capacity, 5) << n;
        EXPECT_EQ(list.count, 4) << n;
    }

    // An append whose step would overflow the capacity fails the same way.
    AppendDays(1);
    list.growStep = INT32_MAX;
    HistoryRecord extra = Record(JUNE_7, 1);
    EXPECT_FALSE(AppendRecord(&list, &extra));
    EXPECT_EQ(list.records, records);
    EXPECT_EQ(list.capacity, 5);
    EXPECT_EQ(list.count, 5);
}

TEST_F(HistoryListTest, UpdateOnEmptyListAppendsExactlyThePeriod)
{
    ReplaceTotals(CounterBlock{0xFFFFFFFFull, 0.1, 0, 0, 0}, 0);
    Count(3, 1000.0, 9, 8, 7);  // the key total passes 2^32: only the low 32 bits count
    SetFakeTickCount(1000000 + 90061 * 1000);

    ASSERT_TRUE(UpdateTodayRecord());
    ASSERT_EQ(StoredHistory.count, 1);
    const HistoryRecord &today = StoredHistory.records[0];
    EXPECT_EQ(today.date, JUNE_7);
    EXPECT_EQ(today.keys, 3u);
    EXPECT_EQ(today.distance, (float)(0.1 + 1000.0 - 0.1));
    EXPECT_EQ(today.rightClicks, 7);
    EXPECT_EQ(today.middleClicks, 8);
    EXPECT_EQ(today.leftClicks, 9);
    EXPECT_EQ(today.reserved, 0);
    EXPECT_EQ(today.seconds, 90061u);
}

TEST_F(HistoryListTest, UpdateAddsToTodaysLastRecordInPlace)
{
    HistoryRecord today = Record(JUNE_7, 0xFFFFFFFF);
    AppendStoredRecord(&today);
    Count(2, 0, 1);
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
    Count(3);
    SetFakeTickCount(1000000 + 7000);
    ASSERT_TRUE(UpdateTodayRecord());
    EXPECT_EQ(StoredHistory.records[0].keys, 4u);
    EXPECT_EQ(StoredHistory.records[0].seconds, 67u);
}

// An older day imported after today's record, or a clock set back: today keeps one record.
// A history that already holds two of one date keeps both and updates the later one.
TEST_F(HistoryListTest, UpdateFindsTodaysRecordFromTheEndAndNeverAddsASecond)
{
    HistoryRecord early = Record(JUNE_7, 10), yesterday = Record(JUNE_6, 20);
    AppendStoredRecord(&early);
    AppendStoredRecord(&yesterday);
    Count(4);
    ASSERT_TRUE(UpdateTodayRecord());
    ASSERT_EQ(StoredHistory.count, 2);
    EXPECT_EQ(StoredHistory.records[0].keys, 14u);
    EXPECT_TRUE(SameBytes(StoredHistory.records[1], yesterday));

    HistoryRecord duplicate = Record(JUNE_7, 100);
    AppendStoredRecord(&duplicate);
    Count(1);
    ASSERT_TRUE(UpdateTodayRecord());
    ASSERT_EQ(StoredHistory.count, 3);
    EXPECT_EQ(StoredHistory.records[0].keys, 14u);
    EXPECT_EQ(StoredHistory.records[2].keys, 101u);
}

TEST_F(HistoryListTest, ClicksWrapModulo2To16)
{
    HistoryRecord record = {};
    // A mark past 2^16 must not matter.
    AddPeriodToRecord(&record, &record, CounterBlock{0, 0, 0, 0, 0x10000 + 70000},
                      CounterBlock{0, 0, 0, 0, 0x10000}, 0);
    EXPECT_EQ(record.leftClicks, 4464);
}

TEST_F(HistoryListTest, InfiniteTotalsNeverPutANaNIntoADay)
{
    HistoryRecord record = {};
    record.distance = 250.0f;
    // The period that reached infinity credits it...
    AddPeriodToRecord(&record, &record, CounterBlock{0, INFINITY, 0, 0, 0}, CounterBlock{}, 0);
    EXPECT_TRUE(std::isinf(record.distance) && record.distance > 0) << record.distance;

    // ...and later ones start from an infinite mark.
    record.distance = 250.0f;
    AddPeriodToRecord(&record, &record, CounterBlock{0, INFINITY, 0, 0, 0},
                      CounterBlock{0, INFINITY, 0, 0, 0}, 0);
    EXPECT_EQ(record.distance, 250.0f);
}

TEST_F(HistoryListTest, AddToAnotherTargetLeavesItsDateAndReservedBytes)
{
    HistoryRecord source = Record(JUNE_5, 10);
    HistoryRecord target = Record(JUNE_6, 999);
    target.reserved = 0x5555;
    AddPeriodToRecord(&target, &source, CounterBlock{5, 2.25, 1, 0xFFFF, 0},
                      CounterBlock{0, 0, 0, 0xFFFE, 0}, 30);
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
    DestroyHistoryList(&list);
    EXPECT_EQ(list.records, nullptr);
    EXPECT_EQ(list.capacity, 0);
    EXPECT_EQ(list.count, 0);
    EXPECT_EQ(list.growStep, 5);
}

}  // namespace
