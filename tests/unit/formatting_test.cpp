// Digit grouping, the formatted-text buffers and the history cells.
#include <gtest/gtest.h>
#include <stdint.h>
#include <math.h>
#include <string.h>
#include <string>
#include <windows.h>
#include "core/history_list.h"
#include "text/history_cells.h"
#include "res/resource.h"
#include "safety/test_safety.h"
#include "text/formatting.h"
#include "text/text.h"

namespace {

HistoryRecord Record(DateKey date, uint32_t keys, float distance, uint32_t seconds)
{
    HistoryRecord record = {};
    record.date = date;
    record.keys = keys;
    record.distance = distance;
    record.seconds = seconds;
    return record;
}

DateKey Date(unsigned year, unsigned month, unsigned day)
{
    return year << 16 | month << 8 | day;
}

struct GroupCase {
    int64_t value;
    const char *text;
};

TEST(GroupDigitsTest, GroupsOfThreeFromTheRightWithOneSpace)
{
    const GroupCase cases[] = {
        {0, "0"},
        {7, "7"},
        {999, "999"},
        {1000, "1 000"},
        {1234, "1 234"},
        {123456, "123 456"},
        {1234567, "1 234 567"},
        {4294967295LL, "4 294 967 295"},
        {-1, "-1"},
        {-123, "-123"},
        {-1234, "-1 234"},
        {-123456, "-123 456"},
        {INT64_MAX, "9 223 372 036 854 775 807"},
        {INT64_MIN, "-9 223 372 036 854 775 808"},
    };
    for (const GroupCase &c : cases) {
        char out[GROUPED_SIZE];
        memset(out, 'x', sizeof out);
        GroupDigits(c.value, out);
        EXPECT_STREQ(out, c.text) << "value " << c.value;
    }
}

TEST(FormatTextTest, ReadsI64AndThirtyTwoBitLongs)
{
    EXPECT_STREQ(FormatMeterText("%lu %I64u %lu", 4294967295UL, (uint64_t)5000000000ULL, 7UL),
                 "4294967295 5000000000 7");
    EXPECT_STREQ(FormatTimeText("%02lu:%02lu:%02lu", 1UL, 2UL, 345UL), "01:02:345");
    EXPECT_STREQ(FormatKeysText("%I64u", UINT64_MAX), "18446744073709551615");
}

// A tie in the third decimal rounds away from zero, as the system's C runtime does.
TEST(FormatTextTest, ThreeDecimalsRoundAsOnWindows)
{
    EXPECT_STREQ(FormatDistanceText("%.3f", 1.0625), "1.063");
    EXPECT_STREQ(FormatDistanceText("%.3f", 0.0005), "0.001");
    EXPECT_STREQ(FormatDistanceText("%.3f", 1234.567f * 1.0), "1234.567");
}

TEST(FormatTextTest, MeterTimeLineFormatsDaysAndClock)
{
    SKIP_OUTSIDE_CODE_PAGE_936();
    const char *format = LoadText(SLOT_GENERAL, IDS_LINE_TIME);
    const char *text = FormatMeterText(format, 1UL, 1UL, 1UL, 1UL, (uint64_t)5000000000ULL,
                                       (uint64_t)2, (uint64_t)3, (uint64_t)4);
    // "运行时间: 1天 01:01:01 / 5000000000天 02:03:04" in code page 936
    EXPECT_STREQ(text, "\xD4\xCB\xD0\xD0\xCA\xB1\xBC\xE4\x3A\x20\x31\xCC\xEC\x20\x30\x31\x3A"
                       "\x30\x31\x3A\x30\x31\x20\x2F\x20\x35\x30\x30\x30\x30\x30\x30\x30\x30"
                       "\x30\xCC\xEC\x20\x30\x32\x3A\x30\x33\x3A\x30\x34");
}

// A text too long for a buffer is cut at 1023 bytes and terminated; the buffers of the
// other entry points (its neighbours in memory) keep their texts.
TEST(FormatTextTest, TooLongTextIsCutWithinItsBuffer)
{
    char *(*const entries[])(const char *, ...) = {
        FormatTimeText, FormatDistanceText, FormatClicksText, FormatKeysText, FormatMeterText,
    };
    const std::string longText(3000, 'a');
    for (int victim = 0; victim < 5; victim++) {
        const char *buffers[5];
        for (int i = 0; i < 5; i++)
            buffers[i] = entries[i]("entry %d", i);
        const char *cut = entries[victim]("%s", longText.c_str());
        EXPECT_EQ(cut, buffers[victim]);
        EXPECT_EQ(std::string(cut), longText.substr(0, FORMAT_BUFFER_SIZE - 1))
            << "entry " << victim;
        for (int i = 0; i < 5; i++) {
            if (i == victim)
                continue;
            EXPECT_EQ(std::string(buffers[i]), "entry " + std::to_string(i))
                << "entry " << i << " after entry " << victim << " overflowed";
        }
    }
}

TEST(FormatTextTest, TextOfBufferSizeLessOneIsWhole)
{
    const std::string fits(FORMAT_BUFFER_SIZE - 1, 'b');
    EXPECT_EQ(std::string(FormatClicksText("%s", fits.c_str())), fits);
    const std::string oneMore(FORMAT_BUFFER_SIZE, 'c');
    EXPECT_EQ(std::string(FormatClicksText("%s", oneMore.c_str())),
              oneMore.substr(0, FORMAT_BUFFER_SIZE - 1));
}

struct CellCase {
    float distance;
    const char *metres;
    const char *kilometres;
};

TEST(HistoryCellTest, DistanceInMetresAndKilometres)
{
    const CellCase cases[] = {
        {0.0f, "0.000", "0km 0.000m"},
        {1234567.0f, "1234.567", "1km 234.567m"},
        {999999.0f, "999.999", "0km 999.999m"},
        {1000000.0f, "1000.000", "1km 0.000m"},
        {1500.0f, "1.500", "0km 1.500m"},
        {123456789.0f, "123456.797", "123km 456.797m"},  // nearest floats
    };
    for (const CellCase &c : cases) {
        HistoryRecord record = Record(Date(2010, 6, 7), 0, c.distance, 0);
        EXPECT_STREQ(HistoryMetresText(record.distance), c.metres) << "distance " << c.distance;
        EXPECT_STREQ(HistoryDistanceText(record.distance), c.kilometres) << "distance " << c.distance;
    }
}

// Distances no day can have, but an imported file can: a defined text, no trap.
TEST(HistoryCellTest, DistanceBeyondThirtyTwoBitsWrapsAndNaNGivesZeroKilometres)
{
    HistoryRecord record = Record(Date(2010, 6, 7), 0, 5000000000000.0f, 0);  // 5e9 m
    EXPECT_STREQ(HistoryDistanceText(record.distance), "705032km 0.000m");  // 5e9 mod 2^32
    record.distance = NAN;
    EXPECT_EQ(strncmp(HistoryDistanceText(record.distance), "0km ", 4), 0) << HistoryDistanceText(record.distance);
}

TEST(HistoryCellTest, RunningTimeKeepsHoursPastOneDay)
{
    const struct { uint32_t seconds; const char *text; } cases[] = {
        {0, "00:00:00"},
        {59, "00:00:59"},
        {3725, "01:02:05"},
        {90000, "25:00:00"},
        {4294967295u, "1193046:28:15"},
    };
    for (const auto &c : cases) {
        HistoryRecord record = Record(Date(2010, 6, 7), 0, 0.0f, c.seconds);
        EXPECT_STREQ(HistoryTimeText(record.seconds), c.text) << "seconds " << c.seconds;
    }
}

TEST(HistoryCellTest, ClicksAndKeysAreGroupedIntoTheirOwnBuffers)
{
    EXPECT_STREQ(HistoryClicksText(65535), "65 535");
    EXPECT_STREQ(GroupedClicks, "65 535");
    EXPECT_STREQ(HistoryClicksText(0), "0");
    HistoryRecord record = Record(Date(2010, 6, 7), 4294967295u, 0.0f, 0);
    EXPECT_STREQ(HistoryKeysText(record.keys), "4 294 967 295");
    EXPECT_STREQ(GroupedKeys, "4 294 967 295");
    EXPECT_STREQ(GroupedClicks, "0");
}

// One CSV line holds the four cells side by side.
TEST(HistoryCellTest, CellsOfOneRecordStayValidTogether)
{
    HistoryRecord record = Record(Date(2010, 6, 7), 1234, 1234567.0f, 3725);
    const char *keys = HistoryKeysText(record.keys);
    const char *metres = HistoryMetresText(record.distance);
    const char *clicks = HistoryClicksText(1000);
    const char *time = HistoryTimeText(record.seconds);
    EXPECT_STREQ(keys, "1 234");
    EXPECT_STREQ(metres, "1234.567");
    EXPECT_STREQ(clicks, "1 000");
    EXPECT_STREQ(time, "01:02:05");
}

TEST(HistoryDateTest, ShortDateAndDayNameOfTheUserLocale)
{
    HistoryRecord record = Record(Date(2010, 6, 7), 0, 0.0f, 0);
    const char *text = HistoryDateText(record.date);
    EXPECT_NE(strstr(text, "2010"), nullptr) << text;
    SKIP_OUTSIDE_CODE_PAGE_936();
    // The zh-CN short date and "周一" (Monday) in code page 936.
    EXPECT_STREQ(text, "2010/6/7 (\xD6\xDC\xD2\xBB)");
}

TEST(HistoryDateTest, DateThePlatformCannotFormatGivesEmptyParts)
{
    const DateKey bad[] = {Date(2010, 13, 7), Date(2010, 6, 0), Date(2010, 2, 30),
                           0xFFFFFFFFu, 0};
    for (DateKey date : bad) {
        HistoryRecord record = Record(date, 0, 0.0f, 0);
        EXPECT_STREQ(HistoryDateText(record.date), " ()") << std::hex << date;
    }
}

} // namespace
