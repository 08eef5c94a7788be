// Placing the program's windows, and keeping them on screen. After a monitor is unplugged,
// the resolution lowered or the taskbar moved, a window may sit where no monitor shows it;
// the meter is then out of reach, and a window cannot be closed or moved by its title bar.
//
// Runs on the program's one thread, which owns every window.
#include "on_screen.h"

#include <algorithm>

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

POINT InsideNearestWorkArea(HWND window, POINT at, SIZE size)
{
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor))
        return at;
    const RECT &work = monitor.rcWork;
    POINT inside = {ClampSpanStart(at.x, size.cx, work.left, work.right),
                    ClampSpanStart(at.y, size.cy, work.top, work.bottom)};
    return inside;
}

void KeepWindowOnScreen(HWND window)
{
    RECT rect;
    if (!window || IsIconic(window) || IsZoomed(window) || !GetWindowRect(window, &rect))
        return;
    POINT at = {rect.left, rect.top};
    SIZE size = {rect.right - rect.left, rect.bottom - rect.top};
    POINT inside = InsideNearestWorkArea(window, at, size);
    if (inside.x == at.x && inside.y == at.y)
        return;
    SetWindowPos(window, nullptr, inside.x, inside.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

void OnScreenSettingChange(HWND window, WPARAM setting)
{
    if (setting == SPI_SETWORKAREA)
        KeepWindowOnScreen(window);
}

// The whole primary screen where the system cannot tell its work area.
static RECT PrimaryWorkArea()
{
    RECT work = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

POINT WorkAreaCorner(int width, int height)
{
    // The maximised size less two frames is the work area on the classic frame metrics;
    // where a system's metrics make it larger (padded borders, or Wine on a bare X screen)
    // the window would hang off the bottom or the right, so it is kept inside the work area.
    POINT corner;
    corner.x = GetSystemMetrics(SM_CXMAXIMIZED) - 2 * GetSystemMetrics(SM_CXFRAME) - width;
    corner.y = GetSystemMetrics(SM_CYMAXIMIZED) - 2 * GetSystemMetrics(SM_CYFRAME) - height;
    RECT work = PrimaryWorkArea();
    corner.x = std::min(corner.x, work.right - width);
    corner.y = std::min(corner.y, work.bottom - height);
    return corner;
}

OpeningPlace PlaceNewWindow(SIZE size, WindowOpening opening)
{
    RECT work = PrimaryWorkArea();
    OpeningPlace place;
    place.width = std::min(size.cx, work.right - work.left);
    place.height = std::min(size.cy, work.bottom - work.top);
    place.x = place.y = CW_USEDEFAULT;
    if (opening == OPEN_IN_CORNER) {
        POINT corner = WorkAreaCorner(place.width, place.height);
        place.x = corner.x;
        place.y = corner.y;
    } else if (opening == OPEN_CENTRED) {
        place.x = work.left + (work.right - work.left - place.width) / 2;
        place.y = work.top + (work.bottom - work.top - place.height) / 2;
    }
    return place;
}
