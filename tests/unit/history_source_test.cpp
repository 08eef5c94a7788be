// The history file's source: its trailer written and read against the layout built here
// byte by byte, every trailer that must not be trusted, which files are this computer's
// own, and the replacement of its id.
#include <gtest/gtest.h>
#include <windows.h>
#include <string.h>
#include <string>
#include <vector>
#include "core/computer_identity.h"
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

// A trailer as the layout says, with `extra` bytes before the checksum, a length field
// `lengthDelta` off the real length and the magic given.
Bytes Trailer(uint16_t version, const std::u16string &name, const Bytes &extra = {},
              int lengthDelta = 0, const char *magic = "TWKS")
{
    Bytes trailer = Bytes(magic, magic + 4) + Le(version, 2) + Le(0, 2) + Le(ID, 8) +
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
        {"another magic", Trailer(1, name, {}, 0, "TWKH"), false},
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

// The stored form of "Former Computer Ids": the id, then when it was replaced.
Bytes FormerEntry(uint64_t id, uint64_t replacedAt)
{
    return Le(id, 8) + Le(replacedAt, 8);
}

TEST(OwnFileTest, AFileIsOwnByTheCurrentIdOrAFormerOneBeforeItWasReplaced)
{
    const uint64_t CURRENT = 0x1111, A = 0xAAAA, B = 0xBBBB, C = 0xCCCC, T = 1000, U = 2000;
    Bytes torn = FormerEntry(C, U);
    Bytes former = FormerEntry(A, T) + FormerEntry(B, U) + Bytes(torn.begin(), torn.end() - 1);
    const struct {
        const char *file;
        bool present;
        uint64_t id;
        uint64_t writtenAt;
        uint64_t currentId;
        bool own;
    } cases[] = {
        {"the current id, any time", true, CURRENT, U + 5, CURRENT, true},
        {"a former id, written before its replacement", true, A, T - 1, CURRENT, true},
        {"a former id, written as it was replaced", true, A, T, CURRENT, false},
        {"a former id, written after its replacement", true, A, U, CURRENT, false},
        {"the second former id, before its replacement", true, B, U - 1, CURRENT, true},
        {"an id in a torn entry", true, C, 0, CURRENT, false},
        {"another computer", true, 0x9999, 0, CURRENT, false},
        {"no source", false, CURRENT, 0, CURRENT, false},
        {"id 0 while this computer has none", true, 0, 0, 0, false},
    };
    for (const auto &c : cases) {
        HistorySource source = {c.present, c.id, c.writtenAt, 4, L"Name"};
        EXPECT_EQ(IsOwnSource(source, c.currentId, former.data(), former.size()), c.own) << c.file;
    }
}

uint64_t Now()
{
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    return (uint64_t)now.dwHighDateTime << 32 | now.dwLowDateTime;
}

uint64_t Le64At(const std::vector<BYTE> &bytes, size_t at)
{
    uint64_t value = 0;
    memcpy(&value, bytes.data() + at, sizeof value);
    return value;
}

TEST(ComputerIdentityTest, AReplacedIdIsKeptWithItsTimeAndOwnsTheFilesWrittenBefore)
{
    DeleteSettingsKey();
    uint64_t first = ThisComputerId();
    ASSERT_NE(first, 0u);
    EXPECT_EQ(ThisComputerId(), first) << "made once, then kept";
    EXPECT_FALSE(ReadRegistryValue(SETTINGS_KEY, "Former Computer Ids").present);

    uint64_t before = Now();
    uint64_t second = ReplaceComputerId();
    uint64_t after = Now();
    EXPECT_NE(second, 0u);
    EXPECT_NE(second, first);
    EXPECT_EQ(ReadSettingsQword("Computer Id"), second);
    uint64_t third = ReplaceComputerId();
    RegistryValue former = ReadRegistryValue(SETTINGS_KEY, "Former Computer Ids");
    EXPECT_EQ(former.type, (DWORD)REG_BINARY);
    ASSERT_EQ(former.data.size(), 32u) << "the first and the second id, oldest first";
    EXPECT_EQ(Le64At(former.data, 0), first);
    uint64_t replacedAt = Le64At(former.data, 8);
    EXPECT_TRUE(replacedAt >= before && replacedAt <= after) << replacedAt;
    EXPECT_EQ(Le64At(former.data, 16), second);

    HistorySource source = {true, first, replacedAt - 1, 1, L"x"};
    EXPECT_TRUE(IsThisComputersSource(source));
    source.writtenAt = replacedAt;
    EXPECT_FALSE(IsThisComputersSource(source));
    source.computerId = third;
    EXPECT_TRUE(IsThisComputersSource(source));
    DeleteSettingsKey();
}

}  // namespace
