// The chart window as a user meets it: opened from the menu, its views chosen with the
// keyboard alone, closed with Escape.
#include "e2e_support.h"
#include "res/resource.h"

using namespace driver;

namespace e2e {
namespace {

struct ChartsTest : E2eTest {
    HWND charts = nullptr;

    // Polls `done` for up to five seconds, as the program takes each key in its own time.
    template <class Condition>
    bool Eventually(Condition done)
    {
        for (int tries = 0; tries < 250 && !done(); ++tries)
            Sleep(20);
        return done();
    }

    HWND Focus()
    {
        GUITHREADINFO gui = {sizeof gui, 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, {}};
        GetGUIThreadInfo(GetWindowThreadProcessId(charts, nullptr), &gui);
        return gui.hwndFocus;
    }

    int ShownView()
    {
        return (int)SendMessageA(GetDlgItem(charts, IDC_CHART_VIEW), CB_GETCURSEL, 0, 0);
    }
};

TEST_F(ChartsTest, OpensOnceFromTheMenuChangesViewsByKeyboardAndClosesWithEscape)
{
    ASSERT_TRUE(SeedHistory(PlausibleHistory(40)));
    StartResident();
    PostCommand(meter, IDM_VIEW_CHARTS);
    charts = WaitTopWindow("TallywickCharts", program.id, 5000);
    ASSERT_TRUE(charts) << "no chart window";
    EXPECT_EQ(GetWindow(charts, GW_OWNER), nullptr) << "owned by the topmost meter";
    PostCommand(meter, IDM_VIEW_CHARTS);
    Sleep(300);
    EXPECT_EQ(FindTopWindows("TallywickCharts", program.id).size(), 1u);

    HWND plot = GetDlgItem(charts, IDC_CHART_PLOT), view = GetDlgItem(charts, IDC_CHART_VIEW);
    ASSERT_TRUE(ClickCaption(charts, 5000)) << "the keys would go to another window";
    ASSERT_TRUE(Eventually([&] { return Focus() == plot; })) << "the chart has no keyboard";
    PressKey(VK_TAB, 2);  // past the last control to the first, the figure, then the view
    ASSERT_TRUE(Eventually([&] { return Focus() == view; })) << "Tab did not reach the view";
    PressKey(VK_DOWN);
    EXPECT_TRUE(Eventually([&] { return ShownView() == 1; })) << "no year calendar";
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(charts, IDC_CHART_YEAR)));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(charts, IDC_CHART_UNIT)));
    PressKey(VK_DOWN);
    EXPECT_TRUE(Eventually([&] { return ShownView() == 2; })) << "no week clock";
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(charts, IDC_CHART_YEAR)));

    PressKey(VK_ESCAPE);
    EXPECT_TRUE(WaitWindowGone(charts, 5000)) << "Escape in a control left the window open";
    EXPECT_EQ(ExitResident(), 0u);
}

}  // namespace
}  // namespace e2e
