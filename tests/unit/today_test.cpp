// Today's figures as the chart and the keyboard window read them from the core.
#include <gtest/gtest.h>
#include "charts/chart_figures.h"
#include "core/today.h"
#include "keyboard/keyboard_window.h"
#include "settings_key_support.h"

namespace {

void ExpectFigures(const Figures &shown, const Figures &stored, const char *where)
{
    EXPECT_EQ(shown.keys, stored.keys) << where;
    EXPECT_EQ(shown.distance, stored.distance) << where;
    EXPECT_EQ(shown.leftClicks, stored.leftClicks) << where;
    EXPECT_EQ(shown.middleClicks, stored.middleClicks) << where;
    EXPECT_EQ(shown.rightClicks, stored.rightClicks) << where;
    EXPECT_EQ(shown.seconds, stored.seconds) << where;
}

// Two records of today, as a merged file leaves them, and counts since the last save that
// carry the last record's keys and left clicks past their widths.
TEST(TodayTest, ChartAndKeyboardShowTodaysRecordsAsTheNextSaveLeavesThem)
{
    ResetProgramState();
    StartPeriod();
    const HistoryRecord records[] = {
        MakeRecord(PeriodDate, 100, 2.5f, 7, 1, 2, 60),
        MakeRecord(DateKeyOf(2010, 6, 6), 1000, 9.0f, 500, 500, 500, 600),
        MakeRecord(PeriodDate, 0xFFFFFFFF, 1.0f, 65535, 3, 4, 30),
    };
    for (const HistoryRecord &record : records)
        ASSERT_TRUE(AppendStoredRecord(&record));
    Count(2, 0.1, 2, 1, 0);
    SetFakeTickCount(1000000 + 5000);

    ChartData chart = {};
    ChartView view = {};
    bool rebuilt;
    ASSERT_TRUE(BuildStoredSums(&chart));
    TakeChartFigures(&chart, &view, &rebuilt);
    const ChartSeries &days = chart.sums.series[UNIT_DAY];
    const Figures todayBar = days.bars[days.todayBar].figures;
    DestroyChartSums(&chart.sums);
    uint64_t clicks[MOUSE_BUTTONS];
    MouseClicksShown(false, clicks);

    ASSERT_TRUE(UpdateTodayRecord());
    Figures stored = {};
    for (int32_t i = 0; i < StoredHistory.count; ++i)
        if (StoredHistory.records[i].date == PeriodDate)
            AddFigures(&stored, FiguresOfRecord(&StoredHistory.records[i]));
    EXPECT_EQ(stored.leftClicks, 7u + 1) << "65535 + 2 left clicks are stored as 1";
    EXPECT_EQ(stored.keys, 100u + 1);
    ExpectFigures(chart.today, stored, "the chart's today");
    ExpectFigures(todayBar, stored, "the chart's bar of today");
    EXPECT_EQ(clicks[MOUSE_BUTTON_LEFT], stored.leftClicks) << "the keyboard window's";
    EXPECT_EQ(clicks[MOUSE_BUTTON_MIDDLE], stored.middleClicks) << "the keyboard window's";
    EXPECT_EQ(clicks[MOUSE_BUTTON_RIGHT], stored.rightClicks) << "the keyboard window's";
}

} // namespace
