// Pixel sizes per monitor: the physical size the display driver reports against its
// resolution, or the logical DPI when the driver knows no physical size.
#include "screen.h"

#include <math.h>

namespace {

const double MM_PER_INCH = 25.4;
const double DEFAULT_DPI = 96.0;

// The table in use; only the hook thread reads or writes it.
ScreenTable Screens = {};

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

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data)
{
    ScreenTable *table = (ScreenTable *)data;
    if (table->count >= MAX_MONITORS)
        return FALSE;
    MONITORINFOEXA info;
    info.cbSize = sizeof info;
    if (!GetMonitorInfoA(monitor, &info))
        return TRUE;
    MonitorScale *scale = &table->monitors[table->count];
    MeasureWholeScreen(scale);  // the fallback values when the monitor's own DC fails
    scale->area = info.rcMonitor;
    HDC dc = CreateDCA(info.szDevice, info.szDevice, NULL, NULL);
    if (dc) {
        MeasureDeviceContext(dc, scale);
        DeleteDC(dc);
    }
    ++table->count;
    return TRUE;
}

const MonitorScale *MonitorAt(POINT point)
{
    for (int i = 0; i < Screens.count; ++i)
        if (PtInRect(&Screens.monitors[i].area, point))
            return &Screens.monitors[i];
    return NULL;
}

}  // namespace

void MeasureScreens(ScreenTable *table)
{
    table->count = 0;
    EnumDisplayMonitors(NULL, NULL, AddMonitor, (LPARAM)table);
    if (table->count == 0) {
        MeasureWholeScreen(&table->monitors[0]);
        table->count = 1;
    }
}

void UseScreens(const ScreenTable &table)
{
    Screens = table;
}

double ScreenMillimetres(POINT from, POINT to)
{
    const MonitorScale *scale = MonitorAt(to);
    if (!scale)
        scale = MonitorAt(from);
    if (!scale)
        scale = &Screens.monitors[0];
    double dx = (double)(to.x - from.x) * scale->mmPerPixelX;
    double dy = (double)(to.y - from.y) * scale->mmPerPixelY;
    return sqrt(dx * dx + dy * dy);
}
