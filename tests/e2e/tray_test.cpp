// The tray icon as the user meets it: Wine's own notification area (its "Wine System Tray"
// window when X has no tray of its own) shows the icon, and real button presses on it show
// and hide the meter and open the popup menu; the icon goes with the program's exit.
#include "e2e_support.h"
#include "res/resource.h"
#include <algorithm>

using namespace driver;

namespace e2e {
namespace {

struct TrayTest : E2eTest {};

const char *const WINE_TRAY_TITLE = "Wine System Tray";
const char *const MENU_CLASS = "#32768";

// Every visible icon window of Wine's stand-alone tray: each icon is a child window of it.
std::vector<HWND> TrayIconWindows()
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

// The icon that appears after `before` was taken; null when none appears in time.
HWND WaitNewTrayIcon(const std::vector<HWND> &before, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        for (HWND icon : TrayIconWindows())
            if (std::find(before.begin(), before.end(), icon) == before.end())
                return icon;
        if (GetTickCount() - start >= timeoutMs)
            return nullptr;
        Sleep(20);
    }
}

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

// A real press and release of `button` in the middle of the icon, through the system's
// input queue, so that it reaches the program only by way of the tray.
void ClickIcon(HWND icon, MouseButton button)
{
    RECT rect = WindowRect(icon);
    ClickAt((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2, button);
}

// Two presses closer together than this would make a double click, which does nothing.
void WaitOutDoubleClick()
{
    Sleep(GetDoubleClickTime() + 100);
}

TEST_F(TrayTest, LeftPressShowsAndHidesTheMeterRightClickOpensTheMenu)
{
    std::vector<HWND> before = TrayIconWindows();
    StartResident();
    HWND icon = WaitNewTrayIcon(before, 5000);
    ASSERT_TRUE(icon) << "no new icon in the \"" << WINE_TRAY_TITLE << "\" window";
    EXPECT_FALSE(IsWindowVisible(meter));

    // The press shows the meter; the release that follows must not hide it again.
    ClickIcon(icon, MOUSE_LEFT);
    EXPECT_TRUE(WaitVisible(meter, true, 5000)) << "a left click on the icon did not show the meter";
    WaitOutDoubleClick();
    EXPECT_TRUE(IsWindowVisible(meter)) << "the release hid the meter again";

    ClickIcon(icon, MOUSE_LEFT);
    EXPECT_TRUE(WaitVisible(meter, false, 5000)) << "a second left click did not hide the meter";
    WaitOutDoubleClick();
    EXPECT_FALSE(IsWindowVisible(meter));
    EXPECT_TRUE(IsWindow(meter));

    // The right button opens the menu and leaves the meter alone.
    ClickIcon(icon, MOUSE_RIGHT);
    ASSERT_TRUE(WaitMenuOpen(program.id, true, 5000)) << "a right click on the icon opened no menu";
    EXPECT_FALSE(IsWindowVisible(meter));
    // Escape closes it, as a menu opened from the tray must allow.
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(WaitMenuOpen(program.id, false, 5000)) << "Escape did not close the menu";
    EXPECT_TRUE(FindDialogs(program.id).empty());
    EXPECT_FALSE(IsWindowVisible(meter));

    // So does a press anywhere outside it.
    WaitOutDoubleClick();
    ClickIcon(icon, MOUSE_RIGHT);
    ASSERT_TRUE(WaitMenuOpen(program.id, true, 5000)) << "the menu did not open again";
    ClickAt(900, 800, MOUSE_LEFT);
    EXPECT_TRUE(WaitMenuOpen(program.id, false, 5000)) << "a click elsewhere did not close the menu";
    EXPECT_FALSE(IsWindowVisible(meter));

    // Exit takes the icon out of the tray.
    EXPECT_EQ(ExitResident(), 0u);
    EXPECT_TRUE(WaitWindowGone(icon, 5000)) << "the icon outlived the program";
}

}  // namespace
}  // namespace e2e
