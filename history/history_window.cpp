// The history window: a report list view over a history list, sortable by any column.
//
// The window keeps its own copy of the records it shows, attached to the window
// (GWLP_USERDATA) and freed when the window goes. Each row's item data points into that
// copy, so a save or reload that moves StoredHistory, or an import that frees its
// temporary list, can never leave a row pointing at freed or moved memory.
#include "history_window.h"

#include <commctrl.h>
#include <algorithm>
#include <stdlib.h>
#include <string.h>

#include "../meter/dpi.h"
#include "../meter/meter_window.h"
#include "../meter/on_screen.h"
#include "../res/resource.h"
#include "../text/formatting.h"
#include "../text/text.h"

HWND HistoryWindow;
HWND HistoryListView;
uint32_t HistorySortState;

static const int HISTORY_WIDTH = 700;   // at 96 dpi, like the columns' added widths
static const int HISTORY_HEIGHT = 440;
static const DWORD HISTORY_LIST_STYLE =
    WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS;  // 0x5000000D
static const DWORD HISTORY_LIST_EX_STYLE = LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP;
static const COLORREF IMAGE_MASK_WHITE = RGB(255, 255, 255);

enum HistoryColumn {
    COLUMN_DATE, COLUMN_KEYS, COLUMN_DISTANCE, COLUMN_LEFT, COLUMN_MIDDLE, COLUMN_RIGHT,
    COLUMN_TIME, COLUMN_COUNT
};

struct ColumnSpec {
    UINT headerId;
    int format;
    int extraWidth;  // pixels added to the header text's own width
};

static const ColumnSpec COLUMNS[COLUMN_COUNT] = {
    {IDS_COL_DATE, LVCFMT_LEFT, 95},
    {IDS_COL_KEYS, LVCFMT_RIGHT, 19},
    {IDS_COL_DISTANCE, LVCFMT_RIGHT, 19},
    {IDS_COL_LEFT, LVCFMT_RIGHT, 19},
    {IDS_COL_MIDDLE, LVCFMT_RIGHT, 19},
    {IDS_COL_RIGHT, LVCFMT_RIGHT, 19},
    {IDS_COL_TIME, LVCFMT_RIGHT, 28},
};

static HINSTANCE ProgramInstance()
{
    return GetModuleHandleA(NULL);
}

static void InitListViewControls()
{
    static bool done;
    if (done)
        return;
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES};
    done = InitCommonControlsEx(&controls) != FALSE;
}

// A class that already exists makes the registration fail; the existing one is used.
static void RegisterHistoryClass()
{
    HINSTANCE instance = ProgramInstance();
    HBRUSH background = CreateSolidBrush(METER_BACKGROUND);
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = HistoryWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_MAIN));
    windowClass.hIconSm = LoadIconA(instance, MAKEINTRESOURCEA(IDI_MAIN));
    windowClass.hCursor = LoadCursorA(NULL, IDC_ARROW);
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = HISTORY_CLASS;
    if (!RegisterClassExA(&windowClass) && background)
        DeleteObject(background);
}

// The window's own copy of the records; null for an empty list. False when out of memory.
static bool CopyRecords(const HistoryList *list, HistoryRecord **copy)
{
    *copy = NULL;
    if (list->count <= 0)
        return true;
    *copy = (HistoryRecord *)malloc((size_t)list->count * sizeof(HistoryRecord));
    if (!*copy)
        return false;
    memcpy(*copy, list->records, (size_t)list->count * sizeof(HistoryRecord));
    return true;
}

static HWND CreateHistoryFrame(UINT titleId)
{
    const char *title = LoadText(SLOT_GENERAL, titleId);
    // It opens in the corner of the primary monitor's work area, so at that monitor's DPI,
    // and no larger than that work area, which a high DPI on a small screen leaves small.
    int width = Scale(HISTORY_WIDTH, SystemDpi());
    int height = Scale(HISTORY_HEIGHT, SystemDpi());
    RECT work;
    if (SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0)) {
        width = std::min(width, (int)(work.right - work.left));
        height = std::min(height, (int)(work.bottom - work.top));
    }
    POINT corner = WorkAreaCorner(width, height);
    return CreateWindowExA(0, HISTORY_CLASS, title, WS_OVERLAPPEDWINDOW, corner.x, corner.y,
                           width, height, MeterWindow, NULL, ProgramInstance(), NULL);
}

// As large as the frame; WM_SIZE fits it to the client area.
static HWND CreateHistoryListView(HWND window)
{
    RECT frame;
    GetWindowRect(window, &frame);
    return CreateWindowExA(0, WC_LISTVIEWA, "", HISTORY_LIST_STYLE, 0, 0,
                           frame.right - frame.left, frame.bottom - frame.top, window,
                           (HMENU)0, ProgramInstance(), NULL);
}

// The list view destroys its small image list itself when it goes.
static void SetRowImages(HWND listView)
{
    HIMAGELIST images = ImageList_LoadImageA(ProgramInstance(),
                                             MAKEINTRESOURCEA(IDB_HISTORY_ICONS), 16, 4,
                                             IMAGE_MASK_WHITE, IMAGE_BITMAP, 0);
    if (images)
        SendMessageA(listView, LVM_SETIMAGELIST, LVSIL_SMALL, (LPARAM)images);
}

static void InsertHistoryColumns(HWND listView)
{
    UINT dpi = WindowDpi(listView);
    for (int column = 0; column < COLUMN_COUNT; ++column) {
        char *header = LoadText(SLOT_GENERAL, COLUMNS[column].headerId);
        int textWidth = (int)SendMessageA(listView, LVM_GETSTRINGWIDTHA, 0, (LPARAM)header);
        LVCOLUMNA columnInfo = {};
        columnInfo.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        columnInfo.fmt = COLUMNS[column].format;
        columnInfo.cx = textWidth + Scale(COLUMNS[column].extraWidth, dpi);
        columnInfo.pszText = header;
        columnInfo.iSubItem = column;
        SendMessageA(listView, LVM_INSERTCOLUMNA, column, (LPARAM)&columnInfo);
    }
}

static const char *CellText(const HistoryRecord *record, int column)
{
    switch (column) {
    case COLUMN_DATE: return HistoryDateText(record);
    case COLUMN_KEYS: return HistoryKeysText(record);
    case COLUMN_DISTANCE: return HistoryDistanceText(record);
    case COLUMN_LEFT: return HistoryClicksText(record->leftClicks);
    case COLUMN_MIDDLE: return HistoryClicksText(record->middleClicks);
    case COLUMN_RIGHT: return HistoryClicksText(record->rightClicks);
    default: return HistoryTimeText(record);
    }
}

// Row `row` shows the record. Its texts are formatted when the list view asks for them
// (OnHistoryCellText) from the window's own copy, which never changes while it is open:
// the item's text is a callback, and the list view asks alike for every subitem that
// holds no text of its own, so the subitems are never set.
static void InsertHistoryRow(HWND listView, int row, HistoryRecord *record)
{
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = row;
    item.pszText = LPSTR_TEXTCALLBACKA;
    item.iImage = 0;
    item.lParam = (LPARAM)record;
    SendMessageA(listView, LVM_INSERTITEMA, 0, (LPARAM)&item);
}

// The list's last record is the top row. The rows go in from the top down, each after
// the ones before it, so that no insertion moves the rows already in place; the count is
// set first, so that the list view makes room for all of them once.
static void FillHistoryRows(HWND listView, HistoryRecord *records, int32_t count)
{
    SendMessageA(listView, WM_SETREDRAW, FALSE, 0);
    SendMessageA(listView, LVM_SETITEMCOUNT, count, 0);
    for (int32_t row = 0; row < count; ++row)
        InsertHistoryRow(listView, row, &records[count - 1 - row]);
    SendMessageA(listView, WM_SETREDRAW, TRUE, 0);
}

static void SelectTopRow(HWND listView)
{
    LVITEMA item = {};
    item.state = LVIS_SELECTED;
    item.stateMask = LVIS_SELECTED;
    SendMessageA(listView, LVM_SETITEMSTATE, 0, (LPARAM)&item);
}

void ShowHistoryWindow(const HistoryList *list, UINT titleId)
{
    if (HistoryWindow)
        DestroyWindow(HistoryWindow);
    HistoryWindow = NULL;
    InitListViewControls();
    RegisterHistoryClass();
    HistoryRecord *records;
    if (!CopyRecords(list, &records))
        return;
    HistoryWindow = CreateHistoryFrame(titleId);
    if (!HistoryWindow) {
        free(records);
        return;
    }
    SetWindowLongPtrA(HistoryWindow, GWLP_USERDATA, (LONG_PTR)records);
    HistoryListView = CreateHistoryListView(HistoryWindow);
    if (!HistoryListView)
        return;  // the frame is never shown; the next opening destroys it
    SetRowImages(HistoryListView);
    SendMessageA(HistoryListView, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, HISTORY_LIST_EX_STYLE);
    InsertHistoryColumns(HistoryListView);
    FillHistoryRows(HistoryListView, records, list->count);
    ShowWindow(HistoryWindow, SW_SHOW);
    UpdateWindow(HistoryWindow);
    SelectTopRow(HistoryListView);
    SetFocus(HistoryListView);
}

// A window that is being replaced must not clear the handle of its successor.
static void ForgetHistoryWindow(HWND window)
{
    if (HistoryWindow == window)
        HistoryWindow = NULL;
}

static void CloseHistoryWindow(HWND window)
{
    ForgetHistoryWindow(window);
    DestroyWindow(window);
}

static void FreeShownRecords(HWND window)
{
    free((void *)SetWindowLongPtrA(window, GWLP_USERDATA, 0));
}

// The window's own child rather than HistoryListView, which may still name the list view
// of a window already destroyed while this one is being created.
static void FitListView(HWND window, LPARAM size)
{
    HWND listView = GetWindow(window, GW_CHILD);
    if (listView)
        MoveWindow(listView, 0, 0, LOWORD(size), HIWORD(size), TRUE);
}

// The same column again reverses the direction; another column keeps it.
static void OnHistoryColumnClick(const NMLISTVIEW *click)
{
    uint32_t column = (uint32_t)click->iSubItem & 0xFFFF;
    uint32_t ascending = HistorySortState >> 16;
    if (column == (HistorySortState & 0xFFFF))
        ascending = 1 - ascending;
    HistorySortState = ascending << 16 | column;
    HWND listView = click->hdr.hwndFrom;
    SendMessageA(listView, LVM_SORTITEMS, HistorySortState, (LPARAM)CompareHistoryRows);
    UpdateWindow(listView);
}

// The text of one cell, asked for when it is drawn or read; the formatters' buffers are
// copied at once, before any other cell is formatted.
static void OnHistoryCellText(NMLVDISPINFOA *request)
{
    LVITEMA *item = &request->item;
    const HistoryRecord *record = (const HistoryRecord *)item->lParam;
    if (!(item->mask & LVIF_TEXT) || !record || !item->pszText || item->cchTextMax <= 0)
        return;
    lstrcpynA(item->pszText, CellText(record, item->iSubItem), item->cchTextMax);
}

static void OnHistoryNotify(WPARAM controlId, LPARAM lParam)
{
    const NMHDR *header = (const NMHDR *)lParam;
    if (controlId == 0 && header->code == (UINT)LVN_COLUMNCLICK)
        OnHistoryColumnClick((const NMLISTVIEW *)lParam);
    if (controlId == 0 && header->code == (UINT)LVN_GETDISPINFOA)
        OnHistoryCellText((NMLVDISPINFOA *)lParam);
}

LRESULT CALLBACK HistoryWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        HistorySortState = 0;  // column 0, descending
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_SIZE:
        FitListView(window, lParam);
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_DPICHANGED:
        TakeSuggestedRect(window, (const RECT *)lParam);
        return 0;
    case WM_CLOSE:
        CloseHistoryWindow(window);
        return 0;
    case WM_DESTROY:
        ForgetHistoryWindow(window);
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_NCDESTROY:
        FreeShownRecords(window);
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE)
            CloseHistoryWindow(window);
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_COMMAND:
        return 1;
    case WM_NOTIFY:
        OnHistoryNotify(wParam, lParam);
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_DISPLAYCHANGE:
        KeepWindowOnScreen(window);
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_SETTINGCHANGE:
        OnScreenSettingChange(window, wParam);
        return DefWindowProcA(window, message, wParam, lParam);
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

static int CompareUnsigned(uint32_t a, uint32_t b)
{
    return a < b ? -1 : a > b ? 1 : 0;
}

// The difference truncated toward zero to whole millimetres, by its sign only, so that
// huge or infinite distances cannot overflow an integer; a NaN compares equal.
static int CompareDistance(float a, float b)
{
    double difference = (double)a - (double)b;
    return difference >= 1.0 ? 1 : difference <= -1.0 ? -1 : 0;
}

int CALLBACK CompareHistoryRows(LPARAM first, LPARAM second, LPARAM sortState)
{
    const HistoryRecord *a = (const HistoryRecord *)first;
    const HistoryRecord *b = (const HistoryRecord *)second;
    int d = 0;
    switch (sortState & 0xFFFF) {
    case COLUMN_DATE: d = CompareUnsigned(a->date, b->date); break;
    case COLUMN_KEYS: d = CompareUnsigned(a->keys, b->keys); break;
    case COLUMN_DISTANCE: d = CompareDistance(a->distance, b->distance); break;
    case COLUMN_LEFT: d = CompareUnsigned(a->leftClicks, b->leftClicks); break;
    case COLUMN_MIDDLE: d = CompareUnsigned(a->middleClicks, b->middleClicks); break;
    case COLUMN_RIGHT: d = CompareUnsigned(a->rightClicks, b->rightClicks); break;
    case COLUMN_TIME: d = CompareUnsigned(a->seconds, b->seconds); break;
    }
    return (sortState >> 16 & 0xFFFF) ? d : -d;
}
