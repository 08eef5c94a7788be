// The meter window: its class, its creation, the show/hide toggle and the window
// procedure that every message of the program passes through.
#include "meter_window.h"
#include "dpi.h"
#include "menu.h"
#include "meter_paint.h"
#include "meter_timer.h"
#include "on_screen.h"
#include "tray_icon.h"
#include "../app/clock.h"
#include "../app/counters.h"
#include "../app/key_counts.h"
#include "../app/period.h"
#include "../app/power.h"
#include "../history/history_list.h"
#include "../history/history_window.h"
#include "../hook/hook.h"
#include "../res/resource.h"
#include "../text/text.h"

HWND MeterWindow;
HFONT MeterFont;
UINT MeterDpi = BASE_DPI;
HINSTANCE MeterInstance;

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

void RegisterMeterClass(HINSTANCE instance)
{
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    // Redrawn whole on every size change, because painting grows the window.
    windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    windowClass.lpfnWndProc = MeterWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_MAIN));
    windowClass.hIconSm = LoadIconA(instance, MAKEINTRESOURCEA(IDI_MAIN));
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = CreateSolidBrush(METER_BACKGROUND);
    windowClass.lpszClassName = METER_CLASS;
    RegisterClassExA(&windowClass);  // a failure shows as a window that cannot be created
}

bool CreateMeterWindow(HINSTANCE instance)
{
    MeterInstance = instance;
    MeterRect rect = DefaultMeterRect();
    const char *title = LoadText(SLOT_GENERAL, IDS_APP_TITLE);
    MeterWindow = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, METER_CLASS, title,
                                  WS_POPUP | WS_CAPTION | WS_SYSMENU, rect.left, rect.top,
                                  rect.width, rect.height, nullptr, nullptr, instance, nullptr);
    if (!MeterWindow)
        return false;
    // A second start that is not elevated while this one is reaches it with this message
    // alone; nothing else from a lower integrity level is let in.
    ChangeWindowMessageFilterEx(MeterWindow, MSG_SHOW_METER, MSGFLT_ALLOW, nullptr);
    // A shell that is not ready yet does not end the program: the icon comes later.
    ShowTrayIcon();
    StartMeterTimer(MeterWindow);
    UpdateWindow(MeterWindow);
    // Only the low byte of the library's answer counts. A failure ends the message loop at
    // once with -1; the icon goes first, so that no dead icon stays in the tray, and the
    // window is left to the end of the process.
    if ((BYTE)DllInit(MeterWindow) == 0) {
        RemoveTrayIcon();
        PostQuitMessage(-1);
    }
    return true;
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
}

// Only Move and Close stay: the meter sizes itself and is never minimised or maximised.
static void RemoveSystemMenuCommands(HWND window)
{
    static const UINT commands[] = {SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE, 0};
    HMENU systemMenu = GetSystemMenu(window, FALSE);
    for (const UINT *command = commands; *command; ++command)
        RemoveMenu(systemMenu, *command, MF_BYCOMMAND);
}

// The icon-title font at `dpi`. Where the system cannot give it for a DPI, the icon-title
// font of the system DPI; when that cannot be read or made, a copy of the GUI font, so that
// MeterFont is always a font of our own that the exit sequence may delete.
static HFONT CreateMeterFont(UINT dpi)
{
    LOGFONTW fontForDpi;
    if (IconTitleFontForDpi(dpi, &fontForDpi)) {
        HFONT iconTitleFont = CreateFontIndirectW(&fontForDpi);
        if (iconTitleFont)
            return iconTitleFont;
    }
    LOGFONTA font;
    if (SystemParametersInfoA(SPI_GETICONTITLELOGFONT, sizeof font, &font, 0)) {
        HFONT iconTitleFont = CreateFontIndirectA(&font);
        if (iconTitleFont)
            return iconTitleFont;
    }
    if (GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font) != sizeof font)
        return nullptr;
    return CreateFontIndirectA(&font);
}

static void SetMeterFont(HWND window, UINT dpi)
{
    MeterDpi = dpi;
    MeterFont = CreateMeterFont(dpi);
    SendMessageA(window, WM_SETFONT, (WPARAM)MeterFont, 0);
}

static void OnMeterCreate(HWND window)
{
    RemoveSystemMenuCommands(window);
    SetMeterFont(window, WindowDpi(window));
}

// Moved to a monitor of another DPI: a font and a layout for that DPI, and the size that
// Windows suggests for it, which may be smaller; the next paint grows it to fit again.
static void OnMeterDpiChanged(HWND window, WPARAM dpis, const RECT *suggested)
{
    HFONT oldFont = MeterFont;
    SetMeterFont(window, HIWORD(dpis));
    if (oldFont)
        DeleteObject(oldFont);
    TakeSuggestedRect(window, suggested);
    // The timer repaints only changed figures: the new font must show even where the
    // window keeps its size.
    InvalidateRect(window, nullptr, TRUE);
}

// While a paint's BeginPaint runs, the erase that it sends is followed at once by that
// paint itself; anywhere else the erase handler paints the meter. Meter thread only.
static bool InsideBeginPaint;

static void OnMeterPaint(HWND window)
{
    PAINTSTRUCT paint;
    InsideBeginPaint = true;
    HDC paintDc = BeginPaint(window, &paint);
    InsideBeginPaint = false;
    if (paintDc)
        PaintMeter(paintDc, window);
    EndPaint(window, &paint);
}

// The class brush never erases: the paint covers every pixel.
static void OnMeterErase(HWND window)
{
    if (!InsideBeginPaint)
        SendMessageA(window, WM_PAINT, 0, 0);
}

static void OnMeterClose(HWND window)
{
    ShowWindow(window, SW_HIDE);
}

static void OnMeterDisplayChange(HWND window)
{
    DetectScreenValues();  // HOOK.dll measures the new screens first
    KeepWindowOnScreen(window);
}

LRESULT CALLBACK MeterWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (IsTaskbarCreated(message)) {  // registered at run time, so it cannot be a case
        OnTaskbarCreated();
        return 0;
    }
    switch (message) {
    case WM_CREATE:
        OnMeterCreate(window);
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_DESTROY:
        RunExitSequence();
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_PAINT:
        OnMeterPaint(window);
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_CLOSE:  // the meter is hidden, never destroyed
        OnMeterClose(window);
        return 0;
    case WM_QUERYENDSESSION:  // nothing is saved until the session really ends
        return 1;
    case WM_ERASEBKGND:
        OnMeterErase(window);
        return 0;
    case WM_ENDSESSION:
        if (wParam)
            RunExitSequence();
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_DPICHANGED:
        OnMeterDpiChanged(window, wParam, (const RECT *)lParam);
        return 0;
    case WM_WINDOWPOSCHANGED:  // shown, hidden, minimised or restored, by any means
        PaceMeterTimer(window);
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_POWERBROADCAST:  // TRUE grants a suspend request on the systems that ask
        OnPowerBroadcast(wParam);
        return TRUE;
    case WM_TIMECHANGE:  // the next timer tick reads the date afresh
        ClockTimeChanged();
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_DISPLAYCHANGE:
        OnMeterDisplayChange(window);
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_SETTINGCHANGE:
        OnScreenSettingChange(window, wParam);
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_COMMAND:
        if (RunMeterCommand(window, LOWORD(wParam)))
            return 0;
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_TIMER:
        OnMeterTimer(window, wParam);
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_LBUTTONDBLCLK:
        ShowHistoryWindow(&StoredHistory, IDS_HISTORY_TITLE);
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_RBUTTONDOWN:  // posted, so that the press is finished before the menu tracks
        PostMessageA(window, MSG_SHOW_MENU, 0, 0);
        return DefWindowProcA(window, message, wParam, lParam);
    case MSG_SHOW_MENU:
        ShowPopupMenu(window);
        return DefWindowProcA(window, message, wParam, lParam);
    case MSG_TRAY_NOTIFY:
        OnTrayNotify(window, lParam);
        return DefWindowProcA(window, message, wParam, lParam);
    case MSG_SHOW_METER:  // a second start: shown, never toggled away
        ShowMeterWindow();
        return 0;
    case MSG_KEY_PRESS:
        OnKeyPress();
        CountKeyOfPress(wParam);
        return DefWindowProcA(window, message, wParam, lParam);
    case MSG_MOUSE_DISTANCE:
        OnMouseDistance(lParam);
        return DefWindowProcA(window, message, wParam, lParam);
    case MSG_CLICK_LEFT:
        OnClickLeft();
        return DefWindowProcA(window, message, wParam, lParam);
    case MSG_CLICK_MIDDLE:
        OnClickMiddle();
        return DefWindowProcA(window, message, wParam, lParam);
    case MSG_CLICK_RIGHT:
        OnClickRight();
        return DefWindowProcA(window, message, wParam, lParam);
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}
