// Keeping the program's windows on screen. After a monitor is unplugged, the resolution
// lowered or the taskbar moved, a window may sit where no monitor shows it; the meter is
// then out of reach, and the history window cannot be closed or moved by its title bar.
//
// Runs on the program's one thread, from the meter's and the history window's procedures.
#include "on_screen.h"

// Where a span of `size` starting at `start` begins once it lies within low..high; a span
// longer than that range begins at `low`, so that its start (a title bar) stays reachable.
static LONG ClampSpanStart(LONG start, LONG size, LONG low, LONG high)
{
    if (start + size > high)
        start = high - size;
    if (start < low)
        start = low;
    return start;
}

void KeepWindowOnScreen(HWND window)
{
    RECT rect;
    if (!window || IsIconic(window) || IsZoomed(window) || !GetWindowRect(window, &rect))
        return;
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor))
        return;
    const RECT &work = monitor.rcWork;
    LONG left = ClampSpanStart(rect.left, rect.right - rect.left, work.left, work.right);
    LONG top = ClampSpanStart(rect.top, rect.bottom - rect.top, work.top, work.bottom);
    if (left == rect.left && top == rect.top)
        return;
    SetWindowPos(window, nullptr, left, top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

void OnScreenSettingChange(HWND window, WPARAM setting)
{
    if (setting == SPI_SETWORKAREA)
        KeepWindowOnScreen(window);
}

POINT WorkAreaCorner(int width, int height)
{
    // The maximised size less two frames is the work area on the classic frame metrics;
    // where a system's metrics make it larger (padded borders, or Wine on a bare X screen)
    // the window would hang off the bottom or the right, so it is kept inside the work area.
    POINT corner;
    corner.x = GetSystemMetrics(SM_CXMAXIMIZED) - 2 * GetSystemMetrics(SM_CXFRAME) - width;
    corner.y = GetSystemMetrics(SM_CYMAXIMIZED) - 2 * GetSystemMetrics(SM_CYFRAME) - height;
    RECT work;
    if (SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0)) {
        if (corner.x > work.right - width)
            corner.x = work.right - width;
        if (corner.y > work.bottom - height)
            corner.y = work.bottom - height;
    }
    return corner;
}
