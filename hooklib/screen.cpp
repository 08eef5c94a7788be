// Pixel sizes per monitor: the physical size the display driver reports against its
// resolution, or the logical DPI when the driver knows no physical size.
#include "screen.h"

#include <math.h>

namespace {

struct MonitorScale {
    RECT area;
    double mmPerPixelX;
    double mmPerPixelY;
};

// A fixed table, so that the mouse hook never allocates; monitors beyond it use the
// scale of the first one.
const int MAX_MONITORS = 16;
const double MM_PER_INCH = 25.4;
const double DEFAULT_DPI = 96.0;

MonitorScale Monitors[MAX_MONITORS];
int MonitorCount = 0;

double MillimetresPerPixel(int sizeMm, int resolution, int dpi)
{
    if (sizeMm > 0 && resolution > 0)
        return (double)sizeMm / resolution;
    return MM_PER_INCH / (dpi > 0 ? dpi : DEFAULT_DPI);
}

void MeasureDeviceContext(HDC dc, MonitorScale *scale)
{
    scale->mmPerPixelX = MillimetresPerPixel(GetDeviceCaps(dc, HORZSIZE),
                                             GetDeviceCaps(dc, HORZRES),
                                             GetDeviceCaps(dc, LOGPIXELSX));
    scale->mmPerPixelY = MillimetresPerPixel(GetDeviceCaps(dc, VERTSIZE),
                                             GetDeviceCaps(dc, VERTRES),
                                             GetDeviceCaps(dc, LOGPIXELSY));
}

// The whole screen as one monitor, for when the monitors cannot be listed.
void MeasureWholeScreen(MonitorScale *scale)
{
    scale->area.left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    scale->area.top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    scale->area.right = scale->area.left + GetSystemMetrics(SM_CXVIRTUALSCREEN);
    scale->area.bottom = scale->area.top + GetSystemMetrics(SM_CYVIRTUALSCREEN);
    scale->mmPerPixelX = scale->mmPerPixelY = MM_PER_INCH / DEFAULT_DPI;
    HDC screen = GetDC(NULL);
    if (screen) {
        MeasureDeviceContext(screen, scale);
        ReleaseDC(NULL, screen);
    }
}

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM)
{
    if (MonitorCount >= MAX_MONITORS)
        return FALSE;
    MONITORINFOEXA info;
    info.cbSize = sizeof info;
    if (!GetMonitorInfoA(monitor, &info))
        return TRUE;
    MonitorScale *scale = &Monitors[MonitorCount];
    MeasureWholeScreen(scale);  // the fallback values when the monitor's own DC fails
    scale->area = info.rcMonitor;
    HDC dc = CreateDCA(info.szDevice, info.szDevice, NULL, NULL);
    if (dc) {
        MeasureDeviceContext(dc, scale);
        DeleteDC(dc);
    }
    ++MonitorCount;
    return TRUE;
}

const MonitorScale *MonitorAt(POINT point)
{
    for (int i = 0; i < MonitorCount; ++i)
        if (PtInRect(&Monitors[i].area, point))
            return &Monitors[i];
    return NULL;
}

}  // namespace

void MeasureScreens()
{
    MonitorCount = 0;
    EnumDisplayMonitors(NULL, NULL, AddMonitor, 0);
    if (MonitorCount == 0) {
        MeasureWholeScreen(&Monitors[0]);
        MonitorCount = 1;
    }
}

double ScreenMillimetres(POINT from, POINT to)
{
    const MonitorScale *scale = MonitorAt(to);
    if (!scale)
        scale = MonitorAt(from);
    if (!scale)
        scale = &Monitors[0];
    double dx = (double)(to.x - from.x) * scale->mmPerPixelX;
    double dy = (double)(to.y - from.y) * scale->mmPerPixelY;
    return sqrt(dx * dx + dy * dy);
}
