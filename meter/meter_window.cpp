// The meter window: its class, its creation, and the handlers of its own messages; the
// window procedure that routes every message of the program is the program's
// (app/meter_procedure.cpp).
#include "meter_window.h"
#include "meter_font.h"
#include "meter_layout.h"
#include "meter_paint.h"
#include "meter_timer.h"
#include "tray_icon.h"
#include "../hook/hook.h"
#include "../res/resource.h"
#include "../text/text.h"
#include "../ui/dark_mode.h"
#include "../ui/dpi.h"
#include "../ui/icons.h"
#include "../ui/on_screen.h"
#include "../ui/window_class.h"

void RegisterMeterClass(HINSTANCE instance, WNDPROC procedure)
{
    // Redrawn whole on every size change: each line is cut at the client's right edge.
    WindowClassLook look = {CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS, MeterBackgroundBrush(), true};
    RegisterWindowClass(instance, METER_CLASS, procedure, look);
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

void OnMeterCreate(HWND window)
{
    RemoveSystemMenuCommands(window);
    SetMeterFont(window, WindowDpi(window));
    SetWindowIcons(window, WindowDpi(window));
}

// Moved to a monitor of another DPI: a font and icons for that DPI, and the size that
// Windows suggests for it, which may be smaller; a meter in view is laid out in the new font
// at once. The change may be the scaling of the taskbar's monitor, which the tray icon follows.
void OnMeterDpiChanged(HWND window, WPARAM dpis, const RECT *suggested)
{
    HFONT oldFont = MeterFont;
    SetMeterFont(window, HIWORD(dpis));
    if (oldFont)
        DeleteObject(oldFont);
    SetWindowIcons(window, HIWORD(dpis));
    FitTrayIconToTaskbar();
    TakeSuggestedRect(window, suggested);
    if (MeterCanBeSeen(window))
        LayOutMeter(window);
}

void OnMeterPaint(HWND window)
{
    PAINTSTRUCT paint;
    HDC paintDc = BeginPaint(window, &paint);
    if (paintDc)
        PaintMeter(paintDc, window);
    EndPaint(window, &paint);
}

void OnMeterClose(HWND window)
{
    ShowWindow(window, SW_HIDE);
}

void OnMeterDisplayChange(HWND window)
{
    DetectScreenValues();  // HOOK.dll measures the new screens first
    KeepWindowOnScreen(window);
    FitTrayIconToTaskbar();
}

// A work area that changed may be a taskbar moved to a monitor of another DPI.
void OnMeterSettingChange(HWND window, WPARAM setting, LPARAM area)
{
    OnScreenSettingChange(window, setting);
    FitTrayIconToTaskbar();
    if (IsAppModeChange(area))
        FollowAppMode(window);  // the frame only: the face keeps the program's colours
}
