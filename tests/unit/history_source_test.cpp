// The history file's source: its trailer against the layout built here byte by byte, the
// trailers never trusted, which files are this computer's own, and the id's replacement.
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
const uint64_t ID = 0x8C3F5A1E62D7B904ull, WRITTEN = 133500000000000000ull;

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

// A trailer as the layout says, with `extra` bytes before the checksum, the length field
// `lengthDelta` off the real length and the magic given.
Bytes Trailer(uint16_t version, const std::u16string &name, const Bytes &extra = {},
              int lengthDelta = 0, const char *magic = "TWKS")
{
    size_t length = 26 + 2 * name.size() + extra.size() + 4 + lengthDelta;
    Bytes trailer = Bytes(magic, magic + 4) + Le(version, 2) + Le(length, 2) + Le(ID, 8) +
                    Le(WRITTEN, 8) + Le(name.size(), 2);
    for (char16_t unit : name)
        trailer = trailer + Le(unit, 2);
    trailer = trailer + extra;
    return trailer + Le(Crc32(trailer.data(), trailer.size()), 4);
}

// "TWKH", a count of 1 and one record of 5 March 2024, its reserved bytes zero.
const HistoryRecord DAY = {0x07E80305, 7, 2.5f, 1, 2, 3, 0, 60};
const Bytes ONE_DAY = Bytes{'T', 'W', 'K', 'H', 1, 0, 0, 0} +
                      Bytes((const unsigned char *)&DAY, (const unsigned char *)(&DAY + 1));

HistorySource Parse(const Bytes &bytes, HistoryFileResult expected = HISTORY_FILE_OK)
{
    HistoryList list = {nullptr, 0, 0, HISTORY_GROW_STEP};
    HistorySource source;
    EXPECT_EQ(ParseHistoryFile(bytes.data(), bytes.size(), &list, &source), expected);
    DestroyHistoryList(&list);
    return source;
}

std::u16string Name(const HistorySource &source)
{
    return std::u16string(source.name, source.name + source.nameLength);
}

TEST(HistoryTrailerTest, AFileWritesItsSourceAfterUnchangedRecordsAndReadsItBack)
{
    EXPECT_EQ(Crc32((const unsigned char *)"123456789", 9), 0xCBF43926u) << "not zlib's CRC-32";
    std::u16string name = std::u16string(61, u'\u5F20') + u"\U0001F600";  // 63 units
    HistorySource source = {true, ID, WRITTEN, 63, {}};
    memcpy(source.name, name.data(), 63 * sizeof(wchar_t));
    HistoryRecord record = DAY;
    record.reserved = 0xBEEF;
    HistoryList list = {&record, 1, 1, HISTORY_GROW_STEP};
    size_t size;
    unsigned char *bytes = EncodeHistoryFile(&list, &source, &size);
    Bytes written(bytes, bytes + size);
    free(bytes);
    EXPECT_EQ(written, ONE_DAY + Trailer(1, name));
    HistorySource read = Parse(written);
    EXPECT_TRUE(read.present && read.computerId == ID && read.writtenAt == WRITTEN);
    EXPECT_TRUE(Name(read) == name && read.name[63] == L'\0');
}

TEST(HistoryTrailerTest, OnlyATrailerThatHoldsWholeRightAfterTheRecordsNamesTheSource)
{
    const std::u16string name = u"Laptop-\u5F20";
    Bytes good = Trailer(1, name), badCrc = good;
    badCrc[28] ^= 0x01;  // a bit of the name, after the checksum was taken
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
        {"its length past the file's end", Trailer(2, name, {}, 2), false},
        {"a bad checksum", badCrc, false},
        {"name length 0", Trailer(1, u""), false},
        {"name length 64", Trailer(1, std::u16string(64, u'x')), false},
        {"version 0", Trailer(0, name), false},
        {"version 1 longer than its name", Trailer(1, name, {0, 0}), false},
        {"another magic", Trailer(1, name, {}, 0, "TWKH"), false},
    };
    for (const auto &c : cases) {
        HistorySource source = Parse(ONE_DAY + c.trailer);
        EXPECT_EQ(source.computerId, c.trusted ? ID : 0) << c.shape;
        EXPECT_EQ(Name(source), c.trusted ? name : u"") << c.shape;
    }
    // An empty history names its computer too; a refused file names none.
    EXPECT_TRUE(Parse(Bytes(ONE_DAY.begin(), ONE_DAY.begin() + 4) + Le(0, 4) + good,
                      HISTORY_FILE_EMPTY).present);
    Bytes notADay = ONE_DAY;
    notADay[9] = 13;  // the month of the record's date
    EXPECT_FALSE(Parse(notADay + good, HISTORY_FILE_BAD_FORMAT).present);
}

TEST(OwnFileTest, AFileIsOwnByTheCurrentIdOrAFormerOneBeforeItWasReplaced)
{
    const uint64_t CURRENT = 0x1111, A = 0xAAAA, B = 0xBBBB, C = 0xCCCC, T = 1000, U = 2000;
    // "Former Computer Ids": A replaced at T, B at U, then a torn entry of C.
    Bytes former = Le(A, 8) + Le(T, 8) + Le(B, 8) + Le(U, 8) + Le(C, 8) + Le(U, 7);
    const struct {
        const char *file;
        bool present;
        uint64_t id, writtenAt, currentId;
        bool own;
    } cases[] = {
        {"the current id, any time", true, CURRENT, U, CURRENT, true},
        {"a former id, written before its replacement", true, A, T - 1, CURRENT, true},
        {"a former id, written as it was replaced", true, A, T, CURRENT, false},
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

TEST(ComputerIdentityTest, AReplacedIdIsKeptWithItsTimeAndOwnsTheFilesWrittenBefore)
{
    DeleteSettingsKey();
    uint64_t first = ThisComputerId();
    EXPECT_EQ(ThisComputerId(), first) << "made once, then kept";
    EXPECT_FALSE(ReadRegistryValue(SETTINGS_KEY, "Former Computer Ids").present);
    uint64_t second = ReplaceComputerId(), third = ReplaceComputerId();
    EXPECT_TRUE(first != 0 && second != 0 && second != first && third != second);
    EXPECT_EQ(ReadSettingsQword("Computer Id"), third);
    std::vector<BYTE> former = ReadRegistryValue(SETTINGS_KEY, "Former Computer Ids").data;
    ASSERT_EQ(former.size(), 32u) << "the first and the second id, oldest first";
    uint64_t stored[4];
    memcpy(stored, former.data(), sizeof stored);
    EXPECT_TRUE(stored[0] == first && stored[2] == second && stored[1] <= stored[3]);
    HistorySource source = {true, first, stored[1] - 1, 1, L"x"};
    EXPECT_TRUE(IsThisComputersSource(source));
    source.writtenAt = stored[1];
    EXPECT_FALSE(IsThisComputersSource(source));
    DeleteSettingsKey();
}

}  // namespace
