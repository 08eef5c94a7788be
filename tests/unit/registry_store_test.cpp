// The saves and loads through the registry store, against the real (Wine) registry of the
// test prefix.
#include <gtest/gtest.h>
#include <windows.h>
#include <string.h>
#include <vector>
#include "fakes/fake_clock.h"
#include "settings_key_support.h"

namespace {

const DateKey JUNE_6 = 0x07DA0606;
const DateKey JUNE_7 = 0x07DA0607;  // the fake clock's day

RegistryValue ReadRaw(const char *name)
{
    return ReadRegistryValue(SETTINGS_KEY, name);
}

void WriteItems(DWORD items)
{
    WriteSettingsValue("History Items", REG_DWORD, &items, sizeof items);
}

void WriteRecords(const std::vector<HistoryRecord> &records, DWORD extraBytes = 0)
{
    std::vector<BYTE> blob(records.size() * sizeof(HistoryRecord) + extraBytes, 0xAB);
    if (!records.empty())
        memcpy(blob.data(), records.data(), records.size() * sizeof(HistoryRecord));
    WriteSettingsValue("History", REG_BINARY, blob.data(), (DWORD)blob.size());
}

HistoryRecord Day(DateKey date, uint32_t keys)
{
    HistoryRecord record = {};
    record.date = date;
    record.keys = keys;
    record.distance = 12.5f;
    record.leftClicks = 4;
    record.reserved = 0x7777;  // whatever the stored bytes hold stays as it was
    record.seconds = 3600;
    return record;
}

uint64_t Qword(const RegistryValue &value)
{
    uint64_t result = 0;
    memcpy(&result, value.data.data(), value.data.size() < 8 ? value.data.size() : 8);
    return result;
}

struct RegistryStoreTest : ::testing::Test {
    void SetUp() override
    {
        RegDeleteTreeA(HKEY_CURRENT_USER, SETTINGS_KEY);
        ResetProgramState();
        StartPeriod();
    }
    void TearDown() override
    {
        RegDeleteTreeA(HKEY_CURRENT_USER, SETTINGS_KEY);
        ClearStoredHistory();
    }

    // Two records already in memory, to see whether a load touches them.
    void HoldTwoRecords()
    {
        HistoryRecord a = Day(0x07DA0101, 1), b = Day(0x07DA0102, 2);
        AppendStoredRecord(&a);
        AppendStoredRecord(&b);
        held = StoredHistory;
        memcpy(heldRecords, StoredHistory.records, sizeof heldRecords);
    }
    void ExpectHeldRecordsUntouched()
    {
        EXPECT_EQ(StoredHistory.records, held.records);
        EXPECT_EQ(StoredHistory.capacity, held.capacity);
        ASSERT_EQ(StoredHistory.count, 2);
        EXPECT_EQ(memcmp(StoredHistory.records, heldRecords, sizeof heldRecords), 0);
    }
    HistoryList held;
    HistoryRecord heldRecords[2];
};

TEST_F(RegistryStoreTest, AKeyThatCannotBeOpenedLoadsNothing)
{
    ReplaceTotals(CounterBlock{40, 0, 0, 0, 0}, 99);
    Count(2);
    HoldTwoRecords();
    EXPECT_FALSE(LoadFromRegistry());
    EXPECT_EQ(PeriodBaseline.keyPresses, 40u);
    EXPECT_EQ(StoredTotalTime, 99u);
    EXPECT_EQ(Totals.keyPresses, 42u);
    ExpectHeldRecordsUntouched();
}

TEST_F(RegistryStoreTest, SaveWritesNineValuesThatLoadBack)
{
    const HourlyRecord noHours[HOURS_IN_WEEK] = {};
    ReplaceHourlyActivity(noHours);
    ReplaceTotals(CounterBlock{0x123456780ull, 98765.4321, 11, 22, 0x10030}, 0xFFFFFFF0ull);
    SetFakeTime(0, 30, 0);  // Monday's first hour: the first record of "Hourly Activity"
    Count(9, 0, 3);
    SetFakeTickCount(1000000 + 100 * 1000);  // the period has run 100 s
    ASSERT_TRUE(SaveToRegistry());

    struct Expected { const char *name; DWORD type; DWORD size; uint64_t value; };
    uint64_t distanceBits;
    memcpy(&distanceBits, &Totals.distance, 8);
    const Expected table[] = {
        {"Keyboard Presses", REG_QWORD, 8, 0x123456789ull},
        {"Mouse Trajectory", REG_BINARY, 8, distanceBits},
        {"Total Time", REG_QWORD, 8, 0xFFFFFFF0ull + 100},
        {"Mouse Clicks L", REG_QWORD, 8, 0x10033},
        {"Mouse Clicks M", REG_QWORD, 8, 22},
        {"Mouse Clicks R", REG_QWORD, 8, 11},
        {"History Items", REG_DWORD, 4, 1},
        {"Hourly Activity", REG_BINARY, 168 * 24, 9},
    };
    for (const Expected &e : table) {
        RegistryValue value = ReadRaw(e.name);
        ASSERT_TRUE(value.present) << e.name;
        EXPECT_EQ(value.type, e.type) << e.name;
        EXPECT_EQ(value.data.size(), e.size) << e.name;
        EXPECT_EQ(Qword(value), e.value) << e.name;
    }
    RegistryValue history = ReadRaw("History");
    EXPECT_EQ(history.type, (DWORD)REG_BINARY);
    ASSERT_EQ(history.data.size(), 24u);
    HistoryRecord stored;
    memcpy(&stored, history.data.data(), 24);
    EXPECT_EQ(stored.date, JUNE_7);
    EXPECT_EQ(stored.keys, 9u);
    EXPECT_EQ(stored.leftClicks, 3);
    EXPECT_EQ(stored.seconds, 100u);
    EXPECT_EQ(stored.reserved, 0);
    DWORD valueCount = 0;
    HKEY key;
    ASSERT_EQ(RegOpenKeyA(HKEY_CURRENT_USER, SETTINGS_KEY, &key), ERROR_SUCCESS);
    RegQueryInfoKeyA(key, 0, 0, 0, 0, 0, 0, &valueCount, 0, 0, 0, 0);
    RegCloseKey(key);
    EXPECT_EQ(valueCount, 9u) << "no value beyond these nine while Count Each Key is off";

    CounterBlock saved = Totals;
    ReplaceTotals(CounterBlock{}, 0);
    ReplaceHourlyActivity(noHours);
    ClearStoredHistory();
    ASSERT_TRUE(LoadFromRegistry());
    EXPECT_EQ(memcmp(&Totals, &saved, sizeof saved), 0);
    EXPECT_EQ(memcmp(&PeriodBaseline, &saved, sizeof saved), 0);
    EXPECT_EQ(StoredTotalTime, 0xFFFFFFF0ull + 100);
    ASSERT_EQ(StoredHistory.count, 1);
    EXPECT_EQ(memcmp(&StoredHistory.records[0], &stored, 24), 0);
    EXPECT_EQ(HourlyActivity[0].keys, 9u);
}

TEST_F(RegistryStoreTest, KeyPressesOfAPeriodAddUpAcrossARestart)
{
    uint64_t old = 500;
    WriteSettingsValue("Keyboard Presses", REG_QWORD, &old, 8);
    ASSERT_TRUE(LoadFromRegistry());
    Count(10);
    ASSERT_TRUE(SaveToRegistry());
    ASSERT_TRUE(LoadFromRegistry());
    EXPECT_EQ(Totals.keyPresses, 510u);
    EXPECT_EQ(PeriodBaseline.keyPresses, 510u);
    ASSERT_EQ(StoredHistory.count, 1);
    EXPECT_EQ(StoredHistory.records[0].keys, 10u);
}

TEST_F(RegistryStoreTest, ValuesOfAnotherTypeLoadByTheirBytes)
{
    double distance = 1234.5;
    WriteSettingsValue("Mouse Trajectory", REG_QWORD, &distance, 8);
    DWORD presses = 77;
    WriteSettingsValue("Keyboard Presses", REG_DWORD, &presses, 4);
    BYTE tooLong[16] = {1, 2, 3};  // does not fit an 8-byte counter: left at zero
    WriteSettingsValue("Mouse Clicks R", REG_BINARY, tooLong, sizeof tooLong);
    ASSERT_TRUE(LoadFromRegistry());
    EXPECT_EQ(PeriodBaseline.distance, 1234.5);
    EXPECT_EQ(PeriodBaseline.keyPresses, 77u);
    EXPECT_EQ(PeriodBaseline.rightClicks, 0u);
    EXPECT_EQ(Totals.keyPresses, 77u);
}

TEST_F(RegistryStoreTest, NoRecordCountLeavesTheListAlone)
{
    HoldTwoRecords();
    WriteRecords({Day(JUNE_6, 5)});
    ASSERT_TRUE(LoadFromRegistry());  // "History Items" missing
    ExpectHeldRecordsUntouched();
    WriteItems(0);
    ASSERT_TRUE(LoadFromRegistry());
    ExpectHeldRecordsUntouched();
}

TEST_F(RegistryStoreTest, StoredRecordsReplaceTheListInMemory)
{
    HoldTwoRecords();
    WriteItems(1);
    WriteRecords({Day(JUNE_6, 5), Day(JUNE_7, 6)});  // longer than the count says
    ASSERT_TRUE(LoadFromRegistry());
    ASSERT_EQ(StoredHistory.count, 1);
    EXPECT_EQ(StoredHistory.records[0].keys, 5u);
    EXPECT_EQ(StoredHistory.records[0].reserved, 0x7777);

    std::vector<HistoryRecord> many;
    for (uint32_t i = 0; i < 12; ++i)
        many.push_back(Day(0x07DA0101 + i, i));
    WriteItems(12);
    WriteRecords(many);
    ASSERT_TRUE(LoadFromRegistry());
    ASSERT_EQ(StoredHistory.count, 12);
    EXPECT_GE(StoredHistory.capacity, 12);
    EXPECT_EQ(memcmp(StoredHistory.records, many.data(), 12 * 24), 0);
}

TEST_F(RegistryStoreTest, ShortHistoryGivesOnlyItsWholeRecords)
{
    HoldTwoRecords();
    WriteItems(3);
    WriteRecords({Day(JUNE_6, 5), Day(JUNE_7, 6)}, 10);  // two and a bit
    ASSERT_TRUE(LoadFromRegistry());
    ASSERT_EQ(StoredHistory.count, 2);
    EXPECT_EQ(StoredHistory.records[0].keys, 5u);
    EXPECT_EQ(StoredHistory.records[1].keys, 6u);
}

TEST_F(RegistryStoreTest, MissingOrUselessHistoryLeavesTheListAlone)
{
    HoldTwoRecords();
    WriteItems(3);
    ASSERT_TRUE(LoadFromRegistry());  // no "History" at all
    ExpectHeldRecordsUntouched();
    WriteRecords({}, 23);  // not one whole record
    ASSERT_TRUE(LoadFromRegistry());
    ExpectHeldRecordsUntouched();
}

TEST_F(RegistryStoreTest, AbsurdRecordCountLeavesTheListAlone)
{
    HoldTwoRecords();
    WriteRecords({Day(JUNE_6, 5), Day(JUNE_7, 6)});
    const DWORD counts[] = {0xFFFFFFFF, 200000000, 0x80000000, 178956971};
    for (DWORD count : counts) {
        WriteItems(count);
        ASSERT_TRUE(LoadFromRegistry());
        ExpectHeldRecordsUntouched();
    }
}

TEST_F(RegistryStoreTest, SaveRecreatesARemovedKey)
{
    ASSERT_TRUE(SaveToRegistry());
    RegDeleteTreeA(HKEY_CURRENT_USER, SETTINGS_KEY);
    Count(3);
    ASSERT_TRUE(SaveToRegistry());
    EXPECT_EQ(Qword(ReadRaw("Keyboard Presses")), 3u);
    EXPECT_EQ(Qword(ReadRaw("History Items")), 1u);  // the same day's record again
    EXPECT_EQ(ReadRaw("History").data.size(), 24u);
}

}  // namespace
