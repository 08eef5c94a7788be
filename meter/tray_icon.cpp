// The notification-area icon: added once with the meter window, removed by the exit
// sequence, never modified.
#include "tray_icon.h"
#include "meter_window.h"
#include "../res/resource.h"
#include "../text/text.h"

#include <shellapi.h>
#include <string.h>

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

bool AddTrayIcon()
{
    HICON icon = (HICON)LoadImageA(MeterInstance, MAKEINTRESOURCEA(IDI_MAIN), IMAGE_ICON,
                                   GetSystemMetrics(SM_CXSMICON),
                                   GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR);
    if (!icon)
        return false;
    NOTIFYICONDATAA data;
    PrepareTrayData(&data);
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = MSG_TRAY_NOTIFY;
    data.hIcon = icon;
    CopyTrayTip(data.szTip, sizeof data.szTip, LoadText(SLOT_GENERAL, IDS_APP_TITLE));
    return Shell_NotifyIconA(NIM_ADD, &data) != FALSE;
}

bool RemoveTrayIcon()
{
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
