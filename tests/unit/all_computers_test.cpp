// All computers: a day summed over this computer and two kept sources past a record's
// widths, as the CSV, the chart and the history window show it, and the choice itself.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <fstream>
#include <iterator>
#include <string>
#include "app/commands.h"
#include "charts/chart_figures.h"
#include "core/all_computers.h"
#include "core/sources.h"
#include "fakes/fake_backup_folder.h"
#include "history/csv_export.h"
#include "history/history_view.h"
#include "history/history_window.h"
#include "meter/meter_window.h"
#include "res/resource.h"
#include "settings_key_support.h"
#include "text/history_cells.h"
#include "text/text.h"

namespace {

const DateKey MAY_1 = 0x07E80501, MAY_2 = 0x07E80502, MAY_3 = 0x07E80503;
const uint64_t DESK = 0xD35C1, LAPTOP = 0x1A970;

std::string CellText(int row, int column)
{
    char text[256] = "";
    LVITEMA item = {};
    item.iSubItem = column, item.pszText = text, item.cchTextMax = sizeof text;
    SendMessageA(HistoryListView, LVM_GETITEMTEXTA, row, (LPARAM)&item);
    return text;
}

struct AllComputersTest : ::testing::Test {
    std::wstring folder = std::wstring(_wgetenv(L"TEMP")) + L"\\TallywickAllComputers";
    void SetUp() override
    {
        ResetProgramState();
        StartPeriod();  // the clock's 7 June 2010, before every day below
        SetFakeComputersFolder(folder.c_str());
        ASSERT_TRUE(LoadKeptSources());
    }
    void TearDown() override
    {
        if (HistoryWindow)
            DestroyWindow(HistoryWindow);
        RemoveKeptSource(DESK);
        RemoveKeptSource(LAPTOP);
        DeleteFileW((folder + L"\\Sources.list").c_str());
        RemoveDirectoryW(folder.c_str());
        SetFakeComputersFolder(nullptr);
        LoadKeptSources();
        SetShowAllComputers(false);
        ResetProgramState();
    }
    static void Keep(uint64_t id, std::initializer_list<HistoryRecord> records)
    {
        HistoryList days = {nullptr, 0, 0, HISTORY_GROW_STEP};
        for (const HistoryRecord &record : records)
            AppendRecord(&days, &record);
        HistorySource source = {true, id, 133500000000000000ull, 1, L"x"};
        EXPECT_EQ(KeepSourceHistory(source, days, 0), KEEP_DONE);
        DestroyHistoryList(&days);
    }
};

// On 2 May keys, seconds and left clicks pass their fields' widths and the distances sum to
// no single-precision number; a day of one computer alone is written as its record always
// was, and today carries what was counted since the last save. The choice, stored at once,
// turns the open history window and the chart to the sums and back.
TEST_F(AllComputersTest, ADayOfThisComputerAndTwoSourcesIsShownAsItsWideSums)
{
    HistoryRecord own[] = {MakeRecord(MAY_3, 1234, 1234567.0f, 1500, 20, 300, 3725),
                           MakeRecord(MAY_2, 4000000000u, 16777216.0f, 40000, 1, 2, 4000000000u)};
    for (const HistoryRecord &record : own)
        ASSERT_TRUE(AppendStoredRecord(&record));
    Keep(DESK, {MakeRecord(MAY_2, 4000000000u, 3.0f, 30000, 1, 2, 4000000000u),
                MakeRecord(MAY_1, 5, 1000.0f, 1, 0, 0, 60)});
    Keep(LAPTOP, {MakeRecord(MAY_2, 4000000000u, 0.25f, 20000, 1, 2, 4000000000u)});
    Count(7);

    std::wstring csv = folder + L".csv";
    ASSERT_TRUE(WriteHistoryCsv(csv.c_str(), true));
    std::ifstream file(csv.c_str(), std::ios::binary);
    std::string written((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    file.close();
    DeleteFileW(csv.c_str());
    std::string today = HistoryDateText(PeriodDate), may1 = HistoryDateText(MAY_1);
    std::string may2 = HistoryDateText(MAY_2), may3 = HistoryDateText(MAY_3);  // one buffer
    EXPECT_EQ(written, today + ",7,0.000,0,0,0,00:00:00\r\n" + may1 + ",5,1.000,1,0,0,00:01:00\r\n"
                       + may2 + ",12 000 000 000,16777.219,90 000,3,6,3333333:20:00\r\n"
                       + may3 + ",1 234,1234.567,1 500,20,300,01:02:05\r\n");

    ShowHistoryView();
    char title[256];
    for (bool on : {true, false}) {
        EXPECT_TRUE(RunMeterCommand(MeterWindow, IDM_SHOW_ALL_COMPUTERS));
        EXPECT_EQ(CurrentMenuChecks().allComputers, on);
        EXPECT_EQ(ReadSettingsQword(SHOW_ALL_COMPUTERS_VALUE, 0), on ? 1u : 0u);
        GetWindowTextA(HistoryWindow, title, sizeof title);
        EXPECT_STREQ(title, LoadText(SLOT_GENERAL, on ? IDS_HISTORY_ALL_TITLE : IDS_HISTORY_TITLE));
        EXPECT_EQ(SendMessageA(HistoryListView, LVM_GETITEMCOUNT, 0, 0), on ? 4 : 2);
        EXPECT_EQ(CellText(1, 3), on ? "90 000" : "40 000") << "2 May's left clicks";
        ChartData chart = {};
        ChartView view = {};
        bool rebuilt;
        ASSERT_TRUE(BuildStoredSums(&chart));
        TakeChartFigures(&chart, &view, &rebuilt);
        const ChartSeries &days = chart.sums.series[UNIT_DAY];
        const ChartBar *bar = BarInSlot(&days, DayNumber(MAY_2) - days.firstPeriod);
        EXPECT_EQ(bar ? bar->figures.leftClicks : 0, on ? 90000u : 40000u) << "the chart's";
        EXPECT_EQ(chart.today.keys, 7u) << "the chart's today";
        DestroyChartSums(&chart.sums);
    }
}

}  // namespace
