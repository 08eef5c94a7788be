// The popup menu, the command table and the About box.
#include <gtest/gtest.h>
#include <string.h>
#include "app/autostart.h"
#include "app/commands.h"
#include "charts/chart_window.h"
#include "history/history_window.h"
#include "meter/menu.h"
#include "meter/meter_window.h"
#include "meter_test_support.h"
#include "res/resource.h"
#include "settings_key_support.h"

namespace {

void SetRunValue(bool present)
{
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, RUN_KEY, 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr), ERROR_SUCCESS);
    if (present)
        RegSetValueExA(key, RUN_VALUE, 0, REG_SZ, (const BYTE *)"C:\\x.exe", 9);
    else
        RegDeleteValueA(key, RUN_VALUE);
    RegCloseKey(key);
}

bool RunValuePresent()
{
    return RegGetValueA(HKEY_CURRENT_USER, RUN_KEY, RUN_VALUE, RRF_RT_ANY, nullptr, nullptr,
                        nullptr) == ERROR_SUCCESS;
}

struct MenuTest : ::testing::Test {
    HMENU menu = nullptr;
    void SetUp() override
    {
        ResetMeterState();
        SetRunValue(false);
        menu = CreatePopupMenu();
    }
    void TearDown() override
    {
        DestroyMenu(menu);
        SetRunValue(false);
        ShowWindow(MeterWindow, SW_HIDE);
        PumpMessages();
    }
};

struct ExpectedItem {
    UINT id;
    const char *text;  // UTF-8; null for a separator
};

TEST_F(MenuTest, TrayMenuHoldsTwentyThreeItemsInOrder)
{
    static const ExpectedItem expected[] = {
        {IDM_SHOW, "&实时显示"}, {IDM_CLEAR_DATA, "&清除数据"},
        {IDM_RECOUNT, "&复位/重新统计"}, {0, nullptr},
        {IDM_VIEW_HISTORY, "&查看历史记录"}, {IDM_VIEW_CHARTS, "图表(&G)..."},
        {IDM_VIEW_KEYBOARD, "键盘热图(&Y)..."}, {IDM_EXPORT_CSV, "&导出记录（.csv）..."},
        {0, nullptr}, {IDM_EXPORT_HISTORY, "&导出历史记录..."},
        {IDM_IMPORT_HISTORY, "&导入历史记录..."},
        {IDM_ADD_HISTORY, "添加另一台电脑的历史记录(&N)..."},
        {IDM_COMPUTERS, "电脑列表(&M)..."},
        {IDM_OPEN_BACKUPS, "打开备份文件夹(&B)"}, {IDM_SYNC_FOLDER, "同步文件夹(&S)..."},
        {IDM_SHOW_ALL_COMPUTERS, "显示所有电脑(&L)"}, {0, nullptr},
        {IDM_AUTOSTART, "&随系统启动"}, {IDM_COUNT_EACH_KEY, "分别统计每个键(&K)"},
        {0, nullptr}, {IDM_ABOUT, "&关于..."}, {0, nullptr},
        {IDM_EXIT, "&退出!"},
    };
    BuildTrayMenu(MeterWindow, menu, CurrentMenuChecks());
    ASSERT_EQ(GetMenuItemCount(menu), 23);
    for (int index = 0; index < 23; ++index) {
        UINT state = GetMenuState(menu, index, MF_BYPOSITION);
        if (!expected[index].text) {
            EXPECT_TRUE(state & MF_SEPARATOR) << "item " << index + 1;
            continue;
        }
        char text[128] = "";
        GetMenuStringA(menu, index, text, sizeof text, MF_BYPOSITION);
        EXPECT_EQ(GetMenuItemID(menu, index), expected[index].id) << "item " << index + 1;
        EXPECT_EQ(std::string(text), Ansi(expected[index].text)) << "item " << index + 1;
        EXPECT_EQ(state & (MF_SEPARATOR | MF_CHECKED | MF_GRAYED), 0u) << "item " << index + 1;
    }
}

TEST_F(MenuTest, FirstItemHidesOnlyAVisibleRestoredMeter)
{
    ShowWindow(MeterWindow, SW_SHOWNOACTIVATE);
    BuildTrayMenu(MeterWindow, menu, CurrentMenuChecks());
    char text[64] = "";
    GetMenuStringA(menu, 0, text, sizeof text, MF_BYPOSITION);
    EXPECT_EQ(GetMenuItemID(menu, 0), (UINT)IDM_HIDE);
    EXPECT_EQ(std::string(text), Ansi("&隐藏"));

    // Minimised but visible: the show text, and IDM_SHOW, whose toggle hides it.
    ShowWindow(MeterWindow, SW_MINIMIZE);
    HMENU second = CreatePopupMenu();
    BuildTrayMenu(MeterWindow, second, CurrentMenuChecks());
    GetMenuStringA(second, 0, text, sizeof text, MF_BYPOSITION);
    EXPECT_EQ(GetMenuItemID(second, 0), (UINT)IDM_SHOW);
    EXPECT_EQ(std::string(text), Ansi("&实时显示"));
    DestroyMenu(second);
    ShowWindow(MeterWindow, SW_RESTORE);
}

TEST_F(MenuTest, AutostartCheckFollowsTheRunValueAndTheCommandFlipsIt)
{
    SetRunValue(true);
    BuildTrayMenu(MeterWindow, menu, CurrentMenuChecks());
    EXPECT_TRUE(GetMenuState(menu, IDM_AUTOSTART, MF_BYCOMMAND) & MF_CHECKED);

    EXPECT_TRUE(RunMeterCommand(MeterWindow, IDM_AUTOSTART));
    EXPECT_FALSE(RunValuePresent());
    HMENU second = CreatePopupMenu();
    BuildTrayMenu(MeterWindow, second, CurrentMenuChecks());
    EXPECT_FALSE(GetMenuState(second, IDM_AUTOSTART, MF_BYCOMMAND) & MF_CHECKED);
    DestroyMenu(second);

    EXPECT_EQ(SendMessageA(MeterWindow, WM_COMMAND, IDM_AUTOSTART, 0), 0);
    EXPECT_TRUE(RunValuePresent());
}

TEST_F(MenuTest, ExitAndHidePostTheirMessages)
{
    EXPECT_TRUE(RunMeterCommand(MeterWindow, IDM_EXIT));
    // Taken out again, so that the exit sequence does not run in the test process.
    EXPECT_TRUE(TakePostedMessage(MeterWindow, WM_DESTROY));
    EXPECT_TRUE(RunMeterCommand(MeterWindow, IDM_HIDE));
    EXPECT_TRUE(TakePostedMessage(MeterWindow, WM_CLOSE));
}

TEST_F(MenuTest, ShowCommandTogglesAndUnknownCommandsAreNotHandled)
{
    EXPECT_TRUE(RunMeterCommand(MeterWindow, IDM_SHOW));
    EXPECT_TRUE(IsWindowVisible(MeterWindow));
    EXPECT_TRUE(RunMeterCommand(MeterWindow, IDM_SHOW));
    EXPECT_TRUE(TakePostedMessage(MeterWindow, WM_CLOSE));
    for (WORD command : {0, 1, 3, 1037, 1050, 0xFFFF})
        EXPECT_FALSE(RunMeterCommand(MeterWindow, command)) << command;
}

TEST_F(MenuTest, CommandsOfTheOtherModulesRunAndOnlyRecountIsNotHandled)
{
    DeleteSettingsKey();
    ClearStoredHistory();
    Count(7);
    SetWindowPos(MeterWindow, nullptr, 10, 10, 300, 100, SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(RunMeterCommand(MeterWindow, IDM_CLEAR_DATA));
    EXPECT_EQ(PeriodBaseline.keyPresses, 7u) << "no new period";
    RECT rect;
    GetWindowRect(MeterWindow, &rect);
    EXPECT_EQ(rect.left, DefaultMeterRect().left);
    EXPECT_EQ(rect.right - rect.left, 50);

    EXPECT_TRUE(RunMeterCommand(MeterWindow, IDM_VIEW_HISTORY));
    EXPECT_NE(HistoryWindow, nullptr);
    if (HistoryWindow)
        DestroyWindow(HistoryWindow);
    EXPECT_TRUE(RunMeterCommand(MeterWindow, IDM_VIEW_CHARTS));
    EXPECT_NE(ChartWindow, nullptr);
    if (ChartWindow)
        DestroyWindow(ChartWindow);

    // The file dialogs are cancelled as soon as they are up.
    for (WORD command : {IDM_EXPORT_CSV, IDM_EXPORT_HISTORY, IDM_IMPORT_HISTORY}) {
        StartModalCloser(IDCANCEL);
        EXPECT_TRUE(RunMeterCommand(MeterWindow, command)) << command;
        StopModalCloser();
        EXPECT_EQ(CloserDialogCaptions.size(), 1u) << command;
    }

    HistoryRecord earlier = MakeRecord(DateKeyOf(2010, 6, 1), 100, 0.0f, 0, 0, 0, 60);
    ClearStoredHistory();
    AppendStoredRecord(&earlier);
    ReplaceTotals(CounterBlock{}, 0);
    EXPECT_FALSE(RunMeterCommand(MeterWindow, IDM_RECOUNT));
    EXPECT_EQ(Totals.keyPresses, 100u) << "no recount";
    DeleteSettingsKey();
    ClearStoredHistory();
    PumpMessages();
}

TEST_F(MenuTest, AboutCommandOpensAnUnownedBoxAndReturnsWhenItCloses)
{
    StartModalCloser(IDOK);
    EXPECT_EQ(SendMessageA(MeterWindow, WM_COMMAND, IDM_ABOUT, 0), 0);
    StopModalCloser();
    ASSERT_FALSE(CloserDialogCaptions.empty());
    EXPECT_EQ(CloserDialogCaptions[0], Ansi("关于Tallywick V1.5"));
}

// The box ends only on the whole wParam 1 or 2; a notification code in the high word
// does not end it.
struct AboutScript {
    WPARAM first;
    WPARAM second;
    HWND dialog;
    int step;
};
AboutScript Script;

BOOL CALLBACK FindAboutBox(HWND window, LPARAM)
{
    char className[16] = "";
    GetClassNameA(window, className, sizeof className);
    if (strcmp(className, "#32770") == 0 && IsWindowVisible(window))
        Script.dialog = window;
    return TRUE;
}

void CALLBACK RunAboutScript(HWND, UINT, UINT_PTR, DWORD)
{
    Script.dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindAboutBox, 0);
    if (!Script.dialog)
        return;
    PostMessageA(Script.dialog, WM_COMMAND, Script.step++ == 0 ? Script.first : Script.second, 0);
}

INT_PTR RunAboutBox(WPARAM first, WPARAM second)
{
    Script = AboutScript{first, second, nullptr, 0};
    UINT_PTR timer = SetTimer(nullptr, 0, 100, RunAboutScript);
    INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_ABOUT),
                                     nullptr, AboutDialogProc, 0);
    KillTimer(nullptr, timer);
    return result;
}

TEST_F(MenuTest, AboutBoxEndsWithOneForOkAndZeroForCancel)
{
    EXPECT_EQ(RunAboutBox(MAKEWPARAM(IDOK, 1), IDOK), 1);
    EXPECT_EQ(Script.step, 2);
    EXPECT_EQ(RunAboutBox(MAKEWPARAM(IDCANCEL, 1), IDCANCEL), 0);
    EXPECT_EQ(Script.step, 2);
}

TEST_F(MenuTest, AboutBoxTemplateAndProcedureResults)
{
    HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_ABOUT),
                                     nullptr, AboutDialogProc, 0);
    ASSERT_NE(dialog, nullptr);
    RECT size = {0, 0, 169, 127};
    MapDialogRect(dialog, &size);
    RECT client;
    GetClientRect(dialog, &client);
    EXPECT_EQ(client.right, size.right);
    EXPECT_EQ(client.bottom, size.bottom);
    EXPECT_TRUE(GetWindowLongPtrA(dialog, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    char text[64] = "";
    GetDlgItemTextA(dialog, IDOK, text, sizeof text);
    EXPECT_EQ(std::string(text), Ansi("确认"));
    EXPECT_EQ(AboutDialogProc(dialog, WM_INITDIALOG, 0, 0), 0);
    EXPECT_EQ(AboutDialogProc(dialog, WM_CLOSE, 0, 0), 0);
    EXPECT_EQ(AboutDialogProc(dialog, WM_COMMAND, IDOK, 0), 0);
    DestroyWindow(dialog);
}

}  // namespace
