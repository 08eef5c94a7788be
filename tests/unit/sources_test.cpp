// The kept sources: each one kept whole and replaced whole, what is refused, and what a
// restart reads back from the tests' own kept computers' folder.
#include <gtest/gtest.h>
#include <windows.h>
#include <stdio.h>
#include <string>
#include <utility>
#include <vector>
#include "core/computer_identity.h"
#include "core/sources.h"
#include "fakes/fake_backup_folder.h"
#include "settings_key_support.h"

namespace {

typedef std::vector<std::pair<DateKey, uint32_t>> DayKeys;
const uint64_t LAPTOP = 0x1234ABCD5678EF90ull, T1 = 133500000000000000ull,
               T2 = T1 + 864000000000ull;

HistorySource Source(uint64_t id, uint64_t writtenAt, const wchar_t *name = L"laptop")
{
    HistorySource source = {true, id, writtenAt, (int)wcslen(name), {}};
    wcscpy(source.name, name);
    return source;
}

struct KeptList {
    HistoryList list = {nullptr, 0, 0, HISTORY_GROW_STEP};
    explicit KeptList(const DayKeys &days)
    {
        for (auto day : days) {
            HistoryRecord record = MakeRecord(day.first, day.second, 1.0f, 1, 2, 3, 60);
            AppendRecord(&list, &record);
        }
    }
    ~KeptList() { DestroyHistoryList(&list); }
};

DayKeys KeptDays(uint64_t id)
{
    DayKeys days;
    const KeptSource *kept = FindKeptSource(id);
    for (int i = 0; kept && i < kept->days.count; ++i)
        days.push_back({kept->days.records[i].date, kept->days.records[i].keys});
    return days;
}

struct KeptSourcesTest : ::testing::Test {
    std::wstring folder = std::wstring(_wgetenv(L"TEMP")) + L"\\TallywickComputers\u5907";
    std::wstring laptopFile = folder + L"\\1234ABCD5678EF90.twh";

    void SetUp() override
    {
        DeleteSettingsKey();
        SetFakeComputersFolder(folder.c_str());
        ASSERT_TRUE(LoadKeptSources());
        ASSERT_EQ(KeptSourceCount(), 0);
    }
    void TearDown() override
    {
        DeleteFileW(laptopFile.c_str());
        DeleteFileW((folder + L"\\Sources.list").c_str());
        RemoveDirectoryW(folder.c_str());
        LoadKeptSources();
        SetFakeComputersFolder(nullptr);
        DeleteSettingsKey();
    }
    KeepResult Keep(const HistorySource &source, const DayKeys &days, int flags = 0)
    {
        return KeepSourceHistory(source, KeptList(days).list, flags);
    }
};

const DateKey MAY_1 = 0x07E80501, MAY_2 = 0x07E80502, MAY_3 = 0x07E80503;

TEST_F(KeptSourcesTest, ALaterCopyReplacesTheKeptOneWholeAndARestartReadsItBack)
{
    uint32_t version = KeptSourcesVersion();
    ASSERT_EQ(Keep(Source(LAPTOP, T1), {{MAY_1, 10}, {MAY_2, 20}}), KEEP_DONE);
    EXPECT_NE(KeptSourcesVersion(), version);
    ASSERT_EQ(Keep(Source(LAPTOP, T2, L"laptop-2"), {{MAY_2, 25}, {MAY_3, 30}}), KEEP_DONE);
    DayKeys later = {{MAY_2, 25}, {MAY_3, 30}};
    EXPECT_EQ(KeptDays(LAPTOP), later);

    ASSERT_TRUE(LoadKeptSources());
    ASSERT_EQ(KeptSourceCount(), 1);
    const KeptSource *kept = KeptSourceAt(0);
    EXPECT_EQ(kept->id, LAPTOP);
    EXPECT_STREQ(kept->name, L"laptop-2");
    EXPECT_EQ(kept->writtenAt, T2);
    EXPECT_GT(kept->keptAt, T2) << "the kept time is the time of keeping";
    EXPECT_EQ(KeptDays(LAPTOP), later);

    FILE *file = _wfopen(laptopFile.c_str(), L"r+b");
    ASSERT_NE(file, nullptr);
    fputc('X', file);  // no longer a history file
    fclose(file);
    EXPECT_TRUE(LoadKeptSources());
    EXPECT_EQ(KeptSourceCount(), 0) << "a malformed kept file is left out";
}

TEST_F(KeptSourcesTest, OwnFilesFilesWithoutASourceAndOlderCopiesAreRefused)
{
    ASSERT_EQ(Keep(Source(LAPTOP, T2), {{MAY_2, 20}}), KEEP_DONE);
    const struct {
        HistorySource source;
        int flags;
        KeepResult expected;
        DayKeys keptAfter;
    } cases[] = {
        {Source(ThisComputerId(), T2), KEEP_EVEN_IF_OLDER, KEEP_OWN, {{MAY_2, 20}}},
        {HistorySource{}, KEEP_EVEN_IF_OLDER, KEEP_NO_SOURCE, {{MAY_2, 20}}},
        {Source(LAPTOP, T1), 0, KEEP_OLDER, {{MAY_2, 20}}},
        {Source(LAPTOP, T1), KEEP_EVEN_IF_OLDER, KEEP_DONE, {{MAY_1, 7}}},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(Keep(c.source, {{MAY_1, 7}}, c.flags), c.expected) << c.source.computerId;
        EXPECT_EQ(KeptDays(LAPTOP), c.keptAfter) << c.source.computerId;
        EXPECT_EQ(KeptSourceCount(), 1);
    }
}

TEST_F(KeptSourcesTest, ARemovedSourceStaysRemovedAfterARestartUntilTheUserAddsItAgain)
{
    ASSERT_EQ(Keep(Source(LAPTOP, T1), {{MAY_1, 10}}), KEEP_DONE);
    uint32_t version = KeptSourcesVersion();
    ASSERT_TRUE(RemoveKeptSource(LAPTOP));
    EXPECT_NE(KeptSourcesVersion(), version);
    EXPECT_EQ(KeptSourceCount(), 0);
    EXPECT_EQ(GetFileAttributesW(laptopFile.c_str()), INVALID_FILE_ATTRIBUTES);

    ASSERT_TRUE(LoadKeptSources());
    EXPECT_TRUE(IsRemovedSource(LAPTOP));
    EXPECT_EQ(Keep(Source(LAPTOP, T2), {{MAY_2, 20}}), KEEP_REMOVED);
    EXPECT_EQ(KeptSourceCount(), 0);
    EXPECT_EQ(Keep(Source(LAPTOP, T2), {{MAY_2, 20}}, KEEP_EVEN_IF_REMOVED), KEEP_DONE);

    ASSERT_TRUE(LoadKeptSources());
    EXPECT_FALSE(IsRemovedSource(LAPTOP));
    EXPECT_EQ(KeptDays(LAPTOP), (DayKeys{{MAY_2, 20}}));
}

}  // namespace
