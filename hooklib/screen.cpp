// Pixel sizes per monitor. GDI's HORZSIZE is no measure: with a WDDM display driver GDI
// computes it from 96 dpi itself; and LOGPIXELSX is the user's scale setting, by which
// every distance would shrink at 150 %. So each monitor's EDID gives its picture size
// (edid.cpp); where there is none (a projector, some docks, a remote session), the raw DPI
// Windows has for the monitor, and failing that 96 dpi.
//
// The monitor rectangles are in physical pixels, the space of the hook's points, because
// the program is per-monitor DPI aware (its manifest says so).
#include "screen.h"
#include "edid.h"

#include <math.h>
#include <shellscalingapi.h>

namespace {

const double MM_PER_INCH = 25.4;
const double DEFAULT_DPI = 96.0;
// No screen has pixels outside these: a size beyond them is a placeholder or in a wrong unit.
const double MIN_PITCH_MM = 0.05;
const double MAX_PITCH_MM = 2.0;

typedef HRESULT(WINAPI *GetDpiForMonitorProc)(HMONITOR, MONITOR_DPI_TYPE, UINT *, UINT *);

// The table in use; only the hook thread reads or writes it.
ScreenTable Screens = {};

bool IsBelievablePitch(double millimetres)
{
    return millimetres >= MIN_PITCH_MM && millimetres <= MAX_PITCH_MM;
}

// Takes the pixel size only when both of its sides are believable.
bool SetPitch(MonitorScale *scale, double x, double y)
{
    if (!IsBelievablePitch(x) || !IsBelievablePitch(y))
        return false;
    scale->mmPerPixelX = x;
    scale->mmPerPixelY = y;
    return true;
}

// A monitor turned on its side keeps its EDID: its picture size turns with its pixels.
bool MeasureFromEdid(const char *device, MonitorScale *scale)
{
    SIZE mm;
    if (!MonitorEdidSize(device, &mm))
        return false;
    LONG width = scale->area.right - scale->area.left;
    LONG height = scale->area.bottom - scale->area.top;
    if (width <= 0 || height <= 0)
        return false;
    if ((width > height && mm.cx < mm.cy) || (width < height && mm.cx > mm.cy)) {
        LONG turned = mm.cx;
        mm.cx = mm.cy;
        mm.cy = turned;
    }
    return SetPitch(scale, (double)mm.cx / width, (double)mm.cy / height);
}

// The raw DPI is that of the monitor's own pixels, not the scale setting. shcore.dll is
// loaded only here, from the system folder, so that HOOK.dll imports no more than the DLLs
// every Windows has.
void MeasureFromRawDpi(HMONITOR monitor, MonitorScale *scale)
{
    scale->mmPerPixelX = scale->mmPerPixelY = MM_PER_INCH / DEFAULT_DPI;
    HMODULE shcore = LoadLibraryExA("shcore.dll", NULL, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!shcore)
        return;
    GetDpiForMonitorProc getDpi =
        (GetDpiForMonitorProc)(void *)GetProcAddress(shcore, "GetDpiForMonitor");
    UINT dpiX = 0, dpiY = 0;
    if (getDpi && SUCCEEDED(getDpi(monitor, MDT_RAW_DPI, &dpiX, &dpiY)) && dpiX && dpiY)
        SetPitch(scale, MM_PER_INCH / dpiX, MM_PER_INCH / dpiY);
    FreeLibrary(shcore);
}

// The whole screen as one monitor, for when the monitors cannot be listed.
void MeasureWholeScreen(MonitorScale *scale)
{
    scale->area.left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    scale->area.top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    scale->area.right = scale->area.left + GetSystemMetrics(SM_CXVIRTUALSCREEN);
    scale->area.bottom = scale->area.top + GetSystemMetrics(SM_CYVIRTUALSCREEN);
    POINT origin = {0, 0};
    MeasureFromRawDpi(MonitorFromPoint(origin, MONITOR_DEFAULTTOPRIMARY), scale);
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
    scale->area = info.rcMonitor;
    if (!MeasureFromEdid(info.szDevice, scale))
        MeasureFromRawDpi(monitor, scale);
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
