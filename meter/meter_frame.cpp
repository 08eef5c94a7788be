// The meter's frame. Runs on the program's one thread.
#include "meter_frame.h"
#include "meter_layout.h"
#include "../res/resource.h"
#include "../text/text.h"
#include "../ui/dark_mode.h"
#include "../ui/on_screen.h"

MeterRect DefaultMeterRect()
{
    // The bottom right-hand corner of the primary monitor's work area.
    POINT corner = WorkAreaCorner(METER_DEFAULT_SIZE, METER_DEFAULT_SIZE);
    MeterRect rect;
    rect.left = corner.x;
    rect.top = corner.y;
    rect.width = METER_DEFAULT_SIZE;
    rect.height = METER_DEFAULT_SIZE;
    return rect;
}

bool CreateMeterFrame(HINSTANCE instance)
{
    MeterInstance = instance;
    MeterRect rect = DefaultMeterRect();
    const char *title = LoadText(SLOT_GENERAL, IDS_APP_TITLE);
    MeterWindow = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, METER_CLASS, title,
                                  WS_POPUP | WS_CAPTION | WS_SYSMENU, rect.left, rect.top,
                                  rect.width, rect.height, nullptr, nullptr, instance, nullptr);
    if (MeterWindow)
        FollowAppMode(MeterWindow);
    return MeterWindow != nullptr;
}

bool MeterCanBeSeen(HWND window)
{
    return IsWindowVisible(window) && !IsIconic(window);
}

void ShowMeterWindow()
{
    ShowWindow(MeterWindow, SW_RESTORE);
    SetForegroundWindow(MeterWindow);
}

void ToggleMeterWindow()
{
    // Visibility alone decides, so a minimised but visible meter is hidden.
    if (IsWindowVisible(MeterWindow)) {
        PostMessageA(MeterWindow, WM_CLOSE, 0, 0);
        return;
    }
    ShowMeterWindow();
}

// Midnight runs this from the timer: the focus stays with whatever the user types in.
void ResetMeterWindowPosition()
{
    MeterRect rect = DefaultMeterRect();
    SetWindowPos(MeterWindow, HWND_TOPMOST, rect.left, rect.top, METER_DEFAULT_SIZE,
                 METER_DEFAULT_SIZE, SWP_NOACTIVATE);
    if (MeterWindow && MeterCanBeSeen(MeterWindow))
        LayOutMeter(MeterWindow);
}
