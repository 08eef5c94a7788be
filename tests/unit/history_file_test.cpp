// The history file: reading every malformed shape, writing, and the merge of an import.
#include <gtest/gtest.h>
#include <windows.h>
#include <math.h>
#include <stdio.h>
#include <string.h>
#include <string>
#include <vector>
#include <commctrl.h>
#include "app/commands.h"
#include "core/history_file.h"
#include "fakes/fake_clock.h"
#include "text/history_cells.h"
#include "history/history_window.h"
#include "history/import_export.h"
#include "res/resource.h"
#include "settings_key_support.h"
#include "ui/file_dialogs.h"
#include "ui/owner_window.h"

namespace {

const DateKey JUNE_4 = 0x07DA0604;
const DateKey JUNE_5 = 0x07DA0605;
const DateKey JUNE_6 = 0x07DA0606;
const DateKey JUNE_7 = 0x07DA0607;  // the fake clock's day
const DateKey JUNE_8 = 0x07DA0608;

typedef std::vector<unsigned char> Bytes;

std::string TempFilePath()
{
    char folder[MAX_PATH], path[MAX_PATH];
    GetTempPathA(sizeof folder, folder);
    GetTempFileNameA(folder, "twh", 0, path);
    return path;
}

Bytes Magic()
{
    return Bytes{'T', 'W', 'K', 'H'};
}

Bytes operator+(Bytes a, const Bytes &b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Bytes Count(uint32_t n)
{
    return Bytes{(unsigned char)n, (unsigned char)(n >> 8), (unsigned char)(n >> 16),
                 (unsigned char)(n >> 24)};
}

Bytes RecordBytes(const HistoryRecord &record)
{
    const unsigned char *bytes = (const unsigned char *)&record;
    return Bytes(bytes, bytes + sizeof record);
}

HistoryRecord Day(DateKey date, uint32_t keys)
{
    HistoryRecord record = MakeRecord(date, keys, keys * 1.5f, (uint16_t)keys, 2, 3, keys * 60);
    record.reserved = 0xBEEF;
    return record;
}

struct HistoryFileTest : ::testing::Test {
    std::string path = TempFilePath();
    HistoryList list = {nullptr, 0, 0, HISTORY_GROW_STEP};

    void TearDown() override
    {
        DestroyHistoryList(&list);
        DeleteFileA(path.c_str());
    }
    void WriteFileBytes(const Bytes &bytes)
    {
        FILE *file = fopen(path.c_str(), "wb");
        ASSERT_NE(file, nullptr);
        if (!bytes.empty())
            fwrite(bytes.data(), 1, bytes.size(), file);
        fclose(file);
    }
    Bytes ReadFileBytes()
    {
        Bytes bytes;
        FILE *file = fopen(path.c_str(), "rb");
        for (int c; file && (c = fgetc(file)) != EOF;)
            bytes.push_back((unsigned char)c);
        if (file)
            fclose(file);
        return bytes;
    }
    HistoryFileResult Read(const Bytes &bytes)
    {
        WriteFileBytes(bytes);
        FILE *file = fopen(path.c_str(), "rb");
        EXPECT_NE(file, nullptr);
        if (!file)
            return HISTORY_FILE_OK;
        HistoryFileResult result = ReadHistoryFile(file, &list, nullptr);
        fclose(file);
        return result;
    }
};

HistoryRecord WithDistance(float distance)
{
    HistoryRecord record = Day(JUNE_5, 1);
    record.distance = distance;
    return record;
}

TEST_F(HistoryFileTest, MalformedFilesAreRefusedAndLeaveTheListEmpty)
{
    Bytes oneRecord = RecordBytes(Day(JUNE_5, 1));
    // One record that no day could have produced, among good ones, refuses the file.
    auto among = [&](const HistoryRecord &bad) {
        return Magic() + Count(3) + oneRecord + RecordBytes(bad) + oneRecord;
    };
    const struct {
        const char *shape;
        Bytes bytes;
        HistoryFileResult expected;
    } cases[] = {
        {"empty file", Bytes{}, HISTORY_FILE_BAD_FORMAT},
        {"one byte", Bytes{'T'}, HISTORY_FILE_BAD_FORMAT},
        {"three bytes", Bytes{'T', 'W', 'K'}, HISTORY_FILE_BAD_FORMAT},
        {"wrong magic", Bytes{'T', 'W', 'K', 'h'} + Count(1) + oneRecord, HISTORY_FILE_BAD_FORMAT},
        {"magic only", Magic(), HISTORY_FILE_EMPTY},
        {"one count byte", Magic() + Bytes{1}, HISTORY_FILE_BAD_FORMAT},
        {"three count bytes", Magic() + Bytes{1, 0, 0}, HISTORY_FILE_BAD_FORMAT},
        {"count 0", Magic() + Count(0) + oneRecord, HISTORY_FILE_EMPTY},
        {"no records", Magic() + Count(1), HISTORY_FILE_BAD_FORMAT},
        {"one record of two", Magic() + Count(2) + oneRecord, HISTORY_FILE_BAD_FORMAT},
        {"last record cut", Magic() + Count(2) + oneRecord + Bytes(23, 0), HISTORY_FILE_BAD_FORMAT},
        {"count 0xFFFFFFFF", Magic() + Count(0xFFFFFFFF) + oneRecord, HISTORY_FILE_NO_MEMORY},
        {"count 0x80000000", Magic() + Count(0x80000000) + oneRecord, HISTORY_FILE_NO_MEMORY},
        // Refused from the file's length before any memory is reserved for the count.
        {"count 178956971", Magic() + Count(178956971) + oneRecord, HISTORY_FILE_BAD_FORMAT},
        {"count 50000000", Magic() + Count(50000000) + oneRecord, HISTORY_FILE_BAD_FORMAT},
        {"NaN distance", among(WithDistance(NAN)), HISTORY_FILE_BAD_FORMAT},
        {"infinite distance", among(WithDistance(INFINITY)), HISTORY_FILE_BAD_FORMAT},
        {"negative distance", among(WithDistance(-0.5f)), HISTORY_FILE_BAD_FORMAT},
        {"month 0", among(Day(DateKeyOf(2010, 0, 5), 1)), HISTORY_FILE_BAD_FORMAT},
        {"month 13", among(Day(DateKeyOf(2010, 13, 5), 1)), HISTORY_FILE_BAD_FORMAT},
        {"day 0", among(Day(DateKeyOf(2010, 6, 0), 1)), HISTORY_FILE_BAD_FORMAT},
        {"31 June", among(Day(DateKeyOf(2010, 6, 31), 1)), HISTORY_FILE_BAD_FORMAT},
        {"29 February 1900", among(Day(DateKeyOf(1900, 2, 29), 1)), HISTORY_FILE_BAD_FORMAT},
        {"year 1600", among(Day(DateKeyOf(1600, 12, 31), 1)), HISTORY_FILE_BAD_FORMAT},
        {"year 30828", among(Day(DateKeyOf(30828, 1, 1), 1)), HISTORY_FILE_BAD_FORMAT},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(Read(c.bytes), c.expected) << c.shape;
        EXPECT_EQ(list.records, nullptr) << c.shape;
        EXPECT_EQ(list.count, 0) << c.shape;
        EXPECT_EQ(list.capacity, 0) << c.shape;
    }
}

// The edges of what a day can be still read.
TEST_F(HistoryFileTest, TheEdgesOfRealDaysAndDistancesAreRead)
{
    HistoryRecord standing = Day(DateKeyOf(1601, 1, 1), 1);
    standing.distance = 0.0f;
    Bytes edges = RecordBytes(Day(DateKeyOf(2000, 2, 29), 1)) + RecordBytes(standing) +
                  RecordBytes(Day(DateKeyOf(30827, 12, 31), 1));
    EXPECT_EQ(Read(Magic() + Count(3) + edges), HISTORY_FILE_OK);
    EXPECT_EQ(list.count, 3);
}

TEST_F(HistoryFileTest, ReadsWholeRecordsAndIgnoresTrailingBytes)
{
    HistoryRecord first = Day(JUNE_6, 7), second = Day(JUNE_5, 70000);
    Bytes bytes = Magic() + Count(2) + RecordBytes(first) + RecordBytes(second) + Bytes(30, 0xCC);
    ASSERT_EQ(Read(bytes), HISTORY_FILE_OK);
    ASSERT_EQ(list.count, 2);
    EXPECT_GE(list.capacity, 2);
    EXPECT_EQ(list.growStep, HISTORY_GROW_STEP);
    EXPECT_EQ(memcmp(&list.records[0], &first, sizeof first), 0);
    EXPECT_EQ(memcmp(&list.records[1], &second, sizeof second), 0);
}

TEST_F(HistoryFileTest, WriteThenReadGivesTheRecordsWithReservedBytesZeroed)
{
    HistoryList source = {nullptr, 0, 0, HISTORY_GROW_STEP};
    ASSERT_TRUE(ReserveHistory(&source, 3));
    source.records[0] = Day(JUNE_6, 1);
    source.records[1] = Day(JUNE_4, 123456);
    source.records[2] = Day(JUNE_6, 9);
    source.count = 3;
    FILE *file = fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    EXPECT_TRUE(WriteHistoryFile(file, &source, nullptr));
    fclose(file);

    Bytes bytes = ReadFileBytes();
    ASSERT_EQ(bytes.size(), 8u + 3 * 24);
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 8), Magic() + Count(3));
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(bytes[8 + 24 * i + 18], 0) << "record " << i;
        EXPECT_EQ(bytes[8 + 24 * i + 19], 0) << "record " << i;
    }
    EXPECT_EQ(source.records[0].reserved, 0xBEEF);  // the list itself is not touched

    file = fopen(path.c_str(), "rb");
    ASSERT_NE(file, nullptr);
    ASSERT_EQ(ReadHistoryFile(file, &list, nullptr), HISTORY_FILE_OK);
    fclose(file);
    ASSERT_EQ(list.count, 3);
    for (int i = 0; i < 3; ++i) {
        HistoryRecord expected = source.records[i];
        expected.reserved = 0;
        EXPECT_EQ(memcmp(&list.records[i], &expected, sizeof expected), 0) << "record " << i;
    }
    DestroyHistoryList(&source);
}

TEST_F(HistoryFileTest, EmptyHistoryWritesEightBytesThatReadAsEmpty)
{
    FILE *file = fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    EXPECT_TRUE(WriteHistoryFile(file, &list, nullptr));
    fclose(file);
    EXPECT_EQ(ReadFileBytes(), Magic() + Count(0));
    EXPECT_EQ(Read(ReadFileBytes()), HISTORY_FILE_EMPTY);
}

struct MergeImportTest : ::testing::Test {
    HistoryList imported = {nullptr, 0, 0, HISTORY_GROW_STEP};

    void SetUp() override
    {
        ClearStoredHistory();
        HistoryRecord june5 = Day(JUNE_5, 1), june6 = Day(JUNE_6, 2);
        ASSERT_TRUE(AppendStoredRecord(&june5));
        ASSERT_TRUE(AppendStoredRecord(&june6));
        ASSERT_TRUE(ReserveHistory(&imported, 4));
        imported.records[0] = Day(JUNE_6, 20);
        imported.records[1] = Day(JUNE_8, 80);
        imported.records[2] = Day(JUNE_8, 81);
        imported.records[3] = Day(JUNE_4, 40);
        imported.count = 4;
    }
    void TearDown() override
    {
        DestroyHistoryList(&imported);
        ClearStoredHistory();
    }
    static std::vector<uint32_t> StoredKeys()
    {
        std::vector<uint32_t> keys;
        for (int32_t i = 0; i < StoredHistory.count; ++i)
            keys.push_back(StoredHistory.records[i].keys);
        return keys;
    }
};

TEST_F(MergeImportTest, WithoutReplaceKnownDaysStayAndTheFirstOfTwoNewOnesWins)
{
    HistoryRecord june6 = StoredHistory.records[1];
    MergeImportedHistory(&imported, 0);
    EXPECT_EQ(StoredKeys(), (std::vector<uint32_t>{1, 2, 80, 40}));
    EXPECT_EQ(memcmp(&StoredHistory.records[1], &june6, sizeof june6), 0);
}

TEST_F(MergeImportTest, WithReplaceEveryFieldTakesTheImportAndTheLaterOfTwoWins)
{
    MergeImportedHistory(&imported, 1);
    EXPECT_EQ(StoredKeys(), (std::vector<uint32_t>{1, 20, 81, 40}));
    EXPECT_EQ(memcmp(&StoredHistory.records[1], &imported.records[0], sizeof(HistoryRecord)), 0);
    EXPECT_EQ(memcmp(&StoredHistory.records[2], &imported.records[2], sizeof(HistoryRecord)), 0);
}

// A history may hold a date twice (an import of a file that did): only the first of them
// is ever matched, so the second stays as it was in both modes.
TEST_F(MergeImportTest, OnlyTheFirstStoredRecordOfADateIsMatched)
{
    HistoryRecord secondJune6 = Day(JUNE_6, 3);
    ASSERT_TRUE(AppendStoredRecord(&secondJune6));
    MergeImportedHistory(&imported, 0);
    EXPECT_EQ(StoredKeys(), (std::vector<uint32_t>{1, 2, 3, 80, 40}));
    MergeImportedHistory(&imported, 1);
    EXPECT_EQ(StoredKeys(), (std::vector<uint32_t>{1, 20, 3, 81, 40}));
}

// Each figure wraps in the record's own width; a date twice in the file is added twice.
TEST_F(MergeImportTest, AddingSumsEachDayInItsOwnWidthAndAppendsNewDaysInFileOrder)
{
    HistoryRecord days[2] = {Day(JUNE_5, 1), Day(JUNE_6, 2)};
    days[1].keys = days[1].seconds = 0xFFFFFFFF;
    days[1].leftClicks = 0xFFFF;
    ReplaceStoredHistory(HistoryList{days, 2, 2, HISTORY_GROW_STEP});
    ASSERT_TRUE(AddImportedHistory(&imported));
    EXPECT_EQ(StoredKeys(), (std::vector<uint32_t>{1, 19, 80 + 81, 40}));
    const HistoryRecord &sum = StoredHistory.records[1];
    EXPECT_EQ(sum.seconds, 1199u);
    EXPECT_EQ(sum.distance, 33.0f);
    EXPECT_EQ(sum.leftClicks * 10000 + sum.middleClicks * 100 + sum.rightClicks, 19 * 10000 + 4 * 100 + 6);
    EXPECT_EQ(sum.reserved, 0xBEEF);
}

TEST_F(MergeImportTest, ImportingTheSameHistoryChangesNothing)
{
    HistoryList same = {nullptr, 0, 0, HISTORY_GROW_STEP};
    ASSERT_TRUE(ReserveHistory(&same, StoredHistory.count));
    memcpy(same.records, StoredHistory.records, StoredHistory.count * sizeof(HistoryRecord));
    same.count = StoredHistory.count;
    MergeImportedHistory(&same, 1);
    MergeImportedHistory(&same, 0);
    ASSERT_EQ(StoredHistory.count, same.count);
    EXPECT_EQ(memcmp(StoredHistory.records, same.records, same.count * sizeof(HistoryRecord)), 0);
    DestroyHistoryList(&same);
}

// Dates that differ only in their year share every bit below the year: the index must
// still tell each of them apart, whatever the size of its table.
TEST(MergeIndexTest, TheSameDayOfManyYearsIsMatchedByItsOwnYear)
{
    ClearStoredHistory();
    HistoryList imported = {nullptr, 0, 0, HISTORY_GROW_STEP};
    ASSERT_TRUE(ReserveHistory(&imported, 600));
    for (uint32_t year = 1700; year < 2300; ++year) {
        HistoryRecord stored = Day(year << 16 | 6 << 8 | 6, year);
        ASSERT_TRUE(AppendStoredRecord(&stored));
        imported.records[imported.count++] = Day((year + 300) << 16 | 6 << 8 | 6, year + 301);
    }
    ASSERT_TRUE(MergeImportedHistory(&imported, 1));
    ASSERT_EQ(StoredHistory.count, 900);
    for (int32_t i = 0; i < StoredHistory.count; ++i) {
        uint32_t year = StoredHistory.records[i].date >> 16;
        EXPECT_EQ(year, 1700u + (uint32_t)i);
        EXPECT_EQ(StoredHistory.records[i].keys, year < 2000 ? year : year + 1) << year;
    }
    DestroyHistoryList(&imported);
    ClearStoredHistory();
}

// Export and import through their dialogs: a file dialog is confirmed with the preset
// name, and each question gets the next scripted answer.
namespace file_flow {

std::vector<int> Answers;
std::vector<std::string> MessageTexts;
std::vector<int> PreviewRowCounts;
std::vector<std::string> PreviewTitles;
std::vector<bool> NoPreselected;

BOOL CALLBACK AnswerOneDialog(HWND window, LPARAM)
{
    char className[32] = "";
    GetClassNameA(window, className, sizeof className);
    if (!IsWindowVisible(window) || strcmp(className, "#32770") != 0 || GetPropA(window, "answered"))
        return TRUE;
    SetPropA(window, "answered", (HANDLE)1);
    if (!GetDlgItem(window, IDYES) && !GetDlgItem(window, IDNO) && !GetDlgItem(window, 0xFFFF)) {
        PostMessageA(window, WM_COMMAND, IDOK, 0);  // the open dialog, with the preset name
        return TRUE;
    }
    char text[512] = "";
    GetDlgItemTextA(window, 0xFFFF, text, sizeof text);
    MessageTexts.push_back(text);
    char title[256] = "";
    if (HistoryWindow)
        GetWindowTextA(HistoryWindow, title, sizeof title);
    PreviewTitles.push_back(title);
    LONG noStyle = GetWindowLongA(GetDlgItem(window, IDNO), GWL_STYLE);
    NoPreselected.push_back((noStyle & BS_TYPEMASK) == BS_DEFPUSHBUTTON);
    PreviewRowCounts.push_back(HistoryListView && HistoryWindow
                                   ? (int)SendMessageA(HistoryListView, LVM_GETITEMCOUNT, 0, 0) : -1);
    int answer = IDOK;
    if (GetDlgItem(window, IDYES)) {
        answer = Answers.empty() ? IDNO : Answers.front();
        if (!Answers.empty())
            Answers.erase(Answers.begin());
    }
    PostMessageA(window, WM_COMMAND, answer, 0);
    return TRUE;
}

void CALLBACK AnswerDialogs(HWND, UINT, UINT_PTR, DWORD)
{
    EnumThreadWindows(GetCurrentThreadId(), AnswerOneDialog, 0);
}

std::string Resource(UINT id)
{
    char text[512] = "";
    LoadStringA(GetModuleHandleA(nullptr), id, text, sizeof text);
    return text;
}

struct HistoryFileFlowTest : ::testing::Test {
    std::wstring folder;
    std::wstring path;

    void SetUp() override
    {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        folder = temp;
        path = folder + L"TallywickHistory.twh";
        RememberFileDir((folder + L"x").c_str());
        ResetProgramState();
        StartPeriod();
        HistoryRecord june5 = Day(JUNE_5, 1), june6 = Day(JUNE_6, 2);
        ASSERT_TRUE(AppendStoredRecord(&june5));
        ASSERT_TRUE(AppendStoredRecord(&june6));
        Answers.clear();
        MessageTexts.clear();
        PreviewRowCounts.clear();
        PreviewTitles.clear();
        NoPreselected.clear();
    }
    void TearDown() override
    {
        DeleteFileW(path.c_str());
        DeleteSettingsKey();
        ClearStoredHistory();
    }
    void WriteImportFile(const Bytes &bytes)
    {
        FILE *file = _wfopen(path.c_str(), L"wb");
        ASSERT_NE(file, nullptr);
        fwrite(bytes.data(), 1, bytes.size(), file);
        fclose(file);
    }
    void Import(std::vector<int> answers, WORD command = IDM_IMPORT_HISTORY)
    {
        Answers = answers;
        UINT_PTR timer = SetTimer(nullptr, 0, 100, AnswerDialogs);
        RunMeterCommand(MeterWindow, command);
        KillTimer(nullptr, timer);
    }
};

TEST_F(HistoryFileFlowTest, YesAndReplaceMergesShowsThePreviewAndRecounts)
{
    WriteImportFile(Magic() + Count(2) + RecordBytes(Day(JUNE_6, 60)) + RecordBytes(Day(JUNE_8, 80)));
    Import({IDYES, IDYES});
    ASSERT_EQ(MessageTexts.size(), 2u);
    EXPECT_EQ(MessageTexts[0], Resource(IDS_CONFIRM_MERGE));
    EXPECT_EQ(MessageTexts[1], Resource(IDS_CONFIRM_REPLACE));
    EXPECT_EQ(PreviewTitles[0], Resource(IDS_IMPORT_TITLE));
    EXPECT_EQ(PreviewRowCounts[0], 2);
    EXPECT_EQ(HistoryWindow, nullptr);
    ASSERT_EQ(StoredHistory.count, 4);  // June 5, June 6 replaced, June 8, today
    EXPECT_EQ(StoredHistory.records[1].keys, 60u);
    EXPECT_EQ(StoredHistory.records[2].date, JUNE_8);
    EXPECT_EQ(Totals.keyPresses, 1u + 60 + 80);
    EXPECT_EQ(ReadSettingsQword("Keyboard Presses"), 1u + 60 + 80);
    EXPECT_STREQ(LastFileDir, folder.c_str());
}

// Today's record stays the only one of its date when an older day comes in after it.
TEST_F(HistoryFileFlowTest, AnOlderDayImportedLeavesOneRecordForToday)
{
    HistoryRecord today = Day(JUNE_7, 7);
    ASSERT_TRUE(AppendStoredRecord(&today));
    WriteImportFile(Magic() + Count(1) + RecordBytes(Day(JUNE_4, 40)));
    Import({IDYES, IDNO});
    ASSERT_EQ(StoredHistory.count, 4);
    EXPECT_EQ(StoredHistory.records[2].date, JUNE_7);
    EXPECT_EQ(StoredHistory.records[3].date, JUNE_4);
    EXPECT_EQ(Totals.keyPresses, 1u + 2 + 7 + 40);
}

// The merged figures stay in memory, and the user is told in the system's own words.
TEST_F(HistoryFileFlowTest, ASaveRefusedAfterTheMergeIsReported)
{
    ReadOnlySettingsKey readOnly;
    WriteImportFile(Magic() + Count(1) + RecordBytes(Day(JUNE_8, 80)));
    Import({IDYES, IDNO});
    char refused[512] = "";
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, NULL,
                   ERROR_ACCESS_DENIED, 0, refused, sizeof refused, NULL);
    ASSERT_EQ(MessageTexts.size(), 3u);
    EXPECT_EQ(MessageTexts[2], refused);
    EXPECT_EQ(StoredHistory.count, 4);  // June 5, June 6, June 8, today
    EXPECT_EQ(Totals.keyPresses, 1u + 2 + 80);
    EXPECT_EQ(ReadSettingsQword("Keyboard Presses"), UINT64_MAX);
}

TEST_F(HistoryFileFlowTest, AFileAddedOnceIsAddedAgainOnlyAfterAQuestionWithNoPreselected)
{
    WriteImportFile(Magic() + Count(2) + RecordBytes(Day(JUNE_6, 60)) + RecordBytes(Day(JUNE_8, 80)));
    Import({IDYES}, IDM_ADD_HISTORY);
    ASSERT_EQ(PreviewRowCounts, std::vector<int>{2});
    ASSERT_EQ(StoredHistory.count, 4);  // June 5, June 6 summed, June 8, today
    EXPECT_EQ(StoredHistory.records[1].keys, 62u);
    EXPECT_EQ(ReadSettingsQword("Keyboard Presses"), 1u + 62 + 80);

    Import({IDNO}, IDM_ADD_HISTORY);
    ASSERT_EQ(MessageTexts.size(), 2u);
    HistoryRecord addedOn = Day(JUNE_7, 0);
    EXPECT_NE(MessageTexts[1].find(HistoryDateText(addedOn.date)), std::string::npos) << MessageTexts[1];
    EXPECT_TRUE(NoPreselected[1]);
    EXPECT_EQ(StoredHistory.records[1].keys, 62u);

    Import({IDYES, IDYES}, IDM_ADD_HISTORY);
    EXPECT_EQ(StoredHistory.records[1].keys, 122u);
    EXPECT_EQ(ReadRegistryValue(SETTINGS_KEY, "Added Files").data.size(), 32u);
}

TEST_F(HistoryFileFlowTest, NoToTheFirstQuestionClosesThePreviewAndChangesNothing)
{
    WriteImportFile(Magic() + Count(1) + RecordBytes(Day(JUNE_6, 60)));
    Import({IDNO});
    ASSERT_EQ(MessageTexts.size(), 1u);
    EXPECT_EQ(MessageTexts[0], Resource(IDS_CONFIRM_MERGE));
    EXPECT_EQ(HistoryWindow, nullptr);
    ASSERT_EQ(StoredHistory.count, 2);
    EXPECT_EQ(StoredHistory.records[1].keys, 2u);
    EXPECT_EQ(ReadSettingsQword("Keyboard Presses"), UINT64_MAX);  // nothing was saved
}

TEST_F(HistoryFileFlowTest, MalformedFilesAreReportedWithoutAPreview)
{
    const struct {
        Bytes bytes;
        UINT message;
    } cases[] = {
        {Magic() + Count(0), IDS_EMPTY_FILE},
        {Magic() + Count(0xFFFFFFFF), IDS_BAD_FORMAT},  // too large to hold
    };
    for (const auto &c : cases) {
        MessageTexts.clear();
        PreviewTitles.clear();
        WriteImportFile(c.bytes);
        Import({});
        ASSERT_EQ(MessageTexts.size(), 1u);
        EXPECT_EQ(MessageTexts[0], Resource(c.message));
        EXPECT_EQ(PreviewTitles[0], "");
        EXPECT_EQ(StoredHistory.count, 2);
    }
}

// The id is made by the first file that carries it.
TEST_F(HistoryFileFlowTest, ExportWritesTheStoredHistoryThenThisComputerAsItsSource)
{
    DeleteFileW(path.c_str());
    EXPECT_FALSE(ReadRegistryValue(SETTINGS_KEY, "Computer Id").present);
    UINT_PTR timer = SetTimer(nullptr, 0, 100, AnswerDialogs);
    ExportHistoryFile();
    KillTimer(nullptr, timer);
    FILE *file = _wfopen(path.c_str(), L"rb");
    ASSERT_NE(file, nullptr);
    HistoryList written = {nullptr, 0, 0, HISTORY_GROW_STEP};
    HistorySource source;
    EXPECT_EQ(ReadHistoryFile(file, &written, &source), HISTORY_FILE_OK);
    EXPECT_EQ(fgetc(file), EOF);
    fclose(file);
    ASSERT_EQ(written.count, 2);
    EXPECT_EQ(written.records[0].keys, 1u);
    EXPECT_EQ(written.records[1].keys, 2u);
    EXPECT_EQ(written.records[1].reserved, 0);
    EXPECT_TRUE(MessageTexts.empty());
    DestroyHistoryList(&written);

    EXPECT_EQ(ReadRegistryValue(SETTINGS_KEY, "Computer Id").type, (DWORD)REG_QWORD);
    EXPECT_EQ(source.computerId, ReadSettingsQword("Computer Id"));
    wchar_t name[256];
    DWORD length = 256;
    GetComputerNameExW(ComputerNamePhysicalDnsHostname, name, &length);
    EXPECT_STREQ(source.name, name);
}

// Every write to /dev/full fails, as on a full disk (Wine maps Z: to the host's root).
TEST_F(HistoryFileFlowTest, AnExportWhoseWritesFailIsReported)
{
    UINT_PTR timer = SetTimer(nullptr, 0, 100, AnswerDialogs);
    EXPECT_FALSE(SaveHistoryFile(L"Z:\\dev\\full"));
    KillTimer(nullptr, timer);
    ASSERT_EQ(MessageTexts.size(), 1u);
    EXPECT_EQ(MessageTexts[0], Resource(IDS_EXPORT_FAILED));
}

}  // namespace file_flow

}  // namespace
