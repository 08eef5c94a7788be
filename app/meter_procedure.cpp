// The meter's window procedure: a table of the messages the program answers, each handed
// to the module that owns it. Runs on the program's one thread.
#include "meter_procedure.h"
#include "commands.h"
#include "program.h"
#include "../core/clock.h"
#include "../core/figures.h"
#include "../core/power.h"
#include "../core/sync_folder.h"
#include "../history/history_view.h"
#include "../hook/hook.h"
#include "../meter/menu.h"
#include "../meter/meter_timer.h"
#include "../meter/meter_window.h"
#include "../meter/tray_icon.h"
#include "../res/resource.h"

// The five hook messages: one count each, then the meter shows it soon.
static void OnHookMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case MSG_KEY_PRESS:
        OnKeyPress(wParam);
        break;
    case MSG_MOUSE_DISTANCE:
        OnMouseDistance(lParam);
        break;
    case MSG_CLICK_LEFT:
        OnClickLeft();
        break;
    case MSG_CLICK_MIDDLE:
        OnClickMiddle();
        break;
    default:
        OnClickRight();
        break;
    }
    ShowCountSoon(window);
}

// The program's checks come first, so that a new period has begun before the meter looks.
static void OnMeterTick(HWND window, WPARAM timerId)
{
    if (timerId == METER_TIMER_ID)
        RunTimerChecks(window);
    OnMeterTimer(window, timerId);
}

static void OnEndSession(WPARAM ending)
{
    if (ending)
        RunExitSequence();
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
        return 0;
    case WM_DESTROY:
        RunExitSequence();
        return 0;
    case WM_PAINT:
        OnMeterPaint(window);
        return 0;
    case WM_CLOSE:  // the meter is hidden, never destroyed
        OnMeterClose(window);
        return 0;
    case WM_QUERYENDSESSION:  // nothing is saved until the session really ends
    case WM_ERASEBKGND:       // erased by nothing: the paint covers every pixel
        return 1;
    case WM_ENDSESSION:
        OnEndSession(wParam);
        return 0;
    case WM_DPICHANGED:
        OnMeterDpiChanged(window, wParam, (const RECT *)lParam);
        return 0;
    case WM_WINDOWPOSCHANGED:  // shown or hidden by any means; the default sends WM_SIZE and WM_MOVE
        OnMeterPlaced(window);
        break;
    case WM_POWERBROADCAST:  // TRUE grants a suspend request on the systems that ask
        OnPowerBroadcast(wParam);
        return TRUE;
    case WM_TIMECHANGE:  // the next timer tick reads the date afresh
        ClockTimeChanged();
        return 0;
    case WM_DISPLAYCHANGE:
        OnMeterDisplayChange(window);
        return 0;
    case WM_SETTINGCHANGE:
        OnMeterSettingChange(window, wParam, lParam);
        return 0;
    case WM_COMMAND:
        if (RunMeterCommand(window, LOWORD(wParam)))
            return 0;
        break;  // IDM_RECOUNT and unknown ids: the default procedure, as the table says
    case WM_TIMER:
        OnMeterTick(window, wParam);
        return 0;
    case WM_LBUTTONDBLCLK:
        ShowHistoryView();
        return 0;
    case WM_RBUTTONDOWN:  // posted, so that the press is finished before the menu tracks
        PostMessageA(window, MSG_SHOW_MENU, 0, 0);
        return 0;
    case MSG_SHOW_MENU:
        ShowPopupMenu(window, CurrentMenuChecks());
        return 0;
    case MSG_TRAY_NOTIFY:
        OnTrayNotify(window, lParam);
        return 0;
    case MSG_SHOW_METER:  // a second start: shown, never toggled away
        ShowMeterWindow();
        return 0;
    case MSG_SYNC_NEWS:
        TakeSyncFolderNews();
        return 0;
    case MSG_KEY_PRESS:
    case MSG_MOUSE_DISTANCE:
    case MSG_CLICK_LEFT:
    case MSG_CLICK_MIDDLE:
    case MSG_CLICK_RIGHT:
        OnHookMessage(window, message, wParam, lParam);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
