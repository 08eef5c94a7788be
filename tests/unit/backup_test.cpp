// Daily backups through the save path, with the fake clock and a backup folder of the
// tests' own, named in characters outside every ANSI code page.
#include <gtest/gtest.h>
#include <windows.h>
#include <set>
#include <string>
#include "core/backup.h"
#include "core/backup_rotation.h"
#include "fakes/fake_backup_folder.h"
#include "settings_key_support.h"

namespace {

typedef std::set<std::wstring> Names;

std::wstring Name(WORD year, WORD month, WORD day)
{
    wchar_t name[BACKUP_NAME_SIZE];
    MakeBackupName(DateKeyOf(year, month, day), name);
    return name;
}

struct BackupTest : ::testing::Test {
    std::wstring folder = std::wstring(_wgetenv(L"TEMP")) + L"\\TallywickBackups\uD55C\u5907";

    void SetUp() override
    {
        ResetProgramState();
        SetFakeBackupFolder(folder.c_str());
        HistoryRecord day = MakeRecord(DateKeyOf(2010, 4, 1), 5, 1.0f, 1, 2, 3, 60);
        ASSERT_TRUE(AppendStoredRecord(&day));
    }
    void TearDown() override
    {
        SetFakeBackupFolder(nullptr);
        for (const std::wstring &name : Files())
            DeleteFileW((folder + L"\\" + name).c_str());
        RemoveDirectoryW(folder.c_str());
        ResetProgramState();
    }
    Names Files()
    {
        Names names;
        WIN32_FIND_DATAW entry;
        HANDLE search = FindFirstFileW((folder + L"\\*.*").c_str(), &entry);
        for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileW(search, &entry))
            if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                names.insert(entry.cFileName);
        FindClose(search);
        return names;
    }
    std::string Bytes(const std::wstring &name)
    {
        char bytes[256];
        FILE *file = _wfopen((folder + L"\\" + name).c_str(), L"rb");
        std::string read(bytes, file ? fread(bytes, 1, sizeof bytes, file) : 0);
        if (file)
            fclose(file);
        return read;
    }
};

// Besides the 60 days: older backups at the edge of the 24 months, one dated after today
// (a clock set back, left alone), and files of the user's own.
TEST_F(BackupTest, SixtyDaysOfSavesKeepTheFourteenNewestAndEachMonthsNewestAndNothingElse)
{
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    Names expected = {L"notes.txt", L"Tallywick-2001-13-01.twh", L"Tallywick-2001-04-01.twh.bak",
                      Name(2008, 7, 2), Name(2010, 7, 1)};
    for (const std::wstring &name : Names{Name(2008, 6, 30), Name(2008, 7, 1)})
        fclose(_wfopen((folder + L"\\" + name).c_str(), L"wb"));
    for (const std::wstring &name : expected)
        fclose(_wfopen((folder + L"\\" + name).c_str(), L"wb"));
    SetFakeDate(2010, 4, 20);
    StartBackups();
    const WORD lastDay[] = {30, 31, 18};  // 20 April to 18 June
    for (WORD month = 4; month <= 6; ++month)
        for (WORD day = month == 4 ? 20 : 1; day <= lastDay[month - 4]; ++day) {
            SetFakeDate(2010, month, day);
            SaveToRegistry();
        }
    expected.insert({Name(2010, 4, 30), Name(2010, 5, 31)});
    for (WORD day = 5; day <= 18; ++day)
        expected.insert(Name(2010, 6, day));
    EXPECT_EQ(Files(), expected);
}

// The target is held open without leave to delete it, so the rename cannot happen: as
// after a crash between the write and the rename, the old backup must be there, whole.
TEST_F(BackupTest, ABackupThatCannotBeRenamedLeavesTheOldOneWhole)
{
    ASSERT_TRUE(WriteBackup(folder.c_str(), DateKeyOf(2010, 6, 7)));
    std::string old = Bytes(Name(2010, 6, 7));
    HistoryRecord more = MakeRecord(DateKeyOf(2010, 6, 7), 9, 2.0f, 1, 1, 1, 60);
    ASSERT_TRUE(AppendStoredRecord(&more));
    HANDLE holder = CreateFileW((folder + L"\\" + Name(2010, 6, 7)).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_FALSE(WriteBackup(folder.c_str(), DateKeyOf(2010, 6, 7)));
    CloseHandle(holder);
    EXPECT_EQ(Bytes(Name(2010, 6, 7)), old);
    EXPECT_EQ(Files(), Names{Name(2010, 6, 7)});
}

// A file where the folder should be makes every backup fail, quietly.
TEST_F(BackupTest, AFailedBackupIsTriedAgainAtTheFirstSaveAnHourLater)
{
    fclose(_wfopen(folder.c_str(), L"wb"));
    StartBackups();
    DeleteFileW(folder.c_str());
    SetFakeTickCount(1000000 + BACKUP_RETRY_MS - 1000);
    SaveToRegistry();
    EXPECT_TRUE(Files().empty());
    SetFakeTickCount(1000000 + BACKUP_RETRY_MS);
    SaveToRegistry();
    EXPECT_EQ(Files(), Names{Name(2010, 6, 7)});
}

}  // namespace
