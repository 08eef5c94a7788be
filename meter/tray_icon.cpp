// The notification-area icon: put in with the meter window, put back whenever the shell
// makes a new taskbar, retried on a timer while the shell refuses it, and removed by the
// exit sequence. It is drawn for the DPI of the taskbar's monitor, and at a first start it
// carries the one notification that says where the program is.
//
// Everything here runs on the program's one thread: in MeterWindowProc, and in the retry
// timer's callback, which DispatchMessage calls from the message loop or a modal loop.
#include "tray_icon.h"
#include "meter_frame.h"
#include "../res/resource.h"
#include "../text/text.h"
#include "../ui/dpi.h"
#include "../ui/icons.h"

#include <shellapi.h>
#include <string.h>

// At logon the shell may not be ready yet: a try every 3 s for two minutes, then one every
// 30 s for as long as the program runs. The meter is hidden and the icon is the user's only
// handle on it, and a shell that never announces its taskbar would otherwise leave the
// program unreachable; a try costs one call to the shell.
static const UINT TRAY_RETRY_FAST_MS = 3000;
static const int TRAY_RETRY_FAST_TRIES = 40;
static const UINT TRAY_RETRY_SLOW_MS = 30000;

static UINT TaskbarCreatedMessage;  // registered by ShowTrayIcon; 0 until then
static bool TrayIconWanted;         // from ShowTrayIcon until RemoveTrayIcon
static int TrayRetryCount;          // failed tries since the last start of the retry timer
static UINT TrayIconDpi;            // the DPI of the icon the shell holds; 0 while it holds none
static bool FirstStartNoticeDue;    // from AnnounceFirstStart until the shell has taken it

// The fields that name our icon to the shell; everything else is zero.
static void PrepareTrayData(NOTIFYICONDATAA *data)
{
    ZeroMemory(data, sizeof *data);
    data->cbSize = sizeof *data;
    data->hWnd = MeterWindow;
    data->uID = TRAY_ICON_ID;
}

void CopyTrayTip(char *tip, size_t size, const char *text)
{
    // A cut never splits a double-byte character of the ANSI code page: the shell would
    // show its lead byte as a stray character.
    if (size == 0)
        return;
    size_t length = 0;
    while (text[length]) {
        size_t step = IsDBCSLeadByte((BYTE)text[length]) && text[length + 1] ? 2 : 1;
        if (length + step >= size)
            break;
        length += step;
    }
    memcpy(tip, text, length);
    tip[length] = '\0';
}

// The notification area sits on the primary taskbar; with no taskbar yet, on the primary
// monitor, where it will come. A per-monitor aware program must ask the monitor: the plain
// system metrics keep the DPI the user signed in with.
static UINT TaskbarDpi()
{
    HWND taskbar = FindWindowA("Shell_TrayWnd", nullptr);
    HMONITOR monitor = taskbar ? MonitorFromWindow(taskbar, MONITOR_DEFAULTTOPRIMARY)
                               : MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    return MonitorDpi(monitor);
}

// A notification goes to an icon that the shell holds, as an NIM_MODIFY of its own. Not
// NIIF_RESPECT_QUIET_TIME: Windows drops, rather than delays, what comes in a new account's
// first hour, and this one is never sent again. One the shell refuses waits for the next
// time the icon is sent.
static void SendFirstStartNotice()
{
    NOTIFYICONDATAA data;
    PrepareTrayData(&data);
    data.uFlags = NIF_INFO;
    data.dwInfoFlags = NIIF_INFO;
    CopyTrayTip(data.szInfoTitle, sizeof data.szInfoTitle,
                LoadText(SLOT_GENERAL, IDS_FIRST_START_TITLE));
    CopyTrayTip(data.szInfo, sizeof data.szInfo, LoadText(SLOT_GENERAL, IDS_FIRST_START_TEXT));
    if (Shell_NotifyIconA(NIM_MODIFY, &data))
        FirstStartNoticeDue = false;
}

// NIM_ADD or NIM_MODIFY with the icon, the tip and the callback; then, while it is due, the
// first start's notification. The shell makes its own copy of the icon.
static bool SendTrayIcon(DWORD shellMessage)
{
    UINT dpi = TaskbarDpi();
    HICON icon = ProgramIcon(SmallIconSize(dpi));
    if (!icon)
        return false;
    NOTIFYICONDATAA data;
    PrepareTrayData(&data);
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = MSG_TRAY_NOTIFY;
    data.hIcon = icon;
    CopyTrayTip(data.szTip, sizeof data.szTip, LoadText(SLOT_GENERAL, IDS_APP_TITLE));
    if (!Shell_NotifyIconA(shellMessage, &data))
        return false;
    TrayIconDpi = dpi;
    if (FirstStartNoticeDue)
        SendFirstStartNotice();
    return true;
}

// A shell that still holds the icon refuses NIM_ADD; it is in, so that counts as success.
// (A busy shell may also time out on an add that it then carries out.)
static bool PutTrayIcon()
{
    return SendTrayIcon(NIM_ADD) || SendTrayIcon(NIM_MODIFY);
}

static void CALLBACK RetryTrayIcon(HWND window, UINT, UINT_PTR, DWORD)
{
    if (PutTrayIcon()) {
        KillTimer(window, TRAY_RETRY_TIMER_ID);
        return;
    }
    if (++TrayRetryCount == TRAY_RETRY_FAST_TRIES)
        SetTimer(window, TRAY_RETRY_TIMER_ID, TRAY_RETRY_SLOW_MS, RetryTrayIcon);
}

// Puts the icon in, or starts the retries afresh when the shell refuses it.
static void PutTrayIconOrRetry()
{
    KillTimer(MeterWindow, TRAY_RETRY_TIMER_ID);
    TrayRetryCount = 0;
    TrayIconDpi = 0;
    if (!PutTrayIcon())
        SetTimer(MeterWindow, TRAY_RETRY_TIMER_ID, TRAY_RETRY_FAST_MS, RetryTrayIcon);
}

void AnnounceFirstStart()
{
    FirstStartNoticeDue = true;
}

void ShowTrayIcon()
{
    if (!TaskbarCreatedMessage)
        TaskbarCreatedMessage = RegisterWindowMessageA("TaskbarCreated");
    // Elevated, the program hears the shell, which runs at a lower integrity level, only
    // in the messages it lets in; where that is refused there is nothing else to try.
    if (TaskbarCreatedMessage)
        ChangeWindowMessageFilterEx(MeterWindow, TaskbarCreatedMessage, MSGFLT_ALLOW, nullptr);
    TrayIconWanted = true;
    PutTrayIconOrRetry();
}

bool IsTaskbarCreated(UINT message)
{
    // A failed registration leaves 0, which is WM_NULL and must not match.
    return TaskbarCreatedMessage != 0 && message == TaskbarCreatedMessage;
}

void OnTaskbarCreated()
{
    // The new taskbar has none of the old one's icons.
    if (TrayIconWanted)
        PutTrayIconOrRetry();
}

void FitTrayIconToTaskbar()
{
    // An icon still to come takes the taskbar's DPI as it goes in.
    if (TrayIconDpi != 0 && TaskbarDpi() != TrayIconDpi)
        SendTrayIcon(NIM_MODIFY);
}

bool RemoveTrayIcon()
{
    TrayIconWanted = false;
    TrayIconDpi = 0;
    KillTimer(MeterWindow, TRAY_RETRY_TIMER_ID);
    NOTIFYICONDATAA data;
    PrepareTrayData(&data);
    return Shell_NotifyIconA(NIM_DELETE, &data) != FALSE;
}

void OnTrayNotify(HWND window, LPARAM mouseMessage)
{
    switch (mouseMessage) {
    case WM_LBUTTONDOWN:
        ToggleMeterWindow();
        return;
    case WM_RBUTTONUP:
        SendMessageA(window, MSG_SHOW_MENU, 0, 0);
        return;
    default:  // releases, presses of the other button and double clicks do nothing
        return;
    }
}
