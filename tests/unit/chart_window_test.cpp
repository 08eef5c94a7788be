// The chart window as it opens: its controls where a layout of the view puts them, in the
// order of Tab, and its tooltip made once a bar is chosen.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <string.h>
#include <vector>
#include "charts/chart_window.h"
#include "core/figures.h"
#include "meter_test_support.h"
#include "res/resource.h"
#include "settings_key_support.h"

namespace {

const int BARS_ROW[] = {IDC_CHART_FIGURE, IDC_CHART_VIEW, IDC_CHART_UNIT, IDC_CHART_COPY,
                        IDC_CHART_SAVE, IDC_CHART_PLOT};
const int COMBOS[] = {IDC_CHART_FIGURE, IDC_CHART_VIEW, IDC_CHART_UNIT};

struct ChartWindowTest : ::testing::Test {
    void SetUp() override
    {
        TestMeterWindow();
        ResetMeterState();
        DeleteSettingsKey();
        ClearStoredHistory();
        ShowChartWindow();
        PumpMessages();
        ASSERT_NE(ChartWindow, nullptr);
    }
    void TearDown() override
    {
        if (ChartWindow)
            DestroyWindow(ChartWindow);
        PumpMessages();
    }
};

// Each control of the bars' row and the plot in the window's client area, and each combo
// box's open list on the screen.
std::vector<RECT> Places()
{
    std::vector<RECT> places;
    for (int id : BARS_ROW) {
        RECT rect;
        GetWindowRect(GetDlgItem(ChartWindow, id), &rect);
        MapWindowPoints(nullptr, ChartWindow, (POINT *)&rect, 2);
        places.push_back(rect);
    }
    for (int id : COMBOS) {
        RECT list = {};
        SendMessageA(GetDlgItem(ChartWindow, id), CB_GETDROPPEDCONTROLRECT, 0, (LPARAM)&list);
        places.push_back(list);
    }
    return places;
}

void ChooseView(int view)
{
    HWND box = GetDlgItem(ChartWindow, IDC_CHART_VIEW);
    SendMessageA(box, CB_SETCURSEL, view, 0);
    SendMessageA(ChartWindow, WM_COMMAND, MAKEWPARAM(IDC_CHART_VIEW, CBN_SELCHANGE), (LPARAM)box);
}

struct TooltipSearch {
    HWND owner;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectTooltip(HWND popup, LPARAM context)
{
    TooltipSearch *search = (TooltipSearch *)context;
    char name[32] = "";
    GetClassNameA(popup, name, sizeof name);
    if (GetWindow(popup, GW_OWNER) == search->owner && strcmp(name, TOOLTIPS_CLASSA) == 0)
        search->found.push_back(popup);
    return TRUE;
}

std::vector<HWND> OwnedTooltips(HWND owner)
{
    TooltipSearch search = {owner, {}};
    EnumThreadWindows(GetCurrentThreadId(), CollectTooltip, (LPARAM)&search);
    return search.found;
}

// Made in their places at the open, the controls stay where a whole layout of the bars puts
// them again, after the calendar's row was shown in between.
TEST_F(ChartWindowTest, ControlsOpenWhereTheLayoutOfTheirViewPutsThemAndTabVisitsThemInOrder)
{
    std::vector<RECT> opened = Places();
    for (size_t i = 0; i < opened.size(); ++i)
        EXPECT_GT(opened[i].right - opened[i].left, 0) << "place " << i;
    HWND at = GetDlgItem(ChartWindow, BARS_ROW[0]);
    for (int id : BARS_ROW) {
        EXPECT_EQ(GetDlgCtrlID(at), id);
        at = GetNextDlgTabItem(ChartWindow, at, FALSE);
    }
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(ChartWindow, IDC_CHART_YEAR_PREVIOUS)));
    ChooseView(1);
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(ChartWindow, IDC_CHART_YEAR_PREVIOUS)));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(ChartWindow, IDC_CHART_UNIT)));
    ChooseView(0);
    std::vector<RECT> laidOut = Places();
    ASSERT_EQ(laidOut.size(), opened.size());
    for (size_t i = 0; i < opened.size(); ++i)
        EXPECT_TRUE(EqualRect(&opened[i], &laidOut[i]))
            << "place " << i << ": opened at " << opened[i].left << "," << opened[i].top << " "
            << opened[i].right << "," << opened[i].bottom << ", laid out at " << laidOut[i].left
            << "," << laidOut[i].top << " " << laidOut[i].right << "," << laidOut[i].bottom;
}

// The first picture has no tooltip; the first bar chosen by the keyboard shows one, and
// the next choice uses the same.
TEST_F(ChartWindowTest, TheTooltipIsMadeWhenABarIsFirstChosen)
{
    EXPECT_TRUE(OwnedTooltips(ChartWindow).empty());
    HWND plot = GetDlgItem(ChartWindow, IDC_CHART_PLOT);
    SendMessageA(plot, WM_KEYDOWN, VK_END, 0);
    std::vector<HWND> tips = OwnedTooltips(ChartWindow);
    ASSERT_EQ(tips.size(), 1u);
    EXPECT_TRUE(IsWindowVisible(tips[0]));
    SendMessageA(plot, WM_KEYDOWN, VK_HOME, 0);
    EXPECT_EQ(OwnedTooltips(ChartWindow), tips);
}

}  // namespace
