// The tray icon as the user meets it: the notification area shows the icon, and real
// button presses on it show and hide the meter and open the popup menu; the icon goes with
// the program's exit. It comes back when a new taskbar is announced, and a start while the
// tray refuses icons keeps trying until the icon is in; a first start tells the user once,
// through the icon, that the program is counting (these two under Wine only: the stand-in
// taskbar speaks Wine's convention).
#include "e2e_support.h"
#include "res/resource.h"
#include "safety/test_safety.h"
#include <shellapi.h>
#include <algorithm>
#include <atomic>
#include <thread>

using namespace driver;

namespace e2e {
namespace {

const char *const WINE_TRAY_TITLE = "Wine System Tray";
const char *const MENU_CLASS = "#32768";

// Every visible icon window of Wine's stand-alone tray: each icon is a child window of it.
std::vector<HWND> WineTrayIconWindows()
{
    std::vector<HWND> icons;
    HWND tray = FindWindowA(nullptr, WINE_TRAY_TITLE);
    if (!tray || !IsWindowVisible(tray))
        return icons;
    for (HWND child = GetWindow(tray, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (IsWindowVisible(child))
            icons.push_back(child);
    return icons;
}

// Where the user sees the program's icon. The shell says where with Shell_NotifyIconGetRect;
// Wine's answers E_NOTIMPL, and there the icon is the window that Wine's stand-alone tray
// added after the test began.
struct TrayTest : E2eTest {
    std::vector<HWND> wineIconsBefore;

    void SetUp() override
    {
        E2eTest::SetUp();
        wineIconsBefore = WineTrayIconWindows();
    }

    HWND NewWineIcon()
    {
        for (HWND icon : WineTrayIconWindows())
            if (std::find(wineIconsBefore.begin(), wineIconsBefore.end(), icon) == wineIconsBefore.end())
                return icon;
        return nullptr;
    }

    // False while no icon of the program can be seen.
    bool IconRect(RECT *rect)
    {
        NOTIFYICONIDENTIFIER id = {sizeof id, meter, TRAY_ICON_ID, {}};
        HRESULT answer = Shell_NotifyIconGetRect(&id, rect);
        if (answer != E_NOTIMPL)
            return answer == S_OK;
        HWND icon = NewWineIcon();
        if (icon)
            *rect = WindowRect(icon);
        return icon != nullptr;
    }

    bool WaitIcon(bool shown, DWORD timeoutMs)
    {
        RECT rect;
        for (DWORD start = GetTickCount(); IconRect(&rect) != shown; Sleep(20))
            if (GetTickCount() - start >= timeoutMs)
                return false;
        return true;
    }

    // The middle of the icon, where the taskbar shows it; false (with the reason) when
    // the shell keeps it out of sight, in the overflow area that a click must open first.
    ::testing::AssertionResult IconPoint(POINT *point)
    {
        RECT rect;
        if (!WaitIcon(true, 5000) || !IconRect(&rect))
            return ::testing::AssertionFailure() << "no icon in the notification area";
        *point = POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
        HWND shown = GetAncestor(WindowFromPoint(*point), GA_ROOT);
        if (NewWineIcon() || (shown && ClassName(shown) == "Shell_TrayWnd"))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure()
               << "the icon at " << point->x << "," << point->y << " is out of sight, under \""
               << ClassName(shown) << "\" (in the overflow area? EnableAutoTray=0 shows it)";
    }
};

std::vector<HWND> VisibleMenus(DWORD processId)
{
    std::vector<HWND> menus;
    for (HWND menu : FindTopWindows(MENU_CLASS, processId))
        if (IsWindowVisible(menu))
            menus.push_back(menu);
    return menus;
}

bool WaitMenuOpen(DWORD processId, bool open, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    while (VisibleMenus(processId).empty() == open) {
        if (GetTickCount() - start >= timeoutMs)
            return false;
        Sleep(20);
    }
    return true;
}

// A point of the screen across its middle from `rect`: outside the menu, wherever the
// shell put the icon and the menu opened beside it.
POINT AcrossFrom(const RECT &rect)
{
    int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    bool right = rect.left + rect.right > width, low = rect.top + rect.bottom > height;
    return POINT{right ? width / 4 : width * 3 / 4, low ? height / 4 : height * 3 / 4};
}

// Two presses closer together than this would make a double click, which does nothing.
void WaitOutDoubleClick()
{
    Sleep(GetDoubleClickTime() + 100);
}

TEST_F(TrayTest, LeftPressShowsAndHidesTheMeterRightClickOpensTheMenu)
{
    StartResident();
    POINT icon;
    ASSERT_TRUE(IconPoint(&icon));
    EXPECT_FALSE(IsWindowVisible(meter));

    // A real press and release through the system's input queue, so that it reaches the
    // program only by way of the tray. The press shows the meter; the release that follows
    // must not hide it again.
    ClickAt(icon.x, icon.y, MOUSE_LEFT);
    EXPECT_TRUE(WaitVisible(meter, true, 5000)) << "a left click on the icon did not show the meter";
    WaitOutDoubleClick();
    EXPECT_TRUE(IsWindowVisible(meter)) << "the release hid the meter again";

    ClickAt(icon.x, icon.y, MOUSE_LEFT);
    EXPECT_TRUE(WaitVisible(meter, false, 5000)) << "a second left click did not hide the meter";
    WaitOutDoubleClick();
    EXPECT_FALSE(IsWindowVisible(meter));
    EXPECT_TRUE(IsWindow(meter));

    // The right button opens the menu and leaves the meter alone.
    ClickAt(icon.x, icon.y, MOUSE_RIGHT);
    ASSERT_TRUE(WaitMenuOpen(program.id, true, 5000)) << "a right click on the icon opened no menu";
    EXPECT_FALSE(IsWindowVisible(meter));
    // Escape closes it, as a menu opened from the tray must allow.
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(WaitMenuOpen(program.id, false, 5000)) << "Escape did not close the menu";
    EXPECT_TRUE(FindDialogs(program.id).empty());
    EXPECT_FALSE(IsWindowVisible(meter));

    // So does a press anywhere outside it.
    WaitOutDoubleClick();
    ClickAt(icon.x, icon.y, MOUSE_RIGHT);
    ASSERT_TRUE(WaitMenuOpen(program.id, true, 5000)) << "the menu did not open again";
    POINT away = AcrossFrom(WindowRect(VisibleMenus(program.id).front()));
    ClickAt(away.x, away.y, MOUSE_LEFT);
    EXPECT_TRUE(WaitMenuOpen(program.id, false, 5000)) << "a click elsewhere did not close the menu";
    EXPECT_FALSE(IsWindowVisible(meter));

    // Exit, even while the menu is open (as when the installer closes the program), ends
    // the menu and takes the icon out of the tray.
    WaitOutDoubleClick();
    ClickAt(icon.x, icon.y, MOUSE_RIGHT);
    ASSERT_TRUE(WaitMenuOpen(program.id, true, 5000)) << "the menu did not open a third time";
    HWND exited = meter;
    EXPECT_EQ(ExitResident(), 0u);
    meter = exited;
    EXPECT_TRUE(WaitIcon(false, 5000)) << "the icon outlived the program";
}

// The program's icon as any process names it to the shell: the meter's window and id 1.
NOTIFYICONDATAA IconOf(HWND meterWindow)
{
    NOTIFYICONDATAA data = {};
    data.cbSize = sizeof data;
    data.hWnd = meterWindow;
    data.uID = TRAY_ICON_ID;
    return data;
}

// An NIM_MODIFY that changes nothing succeeds only for an icon that the shell holds.
bool IconInTray(HWND meterWindow)
{
    NOTIFYICONDATAA data = IconOf(meterWindow);
    return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

// What the shell broadcasts when it has made a new taskbar (after an Explorer restart).
void AnnounceNewTaskbar(HWND window)
{
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, RegisterWindowMessageA("TaskbarCreated"), 0, 0, SMTO_NORMAL,
                        5000, &result);
}

TEST_F(TrayTest, IconComesBackWhenANewTaskbarIsAnnounced)
{
    StartResident();
    ASSERT_TRUE(WaitIcon(true, 5000)) << "no icon at start";
    ASSERT_TRUE(IconInTray(meter));

    // Announced while the shell still holds the icon: it stays, once (Wine's tray shows
    // each icon as a window, which can be counted).
    AnnounceNewTaskbar(meter);
    EXPECT_TRUE(IconInTray(meter));
    if (NewWineIcon()) {
        EXPECT_EQ(WineTrayIconWindows().size(), wineIconsBefore.size() + 1);
    }

    // As after an Explorer restart: the icon is gone, then the new taskbar is announced.
    NOTIFYICONDATAA data = IconOf(meter);
    ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &data));
    ASSERT_TRUE(WaitIcon(false, 5000)) << "NIM_DELETE from outside left the icon in";
    AnnounceNewTaskbar(meter);
    EXPECT_TRUE(IconInTray(meter)) << "no icon after \"TaskbarCreated\"";

    // It is a whole icon again: a left press on it shows the meter.
    POINT icon;
    ASSERT_TRUE(IconPoint(&icon));
    ClickAt(icon.x, icon.y, MOUSE_LEFT);
    EXPECT_TRUE(WaitVisible(meter, true, 5000)) << "the icon came back without its callback";
    EXPECT_EQ(ExitResident(), 0u);
}

// Wine's Shell_NotifyIcon hands the NIM_ code over as the copy's dwData, and the data in
// a fixed form of its own, of which these are the first fields.
struct WineNotifyData {
    LONG window;
    UINT id, flags, callbackMessage;
    WCHAR tip[128];
    DWORD state, stateMask;
    WCHAR info[256];  // the notification's text
    UINT timeout;
    WCHAR infoTitle[64];
    DWORD infoFlags;
};

// A taskbar that refuses every icon, as a shell that is not ready yet does, until it is
// told to take them: a topmost "Shell_TrayWnd" of this process, which Shell_NotifyIcon
// finds before Wine's own. It answers on a thread of its own, so that it answers while the
// test waits, and counts the notifications with a text that came with the icons it took.
struct RefusingTray {
    std::atomic<int> adds{0};
    std::atomic<bool> accepting{false};
    std::atomic<int> taken{0};
    std::atomic<int> notifications{0};
    std::atomic<DWORD> notificationFlags{0};
    std::atomic<HWND> window{nullptr};
    std::thread thread;

    RefusingTray() : thread(&RefusingTray::Run, this)
    {
        for (int i = 0; i < 500 && !window; ++i)
            Sleep(10);
    }
    ~RefusingTray() { Close(); }
    void Close()
    {
        if (!thread.joinable())
            return;
        PostMessageA(window, WM_CLOSE, 0, 0);
        thread.join();
    }

    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto *tray = (RefusingTray *)GetWindowLongPtrA(hwnd, GWLP_USERDATA);
        if (message == WM_COPYDATA && tray)
            return tray->Take((const COPYDATASTRUCT *)lParam);
        if (message == WM_DESTROY)
            PostQuitMessage(0);
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    LRESULT Take(const COPYDATASTRUCT *copy)
    {
        if (copy->dwData == NIM_ADD)
            ++adds;
        if (!accepting)
            return FALSE;
        const auto *data = (const WineNotifyData *)copy->lpData;
        if (copy->cbData >= sizeof *data && (data->flags & NIF_INFO) && data->info[0]) {
            notificationFlags = data->infoFlags;
            ++notifications;
        }
        ++taken;
        return TRUE;
    }
    void Run()
    {
        HWND hwnd = CreatePlainWindow("Shell_TrayWnd", Proc, WS_EX_TOPMOST | WS_EX_TOOLWINDOW);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, (LONG_PTR)this);
        window = hwnd;
        MSG message;
        while (hwnd && GetMessageA(&message, nullptr, 0, 0) > 0)
            DispatchMessageA(&message);
        UnregisterClassA("Shell_TrayWnd", GetModuleHandleA(nullptr));
    }
};

bool WaitAtLeast(const std::atomic<int> &count, int wanted, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    while (count < wanted) {
        if (GetTickCount() - start >= timeoutMs)
            return false;
        Sleep(20);
    }
    return true;
}

TEST_F(TrayTest, StartWhileTheTrayRefusesIconsKeepsRunningAndTriesAgain)
{
    if (!RunningUnderWine())
        GTEST_SKIP() << "skipped: the stand-in taskbar speaks Wine's WM_COPYDATA convention; "
                        "Explorer's is its own, and a stand-in would come between it and "
                        "every other program's icons";
    RefusingTray refusing;
    ASSERT_TRUE(refusing.window.load()) << "no stand-in taskbar";
    StartResident();
    ASSERT_TRUE(WaitAtLeast(refusing.adds, 1, 5000)) << "the stand-in taskbar was not asked";
    // Still running, and trying again on its own.
    EXPECT_TRUE(WaitAtLeast(refusing.adds, 2, 10000)) << "no second try";
    EXPECT_FALSE(WaitExit(program, 0, nullptr)) << "the program ended without its icon";

    // Once the taskbar takes icons, the next try puts it in: no restart needed.
    refusing.Close();
    ASSERT_TRUE(WaitIcon(true, 10000)) << "the icon never came";
    EXPECT_TRUE(IconInTray(meter));
    HWND exited = meter;
    EXPECT_EQ(ExitResident(), 0u);
    meter = exited;
    EXPECT_TRUE(WaitIcon(false, 5000)) << "the icon outlived the program";
}

// The notification follows the icon that the shell takes at last; the second start, with
// the settings key that the first one saved, sends none.
TEST_F(TrayTest, FirstStartAloneNotifiesOnceWhenTheShellHasTakenTheIcon)
{
    if (!RunningUnderWine())
        GTEST_SKIP() << "skipped: the stand-in taskbar speaks Wine's WM_COPYDATA convention";
    RefusingTray tray;
    ASSERT_TRUE(tray.window.load()) << "no stand-in taskbar";
    StartResident();
    ASSERT_TRUE(WaitAtLeast(tray.adds, 1, 5000)) << "the stand-in taskbar was not asked";
    tray.accepting = true;
    ASSERT_TRUE(WaitAtLeast(tray.taken, 1, 10000)) << "the icon was not sent again";
    Sleep(500);  // the notification follows the icon
    EXPECT_EQ(tray.notifications, 1) << "notifications at the first start";
    EXPECT_FALSE(tray.notificationFlags & NIIF_RESPECT_QUIET_TIME) << tray.notificationFlags;
    EXPECT_EQ(ExitResident(), 0u);

    int taken = tray.taken;
    StartResident();
    ASSERT_TRUE(WaitAtLeast(tray.taken, taken + 1, 5000)) << "no icon at the second start";
    Sleep(500);
    EXPECT_EQ(tray.notifications, 1) << "the second start notified again";
    EXPECT_EQ(ExitResident(), 0u);
}

}  // namespace
}  // namespace e2e
