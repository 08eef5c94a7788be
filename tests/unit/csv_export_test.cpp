// The CSV file's bytes, the remembered folder of the file dialogs, and the export failure.
#include <gtest/gtest.h>
#include <stdio.h>
#include <string.h>
#include <string>
#include "history/csv_export.h"
#include "text/history_cells.h"
#include "meter/meter_window.h"
#include "settings_key_support.h"
#include "ui/file_dialogs.h"

namespace {

std::string ReadFileBytes(const wchar_t *path)
{
    std::string bytes;
    FILE *file = _wfopen(path, L"rb");
    if (!file)
        return "<missing>";
    char buffer[4096];
    size_t got;
    while ((got = fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes.append(buffer, got);
    fclose(file);
    return bytes;
}

std::wstring TempPath(const wchar_t *name)
{
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + name;
}

struct CsvExportTest : ::testing::Test {
    std::wstring path = TempPath(L"tallywick_csv_test.csv");
    void SetUp() override
    {
        ClearStoredHistory();
        LastFileDir[0] = L'\0';
        DeleteFileW(path.c_str());
    }
    void TearDown() override
    {
        ClearStoredHistory();
        LastFileDir[0] = L'\0';
        DeleteFileW(path.c_str());
    }
    void Append(const HistoryRecord &record)
    {
        ASSERT_TRUE(AppendStoredRecord(&record));
    }
};

TEST_F(CsvExportTest, EmptyHistoryGivesAnEmptyFile)
{
    EXPECT_TRUE(WriteHistoryCsv(path.c_str(), false));
    EXPECT_EQ(ReadFileBytes(path.c_str()), "");
}

TEST_F(CsvExportTest, OneCrLfLinePerRecordInListOrder)
{
    HistoryRecord later = MakeRecord(DateKeyOf(2010, 6, 8), 1234567, 1234567.0f, 1500, 20, 300, 90000);
    HistoryRecord earlier = MakeRecord(DateKeyOf(2010, 6, 7), 12, 0.0f, 0, 65535, 7, 3725);
    Append(later);
    Append(earlier);
    // A longer file than before must be truncated, not overwritten in part.
    FILE *old = _wfopen(path.c_str(), L"wb");
    ASSERT_NE(old, (FILE *)NULL);
    fputs(std::string(500, 'x').c_str(), old);
    fclose(old);

    ASSERT_TRUE(WriteHistoryCsv(path.c_str(), false));

    std::string laterDate = HistoryDateText(later.date);
    std::string earlierDate = HistoryDateText(earlier.date);
    std::string expected = laterDate + ",1 234 567,1234.567,1 500,20,300,25:00:00\r\n" +
                           earlierDate + ",12,0.000,0,65 535,7,01:02:05\r\n";
    EXPECT_EQ(ReadFileBytes(path.c_str()), expected);
    EXPECT_FALSE(laterDate.empty());
    EXPECT_NE(laterDate, earlierDate);
}

// Closes the message box that a failed export shows, so that the test does not wait for
// a user; remembers whether one came and who owned it.
struct MessageBoxCloser {
    DWORD threadId = GetCurrentThreadId();
    HANDLE thread = NULL;
    volatile bool found = false;
    HWND owner = (HWND)-1;

    static BOOL CALLBACK CloseIfBox(HWND window, LPARAM self)
    {
        MessageBoxCloser *closer = (MessageBoxCloser *)self;
        char className[16] = "";
        GetClassNameA(window, className, sizeof className);
        if (strcmp(className, "#32770") != 0 || !IsWindowVisible(window))
            return TRUE;
        closer->owner = GetWindow(window, GW_OWNER);
        closer->found = true;
        PostMessageA(window, WM_COMMAND, IDOK, 0);
        return FALSE;
    }
    static DWORD WINAPI Watch(void *self)
    {
        MessageBoxCloser *closer = (MessageBoxCloser *)self;
        for (int i = 0; i < 200 && !closer->found; ++i) {
            Sleep(25);
            EnumThreadWindows(closer->threadId, CloseIfBox, (LPARAM)closer);
        }
        return 0;
    }
    MessageBoxCloser()
    {
        thread = CreateThread(NULL, 0, Watch, this, 0, NULL);
    }
    ~MessageBoxCloser()
    {
        found = true;
        WaitForSingleObject(thread, INFINITE);
        CloseHandle(thread);
    }
};

// A file that cannot be created, and one whose every write fails (a full disk; Wine maps
// Z: to the root of the host, where /dev/full is one).
TEST_F(CsvExportTest, UnwritablePathFailsWithAMessage)
{
    HistoryRecord record = MakeRecord(DateKeyOf(2010, 6, 7), 1, 0.0f, 0, 0, 0, 1);
    Append(record);
    for (const wchar_t *path : {L"C:\\tallywick_no_such_folder\\history.csv", L"Z:\\dev\\full"}) {
        MessageBoxCloser closer;
        EXPECT_FALSE(WriteHistoryCsv(path, false)) << path;
        bool shown = closer.found;
        HWND owner = closer.owner;
        EXPECT_TRUE(shown) << "no message box reported the failure: " << path;
        EXPECT_EQ(owner, MeterWindow);
    }
}

TEST_F(CsvExportTest, PresetFileNameJoinsFolderAndNameWhenBothFit)
{
    wchar_t buffer[MAX_PATH];
    PresetFileName(buffer, L"TallywickHistory.csv");
    EXPECT_STREQ(buffer, L"TallywickHistory.csv");
    wcscpy(LastFileDir, L"C:\\data\\");
    PresetFileName(buffer, L"TallywickHistory.csv");
    EXPECT_STREQ(buffer, L"C:\\data\\TallywickHistory.csv");
}

TEST_F(CsvExportTest, PresetFileNameNeverOverrunsTheDialogBuffer)
{
    std::wstring folder = L"C:\\" + std::wstring(246, L'd') + L"\\";  // 250 characters
    wcscpy(LastFileDir, folder.c_str());
    wchar_t buffer[MAX_PATH + 16];
    wmemset(buffer, L'#', MAX_PATH + 16);
    PresetFileName(buffer, L"TallywickHistory.csv");
    EXPECT_EQ(wcslen(buffer), folder.size());
    EXPECT_STREQ(buffer, folder.c_str());
    for (size_t i = MAX_PATH; i < MAX_PATH + 16; ++i)
        ASSERT_EQ(buffer[i], L'#') << "written past the buffer at " << i;

    // Exactly 259 characters together still fit.
    std::wstring exact = L"C:\\" + std::wstring(259 - 20 - 4, L'e') + L"\\";
    wcscpy(LastFileDir, exact.c_str());
    PresetFileName(buffer, L"TallywickHistory.csv");
    EXPECT_EQ(wcslen(buffer), 259u);
}

TEST_F(CsvExportTest, RememberFileDirKeepsTheFolderWithItsLastBackslash)
{
    struct Case {
        const wchar_t *path;
        const wchar_t *folder;
    } cases[] = {
        {L"C:\\data\\exports\\history.csv", L"C:\\data\\exports\\"},
        {L"C:\\history.csv", L"C:\\"},
        {L"history.csv", L"history.csv"},
        {L"\\\\server\\share\\", L"\\\\server\\share\\"},
        // In code page 936 the second byte of this character has a backslash's value.
        {L"C:\\a\\\x4E57.csv", L"C:\\a\\"},
    };
    for (const Case &c : cases) {
        RememberFileDir(c.path);
        EXPECT_STREQ(LastFileDir, c.folder) << "for " << c.path;
    }
    wchar_t buffer[MAX_PATH];
    RememberFileDir(L"D:\\saved\\x.csv");
    PresetFileName(buffer, L"TallywickHistory.twh");
    EXPECT_STREQ(buffer, L"D:\\saved\\TallywickHistory.twh");
}

TEST_F(CsvExportTest, RememberFileDirCutsAnOverlongPath)
{
    std::wstring longName(400, L'p');  // no backslash: kept whole, as far as it fits
    RememberFileDir(longName.c_str());
    EXPECT_EQ(std::wstring(LastFileDir), longName.substr(0, MAX_PATH - 1));
}

}  // namespace
