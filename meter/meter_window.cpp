// The meter window: its class, its creation, and the window procedure that every message
// of the program passes through.
#include "meter_window.h"
#include "dpi.h"
#include "menu.h"
#include "meter_font.h"
#include "meter_layout.h"
#include "meter_paint.h"
#include "meter_timer.h"
#include "on_screen.h"
#include "tray_icon.h"
#include "../app/clock.h"
#include "../app/figures.h"
#include "../app/power.h"
#include "../app/program.h"
#include "../history/history_window.h"
#include "../hook/hook.h"
#include "../res/resource.h"
#include "../text/text.h"

void RegisterMeterClass(HINSTANCE instance)
{
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    // Redrawn whole on every size change: each line is cut at the client's right edge.
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
    if (!CreateMeterFrame(instance))
        return false;
    SetMessageOwner(MeterWindow);
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

// A running instance may still be on its way to its window (two starts in a row): it is
// looked for a little while, then given up, since it may as well be ending.
static const int RUNNING_METER_TRIES = 20;
static const DWORD RUNNING_METER_WAIT_MS = 100;

static HWND FindRunningMeter()
{
    for (int tries = 1;; ++tries) {
        HWND meter = FindWindowA(METER_CLASS, nullptr);
        if (meter || tries == RUNNING_METER_TRIES)
            return meter;
        Sleep(RUNNING_METER_WAIT_MS);
    }
}

// The running instance may take the foreground only with the leave of this process, which
// was started by the user.
void ShowRunningMeter()
{
    HWND meter = FindRunningMeter();
    if (!meter)
        return;
    DWORD owner = 0;
    GetWindowThreadProcessId(meter, &owner);
    AllowSetForegroundWindow(owner);
    PostMessageA(meter, MSG_SHOW_METER, 0, 0);
}

// Only Move and Close stay: the meter sizes itself and is never minimised or maximised.
static void RemoveSystemMenuCommands(HWND window)
{
    static const UINT commands[] = {SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE, 0};
    HMENU systemMenu = GetSystemMenu(window, FALSE);
    for (const UINT *command = commands; *command; ++command)
        RemoveMenu(systemMenu, *command, MF_BYCOMMAND);
}

static void OnMeterCreate(HWND window)
{
    RemoveSystemMenuCommands(window);
    SetMeterFont(window, WindowDpi(window));
}

// Moved to a monitor of another DPI: a font for that DPI, and the size that Windows
// suggests for it, which may be smaller; a meter in view is laid out in the new font at once.
static void OnMeterDpiChanged(HWND window, WPARAM dpis, const RECT *suggested)
{
    HFONT oldFont = MeterFont;
    SetMeterFont(window, HIWORD(dpis));
    if (oldFont)
        DeleteObject(oldFont);
    TakeSuggestedRect(window, suggested);
    if (MeterCanBeSeen(window))
        LayOutMeter(window);
}

static void OnMeterPaint(HWND window)
{
    PAINTSTRUCT paint;
    HDC paintDc = BeginPaint(window, &paint);
    if (paintDc)
        PaintMeter(paintDc, window);
    EndPaint(window, &paint);
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
        break;
    case WM_DESTROY:
        RunExitSequence();
        break;
    case WM_PAINT:
        OnMeterPaint(window);
        return 0;
    case WM_CLOSE:  // the meter is hidden, never destroyed
        OnMeterClose(window);
        return 0;
    case WM_QUERYENDSESSION:  // nothing is saved until the session really ends
        return 1;
    case WM_ERASEBKGND:  // erased by nothing: the paint covers every pixel
        return 1;
    case WM_ENDSESSION:
        if (wParam)
            RunExitSequence();
        break;
    case WM_DPICHANGED:
        OnMeterDpiChanged(window, wParam, (const RECT *)lParam);
        return 0;
    case WM_WINDOWPOSCHANGED:  // shown, hidden, minimised or restored, by any means
        OnMeterPlaced(window);
        break;
    case WM_POWERBROADCAST:  // TRUE grants a suspend request on the systems that ask
        OnPowerBroadcast(wParam);
        return TRUE;
    case WM_TIMECHANGE:  // the next timer tick reads the date afresh
        ClockTimeChanged();
        break;
    case WM_DISPLAYCHANGE:
        OnMeterDisplayChange(window);
        break;
    case WM_SETTINGCHANGE:
        OnScreenSettingChange(window, wParam);
        break;
    case WM_COMMAND:
        if (RunMeterCommand(window, LOWORD(wParam)))
            return 0;
        break;
    case WM_TIMER:
        OnMeterTimer(window, wParam);
        break;
    case WM_LBUTTONDBLCLK:
        ShowHistoryWindow(&StoredHistory, IDS_HISTORY_TITLE);
        break;
    case WM_RBUTTONDOWN:  // posted, so that the press is finished before the menu tracks
        PostMessageA(window, MSG_SHOW_MENU, 0, 0);
        break;
    case MSG_SHOW_MENU:
        ShowPopupMenu(window);
        break;
    case MSG_TRAY_NOTIFY:
        OnTrayNotify(window, lParam);
        break;
    case MSG_SHOW_METER:  // a second start: shown, never toggled away
        ShowMeterWindow();
        return 0;
    case MSG_KEY_PRESS:
        OnKeyPress(wParam);
        ShowCountSoon(window);
        break;
    case MSG_MOUSE_DISTANCE:
        OnMouseDistance(lParam);
        ShowCountSoon(window);
        break;
    case MSG_CLICK_LEFT:
        OnClickLeft();
        ShowCountSoon(window);
        break;
    case MSG_CLICK_MIDDLE:
        OnClickMiddle();
        ShowCountSoon(window);
        break;
    case MSG_CLICK_RIGHT:
        OnClickRight();
        ShowCountSoon(window);
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
