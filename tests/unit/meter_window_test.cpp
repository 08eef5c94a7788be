// The meter window: creation, class and styles, the dispatch table, show/hide and paint.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string.h>
#include "core/figures.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_hook.h"
#include "history/history_window.h"
#include "meter/meter_font.h"
#include "meter/meter_layout.h"
#include "meter/meter_paint.h"
#include "meter/meter_timer.h"
#include "meter/meter_window.h"
#include "meter/tray_icon.h"
#include "meter_test_support.h"
#include "res/resource.h"
#include "safety/test_safety.h"

namespace {

struct MeterWindowTest : ::testing::Test {
    void SetUp() override { ResetMeterState(); }
    void TearDown() override
    {
        ShowWindow(MeterWindow, SW_HIDE);
        PumpMessages();
    }
};

RECT WindowRect()
{
    RECT rect;
    GetWindowRect(MeterWindow, &rect);
    return rect;
}

// Shows the meter through its command and lets the first paint run.
void ShowMeter()
{
    ASSERT_EQ(SendMessageA(MeterWindow, WM_COMMAND, IDM_SHOW, 0), 0);
    UpdateWindow(MeterWindow);
    PumpMessages();
}

TEST_F(MeterWindowTest, CreationStartsTheHookOnceForTheHiddenDefaultWindow)
{
    const MeterCreation &creation = TestMeterWindow();
    MeterRect expected = DefaultMeterRect();
    EXPECT_TRUE(creation.result);
    EXPECT_EQ(creation.hookInitCalls, 1);
    EXPECT_EQ(creation.hookWindow, MeterWindow);
    EXPECT_NE(MeterFont, nullptr);
    EXPECT_EQ(MeterInstance, GetModuleHandleA(nullptr));
    EXPECT_FALSE(creation.visible);
    EXPECT_EQ(creation.rect.left, expected.left);
    EXPECT_EQ(creation.rect.top, expected.top);
    EXPECT_EQ(creation.rect.right - creation.rect.left, 50);
    EXPECT_EQ(creation.rect.bottom - creation.rect.top, 50);
    // The corner of the work area: the maximised size less two frames, but never hanging
    // off the work area where the system's metrics make that larger (as Wine's do).
    RECT work;
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
    int formulaLeft = GetSystemMetrics(SM_CXMAXIMIZED) - 2 * GetSystemMetrics(SM_CXFRAME) - 50;
    int formulaTop = GetSystemMetrics(SM_CYMAXIMIZED) - 2 * GetSystemMetrics(SM_CYFRAME) - 50;
    EXPECT_EQ(expected.left, std::min(formulaLeft, (int)work.right - 50));
    EXPECT_EQ(expected.top, std::min(formulaTop, (int)work.bottom - 50));
    EXPECT_LE(expected.top + 50, work.bottom);
    EXPECT_LE(expected.left + 50, work.right);
    char title[64] = "";
    GetWindowTextA(MeterWindow, title, sizeof title);
    EXPECT_STREQ(title, "Tallywick");
}

// A caption with the close button alone (no sizing border, no minimise or maximise box),
// always on top; a tool window, so its caption is the small one and it has no taskbar button.
TEST_F(MeterWindowTest, ATopmostToolWindowWithASmallCaptionAndNoTaskbarButton)
{
    char className[32] = "";
    GetClassNameA(MeterWindow, className, sizeof className);
    EXPECT_STREQ(className, "TALLYWICK");
    EXPECT_EQ(GetClassLongPtrA(MeterWindow, GCL_STYLE), CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW);
    // The system adds WS_CLIPSIBLINGS to every top-level window and WS_EX_WINDOWEDGE to
    // every window with a caption.
    EXPECT_EQ((DWORD)GetWindowLongPtrA(MeterWindow, GWL_STYLE) & ~WS_CLIPSIBLINGS,
              (DWORD)(WS_POPUP | WS_CAPTION | WS_SYSMENU));
    EXPECT_EQ((DWORD)GetWindowLongPtrA(MeterWindow, GWL_EXSTYLE) & ~WS_EX_WINDOWEDGE,
              (DWORD)(WS_EX_TOPMOST | WS_EX_TOOLWINDOW));
    RECT frame = WindowRect(), client;
    GetClientRect(MeterWindow, &client);
    EXPECT_EQ(frame.bottom - frame.top - client.bottom,
              GetSystemMetrics(SM_CYSMCAPTION) + 2 * GetSystemMetrics(SM_CYFIXEDFRAME));
    EXPECT_EQ(frame.right - frame.left - client.right, 2 * GetSystemMetrics(SM_CXFIXEDFRAME));
    LOGBRUSH brush = {};
    GetObjectA((HGDIOBJ)GetClassLongPtrA(MeterWindow, GCLP_HBRBACKGROUND), sizeof brush,
               &brush);
    EXPECT_EQ(brush.lbStyle, (UINT)BS_SOLID);
    EXPECT_EQ(brush.lbColor, METER_BACKGROUND) << "the erase and the paint agree";
    EXPECT_NE(GetClassLongPtrA(MeterWindow, GCLP_HICON), 0);
    EXPECT_EQ((HCURSOR)GetClassLongPtrA(MeterWindow, GCLP_HCURSOR),
              LoadCursorA(nullptr, IDC_ARROW));
}

TEST_F(MeterWindowTest, SystemMenuHoldsOnlyMoveAndClose)
{
    HMENU systemMenu = GetSystemMenu(MeterWindow, FALSE);
    std::set<UINT> commands;
    for (int index = 0; index < GetMenuItemCount(systemMenu); ++index) {
        UINT id = GetMenuItemID(systemMenu, index);
        // Wine puts its own "About Wine" item (SC_SCREENSAVE + 1) into system menus.
        if (id != 0 && id != (UINT)-1 && id != SC_SCREENSAVE + 1)
            commands.insert(id);
    }
    EXPECT_EQ(commands, (std::set<UINT>{SC_MOVE, SC_CLOSE}));
}

TEST_F(MeterWindowTest, HookMessagesCountWhileHiddenAndNaNIsDropped)
{
    float distance = 2.5f;
    uint32_t bits;
    memcpy(&bits, &distance, sizeof bits);
    EXPECT_EQ(SendMessageA(MeterWindow, MSG_KEY_PRESS, 0, 0), 0);
    SendMessageA(MeterWindow, MSG_KEY_PRESS, 0, 0);
    SendMessageA(MeterWindow, MSG_MOUSE_DISTANCE, 0, (LPARAM)bits);
    SendMessageA(MeterWindow, MSG_MOUSE_DISTANCE, 0, (LPARAM)0x7FC00000);
    SendMessageA(MeterWindow, MSG_CLICK_LEFT, 0, 0);
    SendMessageA(MeterWindow, MSG_CLICK_MIDDLE, 0, 0);
    SendMessageA(MeterWindow, MSG_CLICK_MIDDLE, 0, 0);
    PostMessageA(MeterWindow, MSG_CLICK_RIGHT, 0, 0);
    PumpMessages();
    EXPECT_FALSE(IsWindowVisible(MeterWindow));
    EXPECT_EQ(Totals.keyPresses, 2u);
    EXPECT_DOUBLE_EQ(Totals.distance, 2.5);
    EXPECT_EQ(Totals.leftClicks, 1u);
    EXPECT_EQ(Totals.middleClicks, 2u);
    EXPECT_EQ(Totals.rightClicks, 1u);
}

TEST_F(MeterWindowTest, ShowCommandShowsAndTheMeterGrowsUpAndLeft)
{
    RECT before = WindowRect();
    ShowMeter();
    EXPECT_TRUE(IsWindowVisible(MeterWindow));
    RECT grown = WindowRect();
    EXPECT_GT(grown.right - grown.left, 50);
    EXPECT_GT(grown.bottom - grown.top, 50);
    EXPECT_EQ(grown.right, before.right);
    EXPECT_EQ(grown.bottom, before.bottom);

    // Painting never shrinks, and a clear-data reset grows again at once.
    SetWindowPos(MeterWindow, nullptr, grown.left - 200, grown.top, grown.right - grown.left + 200,
                 grown.bottom - grown.top, SWP_NOZORDER);
    RedrawWindow(MeterWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_EQ(WindowRect().right - WindowRect().left, grown.right - grown.left + 200);
    HWND typing = CreateWindowExA(0, "EDIT", "", WS_POPUP | WS_VISIBLE, 0, 0, 9, 9, nullptr,
                                  nullptr, nullptr, nullptr);
    ASSERT_TRUE(SetForegroundWindow(typing));
    ResetMeterWindowPosition();
    RedrawWindow(MeterWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    PumpMessages();
    EXPECT_EQ(WindowRect().right - WindowRect().left, grown.right - grown.left);
    EXPECT_EQ(WindowRect().bottom, before.bottom);
    EXPECT_EQ(GetForegroundWindow(), typing) << "the focus left the window the user types in";
    DestroyWindow(typing);
}

TEST_F(MeterWindowTest, HideCommandCloseAndToggleOnlyHide)
{
    ShowMeter();
    EXPECT_EQ(SendMessageA(MeterWindow, WM_COMMAND, IDM_HIDE, 0), 0);
    PumpMessages();
    EXPECT_FALSE(IsWindowVisible(MeterWindow));

    ShowMeter();
    EXPECT_EQ(SendMessageA(MeterWindow, WM_CLOSE, 0, 0), 0);
    EXPECT_FALSE(IsWindowVisible(MeterWindow));

    // The toggle looks at visibility alone: a minimised meter is hidden, not restored.
    ShowMeter();
    ShowWindow(MeterWindow, SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(MeterWindow));
    ToggleMeterWindow();
    PumpMessages();
    EXPECT_FALSE(IsWindowVisible(MeterWindow));
    EXPECT_TRUE(IsWindow(MeterWindow));
    ShowWindow(MeterWindow, SW_RESTORE);
}

TEST_F(MeterWindowTest, TrayLeftPressTogglesAndOtherMouseMessagesDoNothing)
{
    for (LPARAM ignored : {WM_LBUTTONUP, WM_RBUTTONDOWN, WM_LBUTTONDBLCLK, WM_MOUSEMOVE}) {
        SendMessageA(MeterWindow, MSG_TRAY_NOTIFY, TRAY_ICON_ID, ignored);
        EXPECT_FALSE(TakePostedMessage(MeterWindow, MSG_SHOW_MENU)) << ignored;
        PumpMessages();
        EXPECT_FALSE(IsWindowVisible(MeterWindow)) << ignored;
    }
    SendMessageA(MeterWindow, MSG_TRAY_NOTIFY, TRAY_ICON_ID, WM_LBUTTONDOWN);
    PumpMessages();
    EXPECT_TRUE(IsWindowVisible(MeterWindow));
    SendMessageA(MeterWindow, MSG_TRAY_NOTIFY, TRAY_ICON_ID, WM_LBUTTONDOWN);
    PumpMessages();
    EXPECT_FALSE(IsWindowVisible(MeterWindow));
}

TEST_F(MeterWindowTest, TrayRightReleaseAndRightPressOpenTheFullMenu)
{
    StartModalCloser(IDCANCEL);
    SendMessageA(MeterWindow, MSG_TRAY_NOTIFY, TRAY_ICON_ID, WM_RBUTTONUP);
    StopModalCloser();
    EXPECT_EQ(CloserMenuItemCounts, std::vector<int>{23});

    // A right press in the client area posts the request, so the press completes first.
    EXPECT_EQ(SendMessageA(MeterWindow, WM_RBUTTONDOWN, 0, 0), 0);
    EXPECT_TRUE(TakePostedMessage(MeterWindow, MSG_SHOW_MENU));
}

TEST_F(MeterWindowTest, LeftDoubleClickOpensTheHistoryWindow)
{
    if (HistoryWindow)
        DestroyWindow(HistoryWindow);
    SendMessageA(MeterWindow, WM_LBUTTONDBLCLK, 0, MAKELPARAM(5, 5));
    EXPECT_NE(HistoryWindow, nullptr);
    if (HistoryWindow)
        DestroyWindow(HistoryWindow);
    PumpMessages();
}

TEST_F(MeterWindowTest, SessionMessagesAndDisplayChange)
{
    EXPECT_EQ(SendMessageA(MeterWindow, WM_QUERYENDSESSION, 0, 0), 1);
    HFONT font = MeterFont;
    SendMessageA(MeterWindow, WM_ENDSESSION, 0, 0);
    EXPECT_EQ(MeterFont, font);
    EXPECT_FALSE(TakePostedMessage(nullptr, WM_QUIT));

    int detectCalls = FakeHookDetectCalls;
    SendMessageA(MeterWindow, WM_DISPLAYCHANGE, 32, MAKELPARAM(1024, 768));
    EXPECT_EQ(FakeHookDetectCalls, detectCalls + 1);
}

// Moved to a monitor of twice the DPI: a font of twice the height and another icon replace
// the old ones, and the window takes the rectangle Windows suggests, from which it grows to
// fit; moved back, it shrinks to its size at 96 dpi.
TEST_F(MeterWindowTest, DpiChangeRemakesTheFontAndIconAndTakesTheSuggestedRect)
{
    ShowMeter();
    RECT atBaseDpi = WindowRect();
    HFONT oldFont = MeterFont;
    LOGFONTA before;
    ASSERT_EQ(GetObjectA(oldFont, sizeof before, &before), (int)sizeof before);
    HICON icon = (HICON)SendMessageA(MeterWindow, WM_GETICON, ICON_SMALL, 0);
    RECT suggested = {100, 100, 180, 160};
    EXPECT_EQ(SendMessageA(MeterWindow, WM_DPICHANGED, MAKEWPARAM(192, 192), (LPARAM)&suggested), 0);
    UpdateWindow(MeterWindow);
    PumpMessages();
    EXPECT_EQ(GetObjectType(oldFont), 0u) << "the old font is deleted";
    EXPECT_TRUE(icon && (HICON)SendMessageA(MeterWindow, WM_GETICON, ICON_SMALL, 0) != icon)
        << "no icon of its own for 192 dpi";
    LOGFONTA after;
    ASSERT_EQ(GetObjectA(MeterFont, sizeof after, &after), (int)sizeof after);
    EXPECT_EQ(after.lfHeight, 2 * before.lfHeight);
    RECT atDoubleDpi = WindowRect();
    EXPECT_EQ(atDoubleDpi.right, suggested.right);
    EXPECT_EQ(atDoubleDpi.bottom, suggested.bottom);
    EXPECT_GT(atDoubleDpi.right - atDoubleDpi.left, 3 * (atBaseDpi.right - atBaseDpi.left) / 2);
    EXPECT_GT(atDoubleDpi.bottom - atDoubleDpi.top, 3 * (atBaseDpi.bottom - atBaseDpi.top) / 2);

    RECT back = {100, 100, 150, 150};
    SendMessageA(MeterWindow, WM_DPICHANGED, MAKEWPARAM(96, 96), (LPARAM)&back);
    UpdateWindow(MeterWindow);
    PumpMessages();
    RECT again = WindowRect();
    EXPECT_EQ(again.right, back.right);
    EXPECT_EQ(again.bottom, back.bottom);
    EXPECT_EQ(again.right - again.left, atBaseDpi.right - atBaseDpi.left);
    EXPECT_EQ(again.bottom - again.top, atBaseDpi.bottom - atBaseDpi.top);
}

// A mark drawn over the meter's corner shows whether the last tick painted: the paint
// covers every pixel with the background.
void MarkCorner()
{
    HDC dc = GetDC(MeterWindow);
    RECT corner = {0, 0, 4, 4};
    FillRect(dc, &corner, (HBRUSH)GetStockObject(BLACK_BRUSH));
    ReleaseDC(MeterWindow, dc);
}

bool CornerRepainted()
{
    HDC dc = GetDC(MeterWindow);
    COLORREF pixel = GetPixel(dc, 1, 1);
    ReleaseDC(MeterWindow, dc);
    return pixel == METER_BACKGROUND;
}

bool TickRepaints()
{
    MarkCorner();
    EXPECT_FALSE(CornerRepainted()) << "the mark could not be drawn";
    SendMessageA(MeterWindow, WM_TIMER, METER_TIMER_ID, 0);
    return CornerRepainted();
}

// The second's tick repaints only a new figure or a new second. A count shows at once when
// the figures were last looked at 50 ms ago or more; sooner after a look, it shows when
// those 50 ms are over, without waiting for the tick.
TEST_F(MeterWindowTest, ATickRepaintsANewFigureOrSecondAndACountShowsWithin50Ms)
{
    ShowMeter();
    SendMessageA(MeterWindow, WM_TIMER, METER_TIMER_ID, 0);
    EXPECT_FALSE(TickRepaints()) << "same figures, same second";
    SendMessageA(MeterWindow, MSG_KEY_PRESS, 0, 0);
    EXPECT_TRUE(TickRepaints()) << "a key press";
    EXPECT_FALSE(TickRepaints());
    SendMessageA(MeterWindow, MSG_MOUSE_DISTANCE, 0, 0x3F800000);  // 1.0f mm
    EXPECT_TRUE(TickRepaints()) << "a movement";
    SetFakeTickCount(1000999);
    EXPECT_FALSE(TickRepaints()) << "within the same second";
    SetFakeTickCount(1001000);
    EXPECT_TRUE(TickRepaints()) << "the next second";

    // 49 ms after the look the count waits 1 ms, not another 50.
    const DWORD look = 1001000 + COUNT_REPAINT_MS - 1;
    SetFakeTickCount(look);
    MarkCorner();
    SendMessageA(MeterWindow, MSG_KEY_PRESS, 0, 0);
    EXPECT_FALSE(CornerRepainted()) << "painted again within 50 ms of a look";
    Sleep(COUNT_REPAINT_MS / 2);
    PumpMessages();
    EXPECT_TRUE(CornerRepainted()) << "the count did not show when the 50 ms were over";
    SetFakeTickCount(look + COUNT_REPAINT_MS);
    MarkCorner();
    SendMessageA(MeterWindow, MSG_CLICK_MIDDLE, 0, 0);
    EXPECT_TRUE(CornerRepainted()) << "a count 50 ms after the last look did not show at once";
}

TEST_F(MeterWindowTest, ThePaintAfterAnUncoverAlwaysDraws)
{
    ShowMeter();
    SendMessageA(MeterWindow, WM_TIMER, METER_TIMER_ID, 0);
    MarkCorner();
    // What the system does when a window over the meter goes away: the part uncovered is
    // invalidated and painted, with figures that have not changed since the last paint.
    RECT uncovered = {0, 0, 20, 20};
    InvalidateRect(MeterWindow, &uncovered, TRUE);
    UpdateWindow(MeterWindow);
    EXPECT_TRUE(CornerRepainted());
}

// One paint into a memory context: the background where no text is, and each of the four
// lines in dark text (the default black, smoothed or not) in its place.
TEST_F(MeterWindowTest, PaintFillsTheBackgroundAndDrawsEachLineInItsPlace)
{
    ShowMeter();
    RECT client;
    GetClientRect(MeterWindow, &client);
    HDC screen = GetDC(nullptr);
    HDC target = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
    HGDIOBJ old = SelectObject(target, bitmap);
    PaintMeter(target, MeterWindow);
    const MeterLayout &layout = CurrentMeterLayout();
    EXPECT_EQ(GetPixel(target, 1, 1), METER_BACKGROUND);
    EXPECT_EQ(GetPixel(target, client.right - 2, client.bottom - 2), METER_BACKGROUND);
    for (int line = 0; line < METER_LINE_COUNT; ++line) {
        int dark = 0;
        for (int y = layout.lineTop[line]; y < layout.lineTop[line] + layout.lineHeight; ++y)
            for (int x = 0; x < client.right; ++x)
                dark += GetRValue(GetPixel(target, x, y)) < 100;
        EXPECT_GT(dark, 10) << "line " << line;
    }
    SelectObject(target, old);
    DeleteObject(bitmap);
    DeleteDC(target);
    ReleaseDC(nullptr, screen);
}

TEST_F(MeterWindowTest, UnknownCommandGoesToTheDefaultProcedure)
{
    EXPECT_EQ(SendMessageA(MeterWindow, WM_COMMAND, 9999, 0), 0);
    EXPECT_FALSE(IsWindowVisible(MeterWindow));
}

TEST(TrayTipTest, CutsAt127BytesWithoutSplittingADoubleByteCharacter)
{
    char shortTip[128];
    CopyTrayTip(shortTip, sizeof shortTip, "Tallywick");
    EXPECT_STREQ(shortTip, "Tallywick");
    char tip[128];
    CopyTrayTip(tip, sizeof tip, std::string(200, 'a').c_str());
    EXPECT_EQ(strlen(tip), 127u);
    SKIP_OUTSIDE_CODE_PAGE_936();
    std::string wide = Ansi("中");
    ASSERT_EQ(wide.size(), 2u);
    CopyTrayTip(tip, sizeof tip, (std::string(126, 'a') + wide + "b").c_str());
    EXPECT_EQ(std::string(tip), std::string(126, 'a'));
    CopyTrayTip(tip, sizeof tip, (std::string(125, 'a') + wide + "b").c_str());
    EXPECT_EQ(std::string(tip), std::string(125, 'a') + wide);
}

}  // namespace
