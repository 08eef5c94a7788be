// The history file's source: its trailer written and read against the layout built here
// byte by byte, and every trailer that must not be trusted.
#include <gtest/gtest.h>
#include <windows.h>
#include <string.h>
#include <string>
#include <vector>
#include "core/crc32.h"
#include "core/history_format.h"
#include "settings_key_support.h"

namespace {

typedef std::vector<unsigned char> Bytes;

const uint64_t ID = 0x8C3F5A1E62D7B904ull;
const uint64_t WRITTEN = 133500000000000000ull;

Bytes operator+(Bytes a, const Bytes &b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Bytes Le(uint64_t value, int size)
{
    Bytes bytes;
    for (int i = 0; i < size; ++i)
        bytes.push_back((unsigned char)(value >> 8 * i));
    return bytes;
}

// A trailer as the layout says, with `extra` bytes before the checksum and a length field
// `lengthDelta` off the real length.
Bytes Trailer(uint16_t version, const std::u16string &name, const Bytes &extra = {}, int lengthDelta = 0)
{
    Bytes trailer = Bytes{'T', 'W', 'K', 'S'} + Le(version, 2) + Le(0, 2) + Le(ID, 8) +
                    Le(WRITTEN, 8) + Le(name.size(), 2);
    for (char16_t unit : name)
        trailer = trailer + Le(unit, 2);
    trailer = trailer + extra;
    size_t length = trailer.size() + 4 + lengthDelta;
    trailer[6] = (unsigned char)length;
    trailer[7] = (unsigned char)(length >> 8);
    return trailer + Le(Crc32(trailer.data(), trailer.size()), 4);
}

HistoryRecord Day(uint32_t day, uint32_t keys)
{
    HistoryRecord record = {};
    record.date = DateKeyOf(2024, 3, (WORD)day);
    record.keys = keys;
    record.distance = 2.5f;
    record.reserved = 0xBEEF;
    return record;
}

Bytes RecordsFile(const std::vector<HistoryRecord> &records)
{
    Bytes bytes = Bytes{'T', 'W', 'K', 'H'} + Le(records.size(), 4);
    for (HistoryRecord record : records) {
        record.reserved = 0;
        const unsigned char *raw = (const unsigned char *)&record;
        bytes.insert(bytes.end(), raw, raw + sizeof record);
    }
    return bytes;
}

struct Parsed {
    HistoryFileResult result;
    int32_t count;
    HistorySource source;
};

Parsed Parse(const Bytes &bytes)
{
    HistoryList list = {nullptr, 0, 0, HISTORY_GROW_STEP};
    Parsed parsed;
    parsed.result = ParseHistoryFile(bytes.data(), bytes.size(), &list, &parsed.source);
    parsed.count = list.count;
    DestroyHistoryList(&list);
    return parsed;
}

std::u16string Units(const HistorySource &source)
{
    return std::u16string(source.name, source.name + source.nameLength);
}

TEST(HistoryTrailerTest, AFileWritesItsSourceAfterUnchangedRecordsAndReadsItBack)
{
    EXPECT_EQ(Crc32((const unsigned char *)"123456789", 9), 0xCBF43926u) << "not zlib's CRC-32";
    // 63 units, the most a name holds, ending in a character of two units.
    std::u16string name = std::u16string(61, u'\u5F20') + u"\U0001F600";
    HistorySource source = {true, ID, WRITTEN, 63, {}};
    memcpy(source.name, name.data(), 63 * sizeof(wchar_t));
    HistoryList list = {nullptr, 0, 0, HISTORY_GROW_STEP};
    HistoryRecord fifth = Day(5, 70000), fourth = Day(4, 7);
    ASSERT_TRUE(AppendRecord(&list, &fifth));
    ASSERT_TRUE(AppendRecord(&list, &fourth));

    size_t size;
    unsigned char *bytes = EncodeHistoryFile(&list, &source, &size);
    ASSERT_NE(bytes, nullptr);
    Bytes written(bytes, bytes + size);
    free(bytes);
    EXPECT_EQ(written, RecordsFile({Day(5, 70000), Day(4, 7)}) + Trailer(1, name));

    Parsed parsed = Parse(written);
    EXPECT_EQ(parsed.result, HISTORY_FILE_OK);
    EXPECT_EQ(parsed.count, 2);
    ASSERT_TRUE(parsed.source.present);
    EXPECT_EQ(parsed.source.computerId, ID);
    EXPECT_EQ(parsed.source.writtenAt, WRITTEN);
    EXPECT_EQ(Units(parsed.source), name);
    EXPECT_EQ(parsed.source.name[63], L'\0');
    DestroyHistoryList(&list);
}

// One bit of the bytes changed, after the checksum was taken.
Bytes Flipped(Bytes bytes, size_t at)
{
    bytes[at] ^= 0x01;
    return bytes;
}

TEST(HistoryTrailerTest, OnlyATrailerThatHoldsWholeRightAfterTheRecordsNamesTheSource)
{
    const std::u16string name = u"Laptop-\u5F20";
    Bytes good = Trailer(1, name);
    const struct {
        const char *shape;
        Bytes trailer;
        bool trusted;
    } cases[] = {
        {"version 1", good, true},
        {"a later version with a field before the checksum", Trailer(2, name, {1, 2, 3, 4}), true},
        {"bytes after the trailer", good + Bytes{0, 0, 0}, true},
        {"one byte before it: not at 8 + 24N", Bytes{0} + good, false},
        {"cut short in its fields", Bytes(good.begin(), good.begin() + 20), false},
        {"cut in the name", Bytes(good.begin(), good.end() - 6), false},
        {"its length past the file's end", Trailer(2, name, {}, 2), false},
        {"a bad checksum", Flipped(good, 28), false},
        {"name length 0", Trailer(1, u""), false},
        {"name length 64", Trailer(1, std::u16string(64, u'x')), false},
        {"version 0", Trailer(0, name), false},
        {"version 1 longer than its name", Trailer(1, name, {0, 0}), false},
        {"another magic", Bytes{'T', 'W', 'K', 'H'} + Bytes(good.begin() + 4, good.end()), false},
    };
    for (const auto &c : cases) {
        Parsed parsed = Parse(RecordsFile({Day(5, 1)}) + c.trailer);
        EXPECT_EQ(parsed.result, HISTORY_FILE_OK) << c.shape;
        EXPECT_EQ(parsed.count, 1) << c.shape;
        EXPECT_EQ(parsed.source.present, c.trusted) << c.shape;
        EXPECT_EQ(parsed.source.computerId, c.trusted ? ID : 0) << c.shape;
        EXPECT_EQ(parsed.source.writtenAt, c.trusted ? WRITTEN : 0) << c.shape;
        EXPECT_EQ(Units(parsed.source), c.trusted ? name : u"") << c.shape;
    }
    // An empty history names its computer too; a refused file names none.
    EXPECT_TRUE(Parse(RecordsFile({}) + good).source.present);
    HistoryRecord notADay = Day(30, 1);
    notADay.date = DateKeyOf(2023, 2, 29);
    EXPECT_FALSE(Parse(RecordsFile({notADay}) + good).source.present);
}

}  // namespace
