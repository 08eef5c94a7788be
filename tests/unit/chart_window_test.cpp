// The chart window's controls open where a layout of their view puts them, in Tab's order.
#include <gtest/gtest.h>
#include <windows.h>
#include <vector>
#include "charts/chart_window.h"
#include "core/figures.h"
#include "meter_test_support.h"
#include "res/resource.h"
#include "settings_key_support.h"

namespace {

const int BARS_ROW[] = {IDC_CHART_FIGURE, IDC_CHART_VIEW, IDC_CHART_UNIT, IDC_CHART_COPY,
                        IDC_CHART_SAVE, IDC_CHART_PLOT};

// Each control of the bars' row and the plot in the client area, and its open list.
std::vector<RECT> Places()
{
    std::vector<RECT> places;
    for (int id : BARS_ROW) {
        RECT rect = {}, list = {};
        GetWindowRect(GetDlgItem(ChartWindow, id), &rect);
        MapWindowPoints(nullptr, ChartWindow, (POINT *)&rect, 2);
        SendDlgItemMessageA(ChartWindow, id, CB_GETDROPPEDCONTROLRECT, 0, (LPARAM)&list);
        places.push_back(rect);
        places.push_back(list);  // empty but for a combo box
    }
    return places;
}

// Made in their places at the open, the controls stay put through a whole layout of the
// bars again, after the calendar's row was shown in between.
TEST(ChartWindowTest, ControlsOpenWhereTheLayoutOfTheirViewPutsThemAndTabVisitsThemInOrder)
{
    TestMeterWindow();
    ResetMeterState();
    DeleteSettingsKey();
    ClearStoredHistory();
    ShowChartWindow();
    PumpMessages();
    ASSERT_NE(ChartWindow, nullptr);
    std::vector<RECT> opened = Places();
    ASSERT_EQ(opened.size(), 12u);
    HWND at = GetDlgItem(ChartWindow, BARS_ROW[0]);
    for (int id : BARS_ROW) {
        EXPECT_EQ(GetDlgCtrlID(at), id);
        at = GetNextDlgTabItem(ChartWindow, at, FALSE);
    }
    HWND box = GetDlgItem(ChartWindow, IDC_CHART_VIEW);
    for (int view : {1, 0}) {
        SendMessageA(box, CB_SETCURSEL, view, 0);
        SendMessageA(ChartWindow, WM_COMMAND, MAKEWPARAM(IDC_CHART_VIEW, CBN_SELCHANGE), (LPARAM)box);
    }
    std::vector<RECT> laidOut = Places();
    for (size_t i = 0; i < opened.size(); ++i)
        EXPECT_TRUE(EqualRect(&opened[i], &laidOut[i]))
            << "place " << i << ": " << opened[i].bottom << " then " << laidOut[i].bottom;
    DestroyWindow(ChartWindow);
}

}  // namespace
