// All computers: a day summed over this computer and two kept sources past a record's
// widths, as the CSV, the history window and the chart show it, and the choice that
// switches the views.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <stdio.h>
#include <string>
#include "app/commands.h"
#include "charts/chart_figures.h"
#include "core/all_computers.h"
#include "core/dates.h"
#include "core/sources.h"
#include "fakes/fake_backup_folder.h"
#include "history/csv_export.h"
#include "history/history_view.h"
#include "history/history_window.h"
#include "meter/meter_window.h"
#include "res/resource.h"
#include "settings_key_support.h"
#include "text/history_cells.h"

namespace {

const DateKey MAY_1 = 0x07E80501, MAY_2 = 0x07E80502, MAY_3 = 0x07E80503;
const uint64_t DESK = 0x00000000000D35C1ull, LAPTOP = 0x000000000001A970ull;

std::string FileText(const std::wstring &path)
{
    std::string text;
    FILE *file = _wfopen(path.c_str(), L"rb");
    char buffer[4096];
    for (size_t got; file && (got = fread(buffer, 1, sizeof buffer, file)) > 0;)
        text.append(buffer, got);
    if (file)
        fclose(file);
    return text;
}

std::string WindowTitle()
{
    char title[256] = "";
    GetWindowTextA(HistoryWindow, title, sizeof title);
    return title;
}

std::string StringResource(UINT id)
{
    char text[256] = "";
    LoadStringA(GetModuleHandleA(nullptr), id, text, sizeof text);
    return text;
}

std::string CellText(int row, int column)
{
    char text[256] = "";
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(HistoryListView, LVM_GETITEMTEXTA, row, (LPARAM)&item);
    return text;
}

struct AllComputersTest : ::testing::Test {
    std::wstring folder = std::wstring(_wgetenv(L"TEMP")) + L"\\TallywickAllComputers";
    std::wstring csv = folder + L".csv";

    void SetUp() override
    {
        ResetProgramState();
        SetShowAllComputers(false);
        StartPeriod();
        SetFakeComputersFolder(folder.c_str());
        ASSERT_TRUE(LoadKeptSources());
    }
    void TearDown() override
    {
        if (HistoryWindow)
            DestroyWindow(HistoryWindow);
        RemoveKeptSource(DESK);
        RemoveKeptSource(LAPTOP);
        for (const wchar_t *name : {L"\\00000000000D35C1.twh", L"\\000000000001A970.twh",
                                    L"\\Sources.list"})
            DeleteFileW((folder + name).c_str());
        RemoveDirectoryW(folder.c_str());
        DeleteFileW(csv.c_str());
        SetFakeComputersFolder(nullptr);
        LoadKeptSources();
        SetShowAllComputers(false);
        ResetProgramState();
    }
    void Keep(uint64_t id, const wchar_t *name, std::initializer_list<HistoryRecord> records)
    {
        HistoryList days = {nullptr, 0, 0, HISTORY_GROW_STEP};
        for (const HistoryRecord &record : records)
            AppendRecord(&days, &record);
        HistorySource source = {true, id, 133500000000000000ull, (int)wcslen(name), {}};
        wcscpy(source.name, name);
        EXPECT_EQ(KeepSourceHistory(source, days, 0), KEEP_DONE);
        DestroyHistoryList(&days);
    }
};

// May 2 is held by all three: keys, seconds and left clicks pass their fields' widths, and
// the distances' sum is no single-precision number. A day of one computer alone is written
// as its record always was, and today carries what was counted since the last save.
TEST_F(AllComputersTest, ADayOfThisComputerAndTwoSourcesIsWrittenAsItsWideSums)
{
    const HistoryRecord own[] = {
        MakeRecord(MAY_3, 1234, 1234567.0f, 1500, 20, 300, 3725),
        MakeRecord(MAY_2, 4000000000u, 16777216.0f, 40000, 1, 2, 4000000000u),
    };
    for (const HistoryRecord &record : own)
        ASSERT_TRUE(AppendStoredRecord(&record));
    Keep(DESK, L"desk", {MakeRecord(MAY_2, 4000000000u, 3.0f, 30000, 1, 2, 4000000000u),
                         MakeRecord(MAY_1, 5, 1000.0f, 1, 0, 0, 60)});
    Keep(LAPTOP, L"laptop", {MakeRecord(MAY_2, 4000000000u, 0.25f, 20000, 1, 2, 4000000000u)});
    Count(7);

    ASSERT_TRUE(WriteHistoryCsv(csv.c_str(), true));
    std::string date1 = HistoryDateText(MAY_1), date2 = HistoryDateText(MAY_2);
    std::string date3 = HistoryDateText(MAY_3), today = HistoryDateText(PeriodDate);
    EXPECT_EQ(FileText(csv), today + ",7,0.000,0,0,0,00:00:00\r\n"  // the clock's 2010
                             + date1 + ",5,1.000,1,0,0,00:01:00\r\n"
                             + date2 + ",12 000 000 000,16777.219,90 000,3,6,3333333:20:00\r\n"
                             + date3 + ",1 234,1234.567,1 500,20,300,01:02:05\r\n");

    ChartState chart = {};
    bool rebuilt;
    ASSERT_TRUE(ChooseShowAllComputers(true));
    ASSERT_TRUE(BuildStoredSums(&chart));
    TakeChartFigures(&chart, &rebuilt);
    const ChartSeries &days = chart.sums.series[UNIT_DAY];
    const ChartBar *may2 = BarInSlot(&days, DayNumber(MAY_2) - days.firstPeriod);
    EXPECT_EQ(may2 ? may2->figures.leftClicks : 0, 90000u) << "the chart's bar of May 2";
    EXPECT_EQ(chart.today.keys, 7u) << "the chart's today";
    DestroyChartSums(&chart.sums);
}

// On, the history window shows the sums under its own title and the value is 1; off, the
// open window goes back to this computer's records at once and the value is gone.
TEST_F(AllComputersTest, TheChoiceIsStoredAtOnceAndTheOpenHistoryWindowFollowsIt)
{
    HistoryRecord own = MakeRecord(MAY_2, 10, 0.0f, 40000, 0, 0, 60);
    ASSERT_TRUE(AppendStoredRecord(&own));
    Keep(DESK, L"desk", {MakeRecord(MAY_2, 20, 0.0f, 30000, 0, 0, 60),
                         MakeRecord(MAY_1, 5, 0.0f, 1, 0, 0, 60)});
    ShowHistoryView();
    EXPECT_TRUE(RunMeterCommand(MeterWindow, IDM_SHOW_ALL_COMPUTERS));
    EXPECT_TRUE(CurrentMenuChecks().allComputers);
    EXPECT_EQ(ReadSettingsQword(SHOW_ALL_COMPUTERS_VALUE), 1u);
    EXPECT_EQ(WindowTitle(), StringResource(IDS_HISTORY_ALL_TITLE));
    ASSERT_EQ(SendMessageA(HistoryListView, LVM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(CellText(0, 3), "70 000") << "May 2's left clicks";

    EXPECT_TRUE(RunMeterCommand(MeterWindow, IDM_SHOW_ALL_COMPUTERS));
    EXPECT_EQ(ReadSettingsQword(SHOW_ALL_COMPUTERS_VALUE, 0), 0u);
    EXPECT_EQ(WindowTitle(), StringResource(IDS_HISTORY_TITLE));
    ASSERT_EQ(SendMessageA(HistoryListView, LVM_GETITEMCOUNT, 0, 0), 1);
    EXPECT_EQ(CellText(0, 3), "40 000") << "this computer's May 2";
}

}  // namespace
