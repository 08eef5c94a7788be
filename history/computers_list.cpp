// The computers list, a dialog over a report list view. It looks at KeptSourcesVersion
// once a second and fills its rows anew when it moved, so that a history that the sync
// folder brought, or a removal, shows at once. Each row's lParam is its computer's id (0
// for a sync file that could not be read), never an index that a change could shift.
#include "computers_list.h"

#include <commctrl.h>
#include <stdio.h>

#include "../core/sources.h"
#include "../res/resource.h"
#include "../text/formatting.h"
#include "../text/history_cells.h"
#include "../text/language.h"
#include "../text/text.h"
#include "../ui/dark_mode.h"
#include "../ui/owner_window.h"
#include "../ui/palette.h"

HWND ComputersList;

static uint32_t ListedVersion;

enum ComputersColumn {
    COLUMN_COMPUTER, COLUMN_DAYS, COLUMN_FIRST, COLUMN_LAST, COLUMN_UPDATED, COLUMN_COUNT
};

static const UINT COLUMN_HEADERS[COLUMN_COUNT] = {
    IDS_COL_COMPUTER, IDS_COL_DAYS, IDS_COL_FIRST_DAY, IDS_COL_LAST_DAY, IDS_COL_UPDATED,
};

static HWND ListView(HWND dialog)
{
    return GetDlgItem(dialog, IDC_COMPUTERS_LIST);
}

static void AddColumns(HWND list)
{
    for (int column = 0; column < COLUMN_COUNT; ++column) {
        LVCOLUMNA header = {};
        header.mask = LVCF_TEXT | LVCF_FMT;
        header.fmt = column == COLUMN_DAYS ? LVCFMT_RIGHT : LVCFMT_LEFT;
        header.pszText = LoadText(SLOT_GENERAL, COLUMN_HEADERS[column]);
        SendMessageA(list, LVM_INSERTCOLUMNA, column, (LPARAM)&header);
    }
}

static int InsertRow(HWND list, int row, const wchar_t *name, uint64_t id)
{
    LVITEMW item = {};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = row;
    item.pszText = (LPWSTR)name;
    item.lParam = (LPARAM)id;
    return (int)SendMessageW(list, LVM_INSERTITEMW, 0, (LPARAM)&item);
}

static void SetCell(HWND list, int row, int column, const char *text)
{
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = (LPSTR)text;
    SendMessageA(list, LVM_SETITEMTEXTA, row, (LPARAM)&item);
}

// The days a kept history holds, by the first and the last of its dates; its records need
// not be in date order.
static void SetKeptCells(HWND list, int row, const KeptSource &kept)
{
    char days[GROUPED_SIZE];
    GroupDigits(kept.days.count, days);
    SetCell(list, row, COLUMN_DAYS, days);
    if (kept.days.count > 0) {
        HistoryRecord first = kept.days.records[0], last = first;
        for (int32_t i = 1; i < kept.days.count; ++i) {
            if (kept.days.records[i].date < first.date)
                first = kept.days.records[i];
            if (kept.days.records[i].date > last.date)
                last = kept.days.records[i];
        }
        SetCell(list, row, COLUMN_FIRST, HistoryDateText(first.date));
        SetCell(list, row, COLUMN_LAST, HistoryDateText(last.date));
    }
    SetCell(list, row, COLUMN_UPDATED, MomentText(kept.keptAt));
}

static void EnableRemoveForSelection(HWND dialog)
{
    int selected = (int)SendMessageA(ListView(dialog), LVM_GETNEXTITEM, (WPARAM)-1, LVNI_SELECTED);
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = selected;
    bool kept = selected >= 0 && SendMessageA(ListView(dialog), LVM_GETITEMA, 0, (LPARAM)&item)
                && item.lParam != 0;
    EnableWindow(GetDlgItem(dialog, IDC_COMPUTERS_REMOVE), kept);
}

// As wide as its widest cell or its header, whichever is wider: LVSCW_AUTOSIZE fits only
// the cells, and LVSCW_AUTOSIZE_USEHEADER only the header.
static void SizeColumn(HWND list, int column)
{
    SendMessageA(list, LVM_SETCOLUMNWIDTH, column, LVSCW_AUTOSIZE);
    int cells = (int)SendMessageA(list, LVM_GETCOLUMNWIDTH, column, 0);
    const char *header = LoadText(SLOT_GENERAL, COLUMN_HEADERS[column]);
    int margin = 2 * GetSystemMetrics(SM_CXEDGE) + 12;  // the header's padding on each side
    int headerWidth = (int)SendMessageA(list, LVM_GETSTRINGWIDTHA, 0, (LPARAM)header) + margin;
    SendMessageA(list, LVM_SETCOLUMNWIDTH, column, headerWidth > cells ? headerWidth : cells);
}

// The kept computers in the order they were kept, then the sync files that could not be
// read; the columns sized to what they hold.
static void FillComputersList(HWND dialog)
{
    HWND list = ListView(dialog);
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    int row = 0;
    for (int i = 0; i < KeptSourceCount(); ++i) {
        const KeptSource *kept = KeptSourceAt(i);
        int at = InsertRow(list, row++, kept->name, kept->id);
        SetKeptCells(list, at, *kept);
    }
    for (int i = 0; i < MalformedSyncFileCount(); ++i) {
        int at = InsertRow(list, row++, MalformedSyncFileAt(i), 0);
        SetCell(list, at, COLUMN_DAYS, LoadText(SLOT_GENERAL, IDS_SYNC_FILE_UNREADABLE));
    }
    for (int column = 0; column < COLUMN_COUNT; ++column)
        SizeColumn(list, column);
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    ListedVersion = KeptSourcesVersion();
    EnableRemoveForSelection(dialog);
}

static void OnComputersInit(HWND dialog)
{
    ComputersList = dialog;
    HWND list = ListView(dialog);
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    AddColumns(list);
    FillComputersList(dialog);
    SetTimer(dialog, COMPUTERS_TIMER_ID, COMPUTERS_TIMER_MS, nullptr);
}

// The question is owned by the list, which it disables while it is open.
static void RemoveSelectedComputer(HWND dialog)
{
    HWND list = ListView(dialog);
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = (int)SendMessageA(list, LVM_GETNEXTITEM, (WPARAM)-1, LVNI_SELECTED);
    const KeptSource *kept = item.iItem >= 0 && SendMessageA(list, LVM_GETITEMA, 0, (LPARAM)&item)
                                 ? FindKeptSource((uint64_t)item.lParam) : nullptr;
    if (!kept)
        return;
    uint64_t id = kept->id;
    char name[2 * COMPUTER_NAME_MAX + 1], days[GROUPED_SIZE], text[TEXT_SLOT_SIZE];
    NarrowText(kept->name, name, sizeof name);
    GroupDigits(kept->days.count, days);
    snprintf(text, sizeof text, LoadText(SLOT_GENERAL, IDS_ASK_REMOVE_SOURCE), name, days);
    if (!AskYesNoDefaultNoOver(dialog, text))
        return;
    if (!RemoveKeptSource(id))
        ShowErrorMessage(IDS_REMOVE_FAILED);
    FillComputersList(dialog);
}

static void OnComputersCommand(HWND dialog, WPARAM wParam)
{
    // The whole wParam: Close, Esc and the close button all give IDCANCEL.
    if (wParam == IDCANCEL)
        EndDialog(dialog, 0);
    else if (LOWORD(wParam) == IDC_COMPUTERS_REMOVE)
        RemoveSelectedComputer(dialog);
}

static void OnComputersNotify(HWND dialog, const NMHDR *header)
{
    if (header->idFrom == IDC_COMPUTERS_LIST && header->code == LVN_ITEMCHANGED)
        EnableRemoveForSelection(dialog);
}

static void OnComputersTimer(HWND dialog)
{
    if (KeptSourcesVersion() != ListedVersion)
        FillComputersList(dialog);
}

static void OnComputersDestroy(HWND dialog)
{
    KillTimer(dialog, COMPUTERS_TIMER_ID);
    ComputersList = nullptr;
}

// The list in the palette's colours, and the frame, header and buttons in the app mode.
static void FollowComputersMode(HWND dialog)
{
    SystemPalette palette = SystemPaletteNow();
    SendMessageA(ListView(dialog), LVM_SETBKCOLOR, 0, palette.window);
    SendMessageA(ListView(dialog), LVM_SETTEXTBKCOLOR, 0, palette.window);
    SendMessageA(ListView(dialog), LVM_SETTEXTCOLOR, 0, palette.windowText);
    FollowAppMode(dialog);
    InvalidateRect(dialog, nullptr, TRUE);
}

static INT_PTR CALLBACK ComputersListProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        OnComputersInit(dialog);
        FollowComputersMode(dialog);
        return 1;  // the focus goes to the list, the first control that takes it
    case WM_SETTINGCHANGE:
        if (IsAppModeChange(lParam))
            FollowComputersMode(dialog);
        return 0;
    case WM_CTLCOLORDLG:  // a brush, or 0 for the dialog manager's own in light
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        return (INT_PTR)DarkControlColour(message, (HDC)wParam);
    case WM_COMMAND:
        OnComputersCommand(dialog, wParam);
        return 1;
    case WM_NOTIFY:
        OnComputersNotify(dialog, (const NMHDR *)lParam);
        return 0;
    case WM_TIMER:
        OnComputersTimer(dialog);
        return 1;
    case WM_DESTROY:
        OnComputersDestroy(dialog);
        return 0;
    default:
        return 0;
    }
}

void ShowComputersList()
{
    if (ComputersList) {
        SetForegroundWindow(ComputersList);
        return;
    }
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    const void *dialog =
        ProgramResource(MeterInstance, RT_DIALOG, MAKEINTRESOURCEA(IDD_COMPUTERS), nullptr);
    if (dialog)
        DialogBoxIndirectParamW(MeterInstance, (LPCDLGTEMPLATEW)dialog, nullptr,
                                ComputersListProc, 0);
}
