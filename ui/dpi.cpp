// The per-monitor DPI functions of user32 and shcore, looked up once at their first use,
// so that the program still starts on a Windows that lacks them.
#include "dpi.h"

#include <shellscalingapi.h>

typedef UINT(WINAPI *GetDpiForWindowFunction)(HWND);
typedef UINT(WINAPI *GetDpiForSystemFunction)(void);
typedef BOOL(WINAPI *SystemParametersInfoForDpiFunction)(UINT, UINT, PVOID, UINT, UINT);
typedef int(WINAPI *GetSystemMetricsForDpiFunction)(int, UINT);
typedef HRESULT(WINAPI *GetDpiForMonitorFunction)(HMONITOR, MONITOR_DPI_TYPE, UINT *, UINT *);

struct DpiFunctions {
    GetDpiForWindowFunction getDpiForWindow;
    GetDpiForSystemFunction getDpiForSystem;
    SystemParametersInfoForDpiFunction systemParametersInfoForDpi;
    GetSystemMetricsForDpiFunction getSystemMetricsForDpi;
    GetDpiForMonitorFunction getDpiForMonitor;
};

// Only ever read after the first call, which runs on the user-interface thread like every
// caller of this module.
static const DpiFunctions &Functions()
{
    static DpiFunctions functions;
    static bool loaded;
    if (!loaded) {
        HMODULE user32 = GetModuleHandleA("user32.dll");
        if (user32) {
            functions.getDpiForWindow =
                (GetDpiForWindowFunction)(void *)GetProcAddress(user32, "GetDpiForWindow");
            functions.getDpiForSystem =
                (GetDpiForSystemFunction)(void *)GetProcAddress(user32, "GetDpiForSystem");
            functions.systemParametersInfoForDpi =
                (SystemParametersInfoForDpiFunction)(void *)GetProcAddress(
                    user32, "SystemParametersInfoForDpi");
            functions.getSystemMetricsForDpi = (GetSystemMetricsForDpiFunction)(void *)
                GetProcAddress(user32, "GetSystemMetricsForDpi");
        }
        // Loaded for the process's life: not among the DLLs every program has mapped.
        HMODULE shcore = LoadLibraryExA("shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        if (shcore)
            functions.getDpiForMonitor =
                (GetDpiForMonitorFunction)(void *)GetProcAddress(shcore, "GetDpiForMonitor");
        loaded = true;
    }
    return functions;
}

int Scale(int value, UINT dpi)
{
    return MulDiv(value, (int)dpi, (int)BASE_DPI);
}

// A zero answer (no such window) is taken as 96 too, so a size is never scaled to nothing.
static UINT DpiOrBase(UINT dpi)
{
    return dpi ? dpi : BASE_DPI;
}

UINT WindowDpi(HWND window)
{
    GetDpiForWindowFunction getDpiForWindow = Functions().getDpiForWindow;
    return DpiOrBase(getDpiForWindow ? getDpiForWindow(window) : BASE_DPI);
}

UINT SystemDpi()
{
    GetDpiForSystemFunction getDpiForSystem = Functions().getDpiForSystem;
    return DpiOrBase(getDpiForSystem ? getDpiForSystem() : BASE_DPI);
}

int SystemMetricForDpi(int index, UINT dpi)
{
    GetSystemMetricsForDpiFunction forDpi = Functions().getSystemMetricsForDpi;
    return forDpi ? forDpi(index, dpi) : GetSystemMetrics(index);
}

UINT MonitorDpi(HMONITOR monitor)
{
    GetDpiForMonitorFunction getDpiForMonitor = Functions().getDpiForMonitor;
    UINT x = 0, y = 0;
    if (getDpiForMonitor && SUCCEEDED(getDpiForMonitor(monitor, MDT_EFFECTIVE_DPI, &x, &y)))
        return DpiOrBase(x);
    return SystemDpi();
}

bool IconTitleFontForDpi(UINT dpi, LOGFONTW *font)
{
    SystemParametersInfoForDpiFunction forDpi = Functions().systemParametersInfoForDpi;
    return forDpi && forDpi(SPI_GETICONTITLELOGFONT, sizeof *font, font, 0, dpi);
}

void TakeSuggestedRect(HWND window, const RECT *suggested)
{
    SetWindowPos(window, nullptr, suggested->left, suggested->top,
                 suggested->right - suggested->left, suggested->bottom - suggested->top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}
