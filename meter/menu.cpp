// The popup menu, built afresh at every opening, and the About box.
#include "menu.h"
#include "meter_frame.h"
#include "../res/resource.h"
#include "../text/language.h"
#include "../text/text.h"
#include "../ui/dark_mode.h"

void ShowPopupMenu(HWND window, const MenuChecks &checks)
{
    HMENU menu = CreatePopupMenu();
    if (!menu)
        return;
    BuildTrayMenu(window, menu, checks);
    POINT cursor = {0, 0};
    GetCursorPos(&cursor);
    // A menu opened from the tray closes on Escape or a click elsewhere only while its
    // owner is the foreground window; the meter stays hidden if it was. The posted
    // message lets the menu's loop end cleanly before the next input arrives.
    SetForegroundWindow(window);
    // TPM_RIGHTBUTTON alone: top left corner at the cursor, either button chooses. The
    // choice arrives as WM_COMMAND.
    TrackPopupMenu(menu, TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, window, nullptr);
    PostMessageA(window, WM_NULL, 0, 0);
    DestroyMenu(menu);
}

// The menu copies the text, so one slot serves every item.
static void AppendTextItem(HMENU menu, UINT flags, UINT command, UINT textId)
{
    AppendMenuA(menu, flags, command, LoadText(SLOT_GENERAL, textId));
}

static void AppendSeparator(HMENU menu)
{
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
}

void BuildTrayMenu(HWND window, HMENU menu, const MenuChecks &checks)
{
    bool shown = IsWindowVisible(window) && !IsIconic(window);
    AppendTextItem(menu, MF_STRING, shown ? IDM_HIDE : IDM_SHOW,
                   shown ? IDS_MENU_HIDE : IDS_MENU_SHOW);
    AppendTextItem(menu, MF_STRING, IDM_CLEAR_DATA, IDS_MENU_CLEAR);
    AppendTextItem(menu, MF_STRING, IDM_RECOUNT, IDS_MENU_RECOUNT);
    AppendSeparator(menu);
    AppendTextItem(menu, MF_STRING, IDM_VIEW_HISTORY, IDS_MENU_HISTORY);
    AppendTextItem(menu, MF_STRING, IDM_VIEW_CHARTS, IDS_MENU_CHARTS);
    AppendTextItem(menu, MF_STRING, IDM_VIEW_KEYBOARD, IDS_MENU_KEYBOARD);
    AppendTextItem(menu, MF_STRING, IDM_EXPORT_CSV, IDS_MENU_EXPORT_CSV);
    AppendSeparator(menu);
    AppendTextItem(menu, MF_STRING, IDM_EXPORT_HISTORY, IDS_MENU_EXPORT_HISTORY);
    AppendTextItem(menu, MF_STRING, IDM_IMPORT_HISTORY, IDS_MENU_IMPORT);
    AppendTextItem(menu, MF_STRING, IDM_ADD_HISTORY, IDS_MENU_ADD_HISTORY);
    AppendTextItem(menu, MF_STRING, IDM_COMPUTERS, IDS_MENU_COMPUTERS);
    AppendTextItem(menu, MF_STRING, IDM_OPEN_BACKUPS, IDS_MENU_OPEN_BACKUPS);
    AppendTextItem(menu, checks.syncFolder ? MF_STRING | MF_CHECKED : MF_STRING, IDM_SYNC_FOLDER,
                   IDS_MENU_SYNC_FOLDER);
    AppendTextItem(menu, checks.allComputers ? MF_STRING | MF_CHECKED : MF_STRING,
                   IDM_SHOW_ALL_COMPUTERS, IDS_MENU_SHOW_ALL_COMPUTERS);
    AppendSeparator(menu);
    AppendTextItem(menu, checks.autostart ? MF_STRING | MF_CHECKED : MF_STRING,
                   IDM_AUTOSTART, IDS_MENU_AUTOSTART);
    AppendTextItem(menu, checks.countEachKey ? MF_STRING | MF_CHECKED : MF_STRING, IDM_COUNT_EACH_KEY,
                   IDS_MENU_COUNT_EACH_KEY);
    AppendSeparator(menu);
    AppendTextItem(menu, MF_STRING, IDM_ABOUT, IDS_MENU_ABOUT);
    AppendSeparator(menu);
    AppendTextItem(menu, MF_STRING, IDM_EXIT, IDS_MENU_EXIT);
}

// No owner: the meter and the tray icon stay usable while the box is open. The result
// is of no interest. The template is taken in the program's language: DialogBoxParam
// would leave the choice to the loader, which goes by the display language alone.
void ShowAboutBox()
{
    const void *about =
        ProgramResource(MeterInstance, RT_DIALOG, MAKEINTRESOURCEA(IDD_ABOUT), nullptr);
    if (about)
        DialogBoxIndirectParamA(MeterInstance, (LPCDLGTEMPLATEA)about, nullptr,
                                AboutDialogProc, 0);
}

static void OnAboutCommand(HWND dialog, WPARAM wParam)
{
    // The whole wParam: OK and Enter give IDOK, Esc and the close button IDCANCEL.
    if (wParam == IDOK)
        EndDialog(dialog, 1);
    else if (wParam == IDCANCEL)
        EndDialog(dialog, 0);
}

// Answers 0 to everything else, WM_INITDIALOG included; the dialog manager does the rest.
INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        FollowAppMode(dialog);
        return 0;
    case WM_SETTINGCHANGE:
        if (IsAppModeChange(lParam))
            FollowAppMode(dialog);
        return 0;
    case WM_CTLCOLORDLG:  // a brush, or 0 for the dialog manager's own in light
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        return (INT_PTR)DarkControlColour(message, (HDC)wParam);
    case WM_COMMAND:
        OnAboutCommand(dialog, wParam);
        return 0;
    default:
        return 0;
    }
}
