// The sync folder's pure parts (names, what changed, whose a file is and what is done with
// it), its file work over a real temporary folder, and the "Sync Folder" value. The two
// programs sharing a folder are tests/release/sync_folder_test's.
#include <gtest/gtest.h>
#include <windows.h>
#include <stdlib.h>
#include <string>
#include "core/sync_decision.h"
#include "core/sync_files.h"
#include "core/sync_io.h"
#include "settings_key_support.h"

namespace {

const uint64_t SELF = 0x00C0FFEE00000001ull, OTHER = 0xABCDEF0123456789ull;

HistorySource Source(uint64_t id, uint64_t writtenAt)
{
    return HistorySource{true, id, writtenAt, 2, L"PC"};
}

TEST(SyncFilesTest, NamesAreMadeSafeAndAnyTallywickTwhNameIsLookedAt)
{
    wchar_t name[SYNC_FILE_NAME_SIZE];
    MakeSyncFileName(L"a:b/c\u7535*", 0x0123456789ABCDEFull, name);
    EXPECT_STREQ(name, L"Tallywick-a_b_c\u7535_-0123456789ABCDEF.twh");
    EXPECT_TRUE(IsSyncFileName(name));
    EXPECT_TRUE(IsSyncFileName(L"Tallywick-PC-0123456789ABCDEF (1).twh"));
    EXPECT_TRUE(IsSyncFileName(L"TALLYWICK-PC-conflict.TWH"));
    EXPECT_FALSE(IsSyncFileName(L"Tallywick-.twh"));
    EXPECT_FALSE(IsSyncFileName(L"Tallywick-PC.twh.tmp"));
    EXPECT_FALSE(IsSyncFileName(L"Tally-PC.twh"));
}

TEST(SyncFilesTest, AFileIsReadAgainOnlyWhenItsSizeOrTimeChangedAndGoneFilesAreNamed)
{
    SyncFileTable table = {};
    BeginSyncLook(&table);
    EXPECT_TRUE(SyncFileChanged(&table, L"Tallywick-a.twh", 100, 5));
    ASSERT_TRUE(RememberSyncFile(&table, L"Tallywick-a.twh", 100, 5));
    ASSERT_TRUE(RememberSyncFile(&table, L"Tallywick-b.twh", 7, 7));
    EndSyncLook(&table, nullptr, nullptr);
    BeginSyncLook(&table);
    EXPECT_FALSE(SyncFileChanged(&table, L"TALLYWICK-A.twh", 100, 5));
    EXPECT_TRUE(SyncFileChanged(&table, L"Tallywick-a.twh", 101, 5));
    EXPECT_TRUE(SyncFileChanged(&table, L"Tallywick-a.twh", 100, 6));
    std::wstring gone;
    EndSyncLook(&table, [](const wchar_t *name, void *context) { *(std::wstring *)context += name; },
                &gone);
    EXPECT_EQ(gone, L"Tallywick-b.twh");
    EXPECT_EQ(table.count, 1);
    ClearSyncFileTable(&table);
}

TEST(SyncDecisionTest, AFileOfThisIdIsAnotherMachinesOnlyWhenWrittenSinceTheEarliestWriteAndNotByUs)
{
    SyncWrites writes = {};
    EXPECT_FALSE(WrittenElsewhere(writes, SELF, 500)) << "nothing remembered: cannot tell";
    AddSyncWrite(&writes, SELF, 100);
    AddSyncWrite(&writes, SELF, 300);
    EXPECT_FALSE(WrittenElsewhere(writes, SELF, 300));
    EXPECT_FALSE(WrittenElsewhere(writes, SELF, 99)) << "older than all: this computer's own";
    EXPECT_TRUE(WrittenElsewhere(writes, SELF, 200));
    EXPECT_FALSE(WrittenElsewhere(writes, OTHER, 200));
    for (int i = 0; i < SYNC_WRITES_MAX; ++i)
        AddSyncWrite(&writes, SELF, 1000 + i);
    EXPECT_FALSE(WrittenElsewhere(writes, SELF, 300)) << "forgotten times fall before the earliest";
    unsigned char bytes[SYNC_WRITES_FILE_MAX];
    size_t size = EncodeSyncWrites(writes, bytes);
    SyncWrites read;
    ASSERT_TRUE(ParseSyncWrites(bytes, size, &read));
    EXPECT_EQ(read.count, SYNC_WRITES_MAX);
    EXPECT_TRUE(WrittenHere(read, SELF, 1000 + SYNC_WRITES_MAX - 1));
    EXPECT_FALSE(ParseSyncWrites(bytes, size - 1, &read)) << "a list cut short is none";
    AddSyncWrite(&writes, OTHER, 5);
    EXPECT_EQ(writes.count, 1) << "a new id starts the list anew";
}

TEST(SyncDecisionTest, KeepsOnlyNewerCopiesOfOtherComputersAndFindsASecondMachine)
{
    SyncWrites writes = {};
    AddSyncWrite(&writes, SELF, 1000);
    const uint64_t FORMER = 0x5555, REPLACED_AT = 800;
    unsigned char former[16];
    memcpy(former, &FORMER, 8);
    memcpy(former + 8, &REPLACED_AT, 8);
    SyncSelf self = {SELF, former, sizeof former, &writes, nullptr};
    uint64_t kept = 2000;
    EXPECT_EQ(DecideSyncFile(HistorySource{}, self, false, nullptr), SYNC_NO_SOURCE);
    EXPECT_EQ(DecideSyncFile(Source(SELF, 1000), self, false, nullptr), SYNC_SKIP_OWN);
    EXPECT_EQ(DecideSyncFile(Source(SELF, 1500), self, false, nullptr), SYNC_TAKE_NEW_ID);
    EXPECT_EQ(DecideSyncFile(Source(FORMER, 799), self, false, nullptr), SYNC_SKIP_OWN);
    EXPECT_EQ(DecideSyncFile(Source(FORMER, 801), self, false, nullptr), SYNC_KEEP)
        << "the other machine's files after the id was replaced are another computer's";
    EXPECT_EQ(DecideSyncFile(Source(OTHER, 3000), self, true, nullptr), SYNC_SKIP_REMOVED);
    EXPECT_EQ(DecideSyncFile(Source(OTHER, 2000), self, false, &kept), SYNC_SKIP_NOT_NEWER);
    EXPECT_EQ(DecideSyncFile(Source(OTHER, 2001), self, false, &kept), SYNC_KEEP);

    // Two named machines that find each other's file agree on the one that takes a new id.
    SyncSelf desk = self, laptop = self;
    desk.name = L"desk";
    laptop.name = L"Laptop";
    HistorySource fromDesk = Source(SELF, 1500), fromLaptop = Source(SELF, 1600);
    wcscpy(fromDesk.name, L"DESK");
    wcscpy(fromLaptop.name, L"laptop");
    EXPECT_EQ(DecideSyncFile(fromLaptop, desk, false, nullptr), SYNC_SKIP_TWIN);
    EXPECT_EQ(DecideSyncFile(fromDesk, laptop, false, nullptr), SYNC_TAKE_NEW_ID);
    desk.name = L"desk";
    EXPECT_EQ(DecideSyncFile(fromDesk, desk, false, nullptr), SYNC_TAKE_NEW_ID)
        << "a machine of the same name cannot be told apart: the finder takes a new id";
}

struct ScratchFolder {
    std::wstring path = std::wstring(_wgetenv(L"TEMP")) + L"\\TallywickSync\u540c\u6b65";
    ScratchFolder() { CreateDirectoryW(path.c_str(), nullptr); }
    ~ScratchFolder()
    {
        WIN32_FIND_DATAW entry;
        HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &entry);
        if (search != INVALID_HANDLE_VALUE) {
            do
                DeleteFileW((path + L"\\" + entry.cFileName).c_str());
            while (FindNextFileW(search, &entry));
            FindClose(search);
        }
        RemoveDirectoryW(path.c_str());
    }
    std::wstring operator/(const wchar_t *name) const { return path + L"\\" + name; }
};

std::vector<SyncNews> Look(const std::wstring &folder, SyncFileTable *table, bool *listed)
{
    SyncNews *found = nullptr, **tail = &found;
    *listed = LookAtSyncFolder(folder.c_str(), table, &tail);
    std::vector<SyncNews> news;
    for (SyncNews *item = found; item; item = item->next)
        news.push_back(*item);
    FreeSyncNews(found);
    return news;
}

TEST(SyncIoTest, WritesAreNotReadBackChangedFilesAreAndOnlyOwnWritesAreDeleted)
{
    ScratchFolder folder;
    HistoryRecord day = MakeRecord(DateKeyOf(2024, 5, 2), 25, 1.0f, 1, 2, 3, 60);
    HistoryList days = {&day, 1, 1, 0};
    HistorySource mine = Source(SELF, 1000), theirs = Source(OTHER, 2000);
    size_t size;
    unsigned char *bytes = EncodeHistoryFile(&days, &mine, &size);
    SyncFileTable table = {};
    ASSERT_TRUE(WriteSyncFile(folder.path.c_str(), L"Tallywick-PC-1.twh", bytes, size, &table));
    free(bytes);
    bytes = EncodeHistoryFile(&days, &theirs, &size);
    ASSERT_TRUE(WriteSyncFile(folder.path.c_str(), L"Tallywick-PC-2 (1).twh", bytes, size, &table));
    free(bytes);
    bool listed;
    EXPECT_TRUE(Look(folder.path, &table, &listed).empty()) << "both written here, none read back";
    CopyFileW((folder / L"Tallywick-PC-2 (1).twh").c_str(), (folder / L"Tallywick-x.twh").c_str(), FALSE);
    FILE *broken = _wfopen((folder / L"Tallywick-broken.twh").c_str(), L"wb");
    fputs("TWKHxxxx", broken);
    fclose(broken);
    std::vector<SyncNews> news = Look(folder.path, &table, &listed);
    ASSERT_EQ(news.size(), 2u);
    for (const SyncNews &item : news) {
        bool copy = std::wstring(item.name) == L"Tallywick-x.twh";
        EXPECT_EQ(item.kind, copy ? SYNC_NEWS_HISTORY : SYNC_NEWS_MALFORMED) << item.name;
        EXPECT_EQ(item.source.computerId, copy ? OTHER : 0u);
    }
    DeleteFileW((folder / L"Tallywick-broken.twh").c_str());
    news = Look(folder.path, &table, &listed);
    ASSERT_EQ(news.size(), 1u);
    EXPECT_EQ(news[0].kind, SYNC_NEWS_GONE);

    SyncWrites writes = {};
    AddSyncWrite(&writes, SELF, 1000);
    DeleteOwnSyncFiles(folder.path.c_str(), writes);
    EXPECT_EQ(GetFileAttributesW((folder / L"Tallywick-PC-1.twh").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(GetFileAttributesW((folder / L"Tallywick-x.twh").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(Look(folder.path + L"\\gone", &table, &listed).empty());
    EXPECT_FALSE(listed) << "an unreachable folder is no folder to look at";
    ClearSyncFileTable(&table);
}

TEST(SyncFolderValueTest, OnlyAWholeStringIsAFolder)
{
    DeleteSettingsKey();
    wchar_t folder[MAX_PATH];
    EXPECT_FALSE(ReadSyncFolderValue(folder));
    ASSERT_TRUE(WriteSyncFolderValue(L"Z:\\\u540c\u6b65 folder"));
    ASSERT_TRUE(ReadSyncFolderValue(folder));
    EXPECT_STREQ(folder, L"Z:\\\u540c\u6b65 folder");
    HKEY key;
    ASSERT_EQ(RegOpenKeyA(HKEY_CURRENT_USER, SETTINGS_KEY, &key), ERROR_SUCCESS);
    const wchar_t inner[] = L"C:\\a\0b";
    RegSetValueExW(key, L"Sync Folder", 0, REG_SZ, (const BYTE *)inner, sizeof inner);
    EXPECT_FALSE(ReadSyncFolderValue(folder));
    DWORD one = 1;
    RegSetValueExW(key, L"Sync Folder", 0, REG_DWORD, (const BYTE *)&one, sizeof one);
    EXPECT_FALSE(ReadSyncFolderValue(folder));
    EXPECT_STREQ(folder, L"");
    RegCloseKey(key);
    ASSERT_TRUE(WriteSyncFolderValue(L""));
    EXPECT_EQ(ReadSettingsQword(SYNC_FOLDER_VALUE), UINT64_MAX) << "off is no value";
    DeleteSettingsKey();
}

}  // namespace
