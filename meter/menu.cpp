// The popup menu, built afresh at every opening, the command table behind it, and the
// About box.
#include "menu.h"
#include "count_each_key.h"
#include "keyboard_window.h"
#include "meter_frame.h"
#include "../app/autostart.h"
#include "../app/figures.h"
#include "../app/key_counts.h"
#include "../app/program.h"
#include "../history/chart_window.h"
#include "../history/csv_export.h"
#include "../history/history_window.h"
#include "../history/import_export.h"
#include "../res/resource.h"
#include "../text/language.h"
#include "../text/text.h"

void ShowPopupMenu(HWND window)
{
    HMENU menu = CreatePopupMenu();
    if (!menu)
        return;
    BuildTrayMenu(window, menu);
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

void BuildTrayMenu(HWND window, HMENU menu)
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
    AppendTextItem(menu, MF_STRING, IDM_OPEN_BACKUPS, IDS_MENU_OPEN_BACKUPS);
    AppendSeparator(menu);
    AppendTextItem(menu, IsAutostartEnabled() ? MF_STRING | MF_CHECKED : MF_STRING,
                   IDM_AUTOSTART, IDS_MENU_AUTOSTART);
    AppendTextItem(menu, CountEachKey ? MF_STRING | MF_CHECKED : MF_STRING, IDM_COUNT_EACH_KEY,
                   IDS_MENU_COUNT_EACH_KEY);
    AppendSeparator(menu);
    AppendTextItem(menu, MF_STRING, IDM_ABOUT, IDS_MENU_ABOUT);
    AppendSeparator(menu);
    AppendTextItem(menu, MF_STRING, IDM_EXIT, IDS_MENU_EXIT);
}

// The exit sequence runs when WM_DESTROY is taken from the queue, after every hook
// message posted before it.
static void PostExit()
{
    PostMessageA(MeterWindow, WM_DESTROY, 0, 0);
}

static void PostHide()
{
    PostMessageA(MeterWindow, WM_CLOSE, 0, 0);
}

// No owner: the meter and the tray icon stay usable while the box is open. The result
// is of no interest. The template is taken in the program's language: DialogBoxParam
// would leave the choice to the loader, which goes by the display language alone.
static void ShowAboutBox()
{
    const void *about =
        ProgramResource(MeterInstance, RT_DIALOG, MAKEINTRESOURCEA(IDD_ABOUT), nullptr);
    if (about)
        DialogBoxIndirectParamA(MeterInstance, (LPCDLGTEMPLATEA)about, nullptr,
                                AboutDialogProc, 0);
}

static void ToggleAutostart()
{
    SetAutostart(!IsAutostartEnabled());
}

static void ShowStoredHistory()
{
    ShowHistoryWindow(&StoredHistory, IDS_HISTORY_TITLE);
}

struct MeterCommand {
    WORD command;
    void (*run)();
    bool handled;  // false: the WM_COMMAND goes on to the default procedure afterwards
};

static const MeterCommand MeterCommands[] = {
    {IDM_EXIT, PostExit, true},
    {IDM_HIDE, PostHide, true},
    {IDM_ABOUT, ShowAboutBox, true},
    {IDM_CLEAR_DATA, ClearData, true},
    {IDM_SHOW, ToggleMeterWindow, true},
    {IDM_AUTOSTART, ToggleAutostart, true},
    {IDM_VIEW_HISTORY, ShowStoredHistory, true},
    {IDM_VIEW_CHARTS, ShowChartWindow, true},
    {IDM_EXPORT_CSV, ExportHistoryCsv, true},
    {IDM_RECOUNT, RecountTotals, false},
    {IDM_EXPORT_HISTORY, ExportHistoryFile, true},
    {IDM_IMPORT_HISTORY, ImportHistoryFile, true},
    {IDM_ADD_HISTORY, AddHistoryFile, true},
    {IDM_OPEN_BACKUPS, OpenBackupFolder, true},
    {IDM_VIEW_KEYBOARD, ShowKeyboardWindow, true},
    {IDM_COUNT_EACH_KEY, ToggleCountEachKey, true},
};

bool RunMeterCommand(HWND, WORD command)
{
    for (const MeterCommand &entry : MeterCommands) {
        if (entry.command == command) {
            entry.run();
            return entry.handled;
        }
    }
    return false;
}

static void OnAboutCommand(HWND dialog, WPARAM wParam)
{
    // The whole wParam: OK and Enter give IDOK, Esc and the close button IDCANCEL.
    if (wParam == IDOK)
        EndDialog(dialog, 1);
    else if (wParam == IDCANCEL)
        EndDialog(dialog, 0);
}

// Answers 0 to everything, WM_INITDIALOG included; the dialog manager does the rest.
INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_COMMAND:
        OnAboutCommand(dialog, wParam);
        return 0;
    default:
        return 0;
    }
}
