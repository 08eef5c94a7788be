// The kept sources across a restart, from the tests' own kept computers' folder: the copy
// and the removal read back, a removed computer refused until it is added again, a kept
// file that is no longer a history left out. The menu's flows are history_file_test.cpp's.
#include <gtest/gtest.h>
#include <windows.h>
#include <stdio.h>
#include <string>
#include "core/sources.h"
#include "fakes/fake_backup_folder.h"
#include "settings_key_support.h"

namespace {

const uint64_t LAPTOP = 0x1234ABCD5678EF90ull, WRITTEN = 133500000000000000ull;

KeepResult Keep(uint32_t keys, int flags = 0)
{
    HistorySource source = {true, LAPTOP, WRITTEN, 8, L"laptop-2"};
    HistoryRecord day = MakeRecord(DateKeyOf(2024, 5, 2), keys, 1.0f, 1, 2, 3, 60);
    return KeepSourceHistory(source, HistoryList{&day, 1, 1, 0}, flags);
}

TEST(KeptSourcesTest, ARestartReadsBackTheCopyAndTheRemovalAndLeavesOutAMalformedFile)
{
    std::wstring folder = std::wstring(_wgetenv(L"TEMP")) + L"\\TallywickComputers\u5907";
    std::wstring file = folder + L"\\1234ABCD5678EF90.twh", list = folder + L"\\Sources.list";
    DeleteSettingsKey();
    SetFakeComputersFolder(folder.c_str());
    ASSERT_TRUE(LoadKeptSources());
    ASSERT_EQ(Keep(25), KEEP_DONE);

    ASSERT_TRUE(LoadKeptSources());
    ASSERT_EQ(KeptSourceCount(), 1);
    const KeptSource *kept = KeptSourceAt(0);
    EXPECT_EQ(kept->id, LAPTOP);
    EXPECT_STREQ(kept->name, L"laptop-2");
    EXPECT_EQ(kept->writtenAt, WRITTEN);
    EXPECT_GT(kept->keptAt, WRITTEN) << "the kept time is the time of keeping";
    ASSERT_EQ(kept->days.count, 1);
    EXPECT_EQ(kept->days.records[0].keys, 25u);

    ASSERT_TRUE(RemoveKeptSource(LAPTOP));
    ASSERT_TRUE(LoadKeptSources());
    EXPECT_EQ(KeptSourceCount(), 0);
    EXPECT_TRUE(IsRemovedSource(LAPTOP));
    EXPECT_EQ(Keep(30), KEEP_REMOVED);
    ASSERT_EQ(Keep(30, KEEP_EVEN_IF_REMOVED), KEEP_DONE);
    ASSERT_TRUE(LoadKeptSources());
    EXPECT_FALSE(IsRemovedSource(LAPTOP));
    EXPECT_EQ(KeptSourceCount(), 1);

    FILE *written = _wfopen(file.c_str(), L"r+b");
    ASSERT_NE(written, nullptr);
    fputc('X', written);  // no longer "TWKH"
    fclose(written);
    EXPECT_TRUE(LoadKeptSources());
    EXPECT_EQ(KeptSourceCount(), 0);

    DeleteFileW(file.c_str());
    DeleteFileW(list.c_str());
    RemoveDirectoryW(folder.c_str());
    SetFakeComputersFolder(nullptr);
    LoadKeptSources();
    DeleteSettingsKey();
}

}  // namespace
