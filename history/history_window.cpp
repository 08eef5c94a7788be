// The history window: a report list view over a history list, sortable by any column.
//
// The window keeps its own copy of the days it shows (a record each, or a date's sums over
// all computers), attached to the window (GWLP_USERDATA) and freed when the window goes,
// so a save or reload that moves StoredHistory, or an import that frees its temporary
// list, can never leave a row pointing at freed or moved memory.
//
// The list view is virtual (LVS_OWNERDATA): it holds no rows of its own, only their count,
// and asks this window for each cell it draws. The window keeps the order of the rows and
// sorts them itself. A list view that held a million rows would take minutes to fill and
// to destroy; this one opens and closes at once, whatever the history's length.
#include "history_window.h"
#include "../text/history_cells.h"

#include <commctrl.h>
#include <algorithm>
#include <stdlib.h>
#include <string.h>

#include "../res/resource.h"
#include "../text/text.h"
#include "../ui/dark_mode.h"
#include "../ui/dpi.h"
#include "../ui/fonts.h"
#include "../ui/icons.h"
#include "../ui/on_screen.h"
#include "../ui/owner_window.h"
#include "../ui/palette.h"
#include "../ui/window_class.h"

HWND HistoryWindow;
HWND HistoryListView;
uint32_t HistorySortState;

static const int HISTORY_WIDTH = 700;   // at 96 dpi, like the columns' added widths
static const int HISTORY_HEIGHT = 440;
static const DWORD HISTORY_LIST_STYLE =
    WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_OWNERDATA;
static const DWORD HISTORY_LIST_EX_STYLE = LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP;

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

static void RegisterHistoryClass()
{
    WindowClassLook look = {0, MeterBackgroundBrush(), true};
    RegisterWindowClass(ProgramInstance(), HISTORY_CLASS, HistoryWindowProc, look);
}

// What one window shows: its own copy of the days, in the list's order, and the order of
// its rows. One allocation holds both: rows[r] points at the day that row r shows. The
// list's font is the window's too, once a DPI change has made one.
struct ShownHistory {
    DayFigures *days;
    const DayFigures **rows;
    int32_t count;
    UINT titleId;
    HFONT listFont;  // null while the list keeps the font it was created with
};

// Room for `count` days, to be filled in the list's order; the list's last day is the top
// row. Null when out of memory.
static ShownHistory *NewShownHistory(int32_t count, UINT titleId)
{
    size_t n = count > 0 ? (size_t)count : 0;
    ShownHistory *shown = (ShownHistory *)malloc(
        sizeof(ShownHistory) + n * (sizeof(DayFigures) + sizeof(DayFigures *)));
    if (!shown)
        return NULL;
    shown->days = (DayFigures *)(shown + 1);
    shown->rows = (const DayFigures **)(shown->days + n);
    shown->count = (int32_t)n;
    shown->titleId = titleId;
    shown->listFont = NULL;
    for (size_t row = 0; row < n; ++row)
        shown->rows[row] = &shown->days[n - 1 - row];
    return shown;
}

static ShownHistory *CopyShownRecords(const HistoryList *list, UINT titleId)
{
    ShownHistory *shown = NewShownHistory(list->count, titleId);
    for (int32_t i = 0; shown && i < shown->count; ++i)
        shown->days[i] = RecordAsDay(&list->records[i]);
    return shown;
}

static ShownHistory *CopyShownDays(const DayFigures *days, int32_t count, UINT titleId)
{
    ShownHistory *shown = NewShownHistory(count, titleId);
    if (shown && shown->count)
        memcpy(shown->days, days, (size_t)shown->count * sizeof(DayFigures));
    return shown;
}

static ShownHistory *Shown(HWND window)
{
    return (ShownHistory *)GetWindowLongPtrA(window, GWLP_USERDATA);
}

const DayFigures *HistoryRowDay(HWND window, int row)
{
    ShownHistory *shown = Shown(window);
    return shown && row >= 0 && row < shown->count ? shown->rows[row] : NULL;
}

UINT ShownHistoryTitle(HWND window)
{
    ShownHistory *shown = window ? Shown(window) : NULL;
    return shown ? shown->titleId : 0;
}

static HWND CreateHistoryFrame(UINT titleId)
{
    const char *title = LoadText(SLOT_GENERAL, titleId);
    // It opens in the corner of the primary monitor's work area, so at that monitor's DPI.
    SIZE size = {Scale(HISTORY_WIDTH, SystemDpi()), Scale(HISTORY_HEIGHT, SystemDpi())};
    OpeningPlace place = PlaceNewWindow(size, OPEN_IN_CORNER);
    return CreateWindowExA(0, HISTORY_CLASS, title, WS_OVERLAPPEDWINDOW, place.x, place.y,
                           place.width, place.height, MeterWindow, NULL, ProgramInstance(), NULL);
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

// The list in the palette's colours, and the frame, header and scroll bars in the app mode.
static void FollowHistoryMode(HWND window)
{
    SystemPalette palette = SystemPaletteNow();
    HWND listView = GetDlgItem(window, 0);
    SendMessageA(listView, LVM_SETBKCOLOR, 0, palette.window);
    SendMessageA(listView, LVM_SETTEXTBKCOLOR, 0, palette.window);
    SendMessageA(listView, LVM_SETTEXTCOLOR, 0, palette.windowText);
    FollowAppMode(window);
}

// The rows' image drawn at the small-icon size of `dpi`. The list view destroys the image
// list it holds when it goes; one that it gives back for a new one is ours to destroy.
// Where the new one cannot be made, the rows keep the image they have.
static void SetRowImages(HWND listView, UINT dpi)
{
    int size = SmallIconSize(dpi);
    HICON icon = LoadIconAtSize(IDI_HISTORY_ROW, size);
    if (!icon)
        return;
    HIMAGELIST images = ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 1, 0);
    if (images && ImageList_AddIcon(images, icon) != 0) {
        ImageList_Destroy(images);
        images = NULL;
    }
    DestroyIcon(icon);  // the image list holds a copy
    if (!images)
        return;
    HIMAGELIST old = (HIMAGELIST)SendMessageA(listView, LVM_SETIMAGELIST, LVSIL_SMALL, (LPARAM)images);
    if (old)
        ImageList_Destroy(old);
}

// The header text's width in the list's font, and room beside it at `dpi`.
static int ColumnWidth(HWND listView, int column, UINT dpi)
{
    const char *header = LoadText(SLOT_GENERAL, COLUMNS[column].headerId);
    int textWidth = (int)SendMessageA(listView, LVM_GETSTRINGWIDTHA, 0, (LPARAM)header);
    return textWidth + Scale(COLUMNS[column].extraWidth, dpi);
}

static void InsertHistoryColumns(HWND listView)
{
    UINT dpi = WindowDpi(listView);
    for (int column = 0; column < COLUMN_COUNT; ++column) {
        LVCOLUMNA columnInfo = {};
        columnInfo.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        columnInfo.fmt = COLUMNS[column].format;
        columnInfo.cx = ColumnWidth(listView, column, dpi);
        columnInfo.pszText = LoadText(SLOT_GENERAL, COLUMNS[column].headerId);
        columnInfo.iSubItem = column;
        SendMessageA(listView, LVM_INSERTCOLUMNA, column, (LPARAM)&columnInfo);
    }
}

static const char *CellText(const DayFigures *day, int column)
{
    const Figures &figures = day->figures;
    switch (column) {
    case COLUMN_DATE: return HistoryDateText(day->date);
    case COLUMN_KEYS: return HistoryKeysText(figures.keys);
    case COLUMN_DISTANCE: return HistoryDistanceText(figures.distance);
    case COLUMN_LEFT: return HistoryClicksText(figures.leftClicks);
    case COLUMN_MIDDLE: return HistoryClicksText(figures.middleClicks);
    case COLUMN_RIGHT: return HistoryClicksText(figures.rightClicks);
    default: return HistoryTimeText(figures.seconds);
    }
}

// The count is all the list view holds; it asks for each cell's text as it draws it.
static void SetRowCount(HWND listView, int32_t count)
{
    SendMessageA(listView, WM_SETREDRAW, FALSE, 0);
    SendMessageA(listView, LVM_SETITEMCOUNT, count, 0);
    SendMessageA(listView, WM_SETREDRAW, TRUE, 0);
}

static void SelectTopRow(HWND listView)
{
    LVITEMA item = {};
    item.state = LVIS_SELECTED;
    item.stateMask = LVIS_SELECTED;
    SendMessageA(listView, LVM_SETITEMSTATE, 0, (LPARAM)&item);
}

static void OpenHistoryWindow(ShownHistory *shown)
{
    if (HistoryWindow)
        DestroyWindow(HistoryWindow);
    HistoryWindow = NULL;
    UseControlClasses(ICC_LISTVIEW_CLASSES);
    RegisterHistoryClass();
    if (!shown)
        return;
    HistoryWindow = CreateHistoryFrame(shown->titleId);
    if (!HistoryWindow) {
        free(shown);
        return;
    }
    SetWindowLongPtrA(HistoryWindow, GWLP_USERDATA, (LONG_PTR)shown);
    HistoryListView = CreateHistoryListView(HistoryWindow);
    if (!HistoryListView)
        return;  // the frame is never shown; the next opening destroys it
    SetWindowIcons(HistoryWindow, WindowDpi(HistoryWindow));
    SetRowImages(HistoryListView, WindowDpi(HistoryWindow));
    SendMessageA(HistoryListView, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, HISTORY_LIST_EX_STYLE);
    InsertHistoryColumns(HistoryListView);
    SetRowCount(HistoryListView, shown->count);
    FollowHistoryMode(HistoryWindow);
    ShowWindow(HistoryWindow, SW_SHOW);
    UpdateWindow(HistoryWindow);
    SelectTopRow(HistoryListView);
    SetFocus(HistoryListView);
}

void ShowHistoryWindow(const HistoryList *list, UINT titleId)
{
    OpenHistoryWindow(CopyShownRecords(list, titleId));
}

void ShowHistoryDays(const DayFigures *days, int32_t count, UINT titleId)
{
    OpenHistoryWindow(CopyShownDays(days, count, titleId));
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

// The list view, a child, is gone by now, and its font with it can go.
static void FreeShownHistory(HWND window)
{
    ShownHistory *shown = (ShownHistory *)SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    if (shown && shown->listFont)
        DeleteObject(shown->listFont);
    free(shown);
}

// The window's own child rather than HistoryListView, which may still name the list view
// of a window already destroyed while this one is being created.
static void FitListView(HWND window, LPARAM size)
{
    HWND listView = GetWindow(window, GW_CHILD);
    if (listView)
        MoveWindow(listView, 0, 0, LOWORD(size), HIWORD(size), TRUE);
}

// The window font at `dpi` for the list; where none can be made the list keeps the font
// it has.
static void SetListFontForDpi(HWND listView, ShownHistory *shown, UINT dpi)
{
    HFONT made = CreateWindowFont(dpi, 0);
    if (!made)
        return;
    SendMessageA(listView, WM_SETFONT, (WPARAM)made, TRUE);
    ReplaceFont(&shown->listFont, made);
}

// Moved to a monitor of another DPI: the list gets a font and row images for it and its
// columns are measured again in that font, as when they were inserted; the window takes the
// icons for it and the size that Windows suggests.
static void OnHistoryDpiChanged(HWND window, WPARAM dpis, const RECT *suggested)
{
    UINT dpi = HIWORD(dpis);
    HWND listView = GetWindow(window, GW_CHILD);
    ShownHistory *shown = Shown(window);
    if (listView && shown) {
        SetListFontForDpi(listView, shown, dpi);
        SetRowImages(listView, dpi);
        for (int column = 0; column < COLUMN_COUNT; ++column)
            SendMessageA(listView, LVM_SETCOLUMNWIDTH, column, ColumnWidth(listView, column, dpi));
    }
    SetWindowIcons(window, dpi);
    TakeSuggestedRect(window, suggested);
}

static int32_t RowOf(const ShownHistory *shown, const DayFigures *day)
{
    for (int32_t row = 0; row < shown->count; ++row)
        if (shown->rows[row] == day)
            return row;
    return -1;
}

static int SelectedRow(HWND listView)
{
    return (int)SendMessageA(listView, LVM_GETNEXTITEM, (WPARAM)-1, LVNI_SELECTED);
}

// Stable, and safe with an order in which near distances compare equal without being
// transitive: rows that compare equal keep the order they had.
static void SortRows(ShownHistory *shown)
{
    uint32_t sortState = HistorySortState;
    std::stable_sort(shown->rows, shown->rows + shown->count,
                     [sortState](const DayFigures *a, const DayFigures *b) {
                         return CompareHistoryRows((LPARAM)a, (LPARAM)b, sortState) < 0;
                     });
}

// `row` selected and focused, every other row not; -1 selects none.
static void SelectOnlyRow(HWND listView, int row)
{
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(listView, LVM_SETITEMSTATE, (WPARAM)-1, (LPARAM)&item);
    if (row < 0)
        return;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(listView, LVM_SETITEMSTATE, row, (LPARAM)&item);
    SendMessageA(listView, LVM_SETSELECTIONMARK, 0, row);
}

// The selected record stays selected, on the row where the sort has put it; as with a
// list view that sorts its own rows, nothing scrolls.
static void SortShownRows(HWND window, HWND listView)
{
    ShownHistory *shown = Shown(window);
    if (!shown)
        return;
    const DayFigures *selected = HistoryRowDay(window, SelectedRow(listView));
    SortRows(shown);
    if (selected)
        SelectOnlyRow(listView, RowOf(shown, selected));
    InvalidateRect(listView, NULL, FALSE);
}

static int32_t RowOfDate(const ShownHistory *shown, DateKey date)
{
    for (int32_t row = 0; row < shown->count; ++row)
        if (shown->rows[row]->date == date)
            return row;
    return -1;
}

void ReplaceHistoryDays(const DayFigures *days, int32_t count, UINT titleId)
{
    HWND listView = HistoryWindow ? GetWindow(HistoryWindow, GW_CHILD) : NULL;
    ShownHistory *old = listView ? Shown(HistoryWindow) : NULL;
    ShownHistory *shown = old ? CopyShownDays(days, count, titleId) : NULL;
    if (!shown)
        return;
    const DayFigures *selected = HistoryRowDay(HistoryWindow, SelectedRow(listView));
    DateKey selectedDate = selected ? selected->date : 0;
    shown->listFont = old->listFont;
    SetWindowLongPtrA(HistoryWindow, GWLP_USERDATA, (LONG_PTR)shown);
    free(old);
    SetWindowTextA(HistoryWindow, LoadText(SLOT_GENERAL, titleId));
    SortRows(shown);
    // The rows change under the scroll position, which stays where the user left it.
    SendMessageA(listView, LVM_SETITEMCOUNT, shown->count, LVSICF_NOSCROLL);
    SelectOnlyRow(listView, selected ? RowOfDate(shown, selectedDate) : -1);
    InvalidateRect(listView, NULL, FALSE);
}

// The same column again reverses the direction; another column keeps it.
static void OnHistoryColumnClick(HWND window, const NMLISTVIEW *click)
{
    uint32_t column = (uint32_t)click->iSubItem & 0xFFFF;
    uint32_t ascending = HistorySortState >> 16;
    if (column == (HistorySortState & 0xFFFF))
        ascending = 1 - ascending;
    HistorySortState = ascending << 16 | column;
    HWND listView = click->hdr.hwndFrom;
    SortShownRows(window, listView);
    UpdateWindow(listView);
}

// The texts and image of one row, asked for when it is drawn or read; the formatters'
// buffers are copied at once, before any other cell is formatted.
static void OnHistoryCellText(HWND window, NMLVDISPINFOA *request)
{
    LVITEMA *item = &request->item;
    const DayFigures *day = HistoryRowDay(window, item->iItem);
    if (!day)
        return;
    if (item->mask & LVIF_IMAGE)
        item->iImage = 0;
    if ((item->mask & LVIF_TEXT) && item->pszText && item->cchTextMax > 0)
        lstrcpynA(item->pszText, CellText(day, item->iSubItem), item->cchTextMax);
}

// Typing in the list goes to the first row after `start`, wrapping round, whose date text
// begins with what was typed, as in a list view that holds its own texts.
static int32_t FindRowByDateText(HWND window, int32_t start, const char *typed)
{
    ShownHistory *shown = Shown(window);
    size_t length = strlen(typed);
    if (!shown || shown->count == 0 || length == 0)
        return -1;
    start = start >= 0 && start < shown->count ? start : 0;
    for (int32_t step = 0; step < shown->count; ++step) {
        int32_t row = (start + step) % shown->count;
        const char *date = HistoryDateText(shown->rows[row]->date);
        if (CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, date,
                           (int)std::min(length, strlen(date)), typed, (int)length) == CSTR_EQUAL)
            return row;
    }
    return -1;
}

// The list view may send the typed text as ANSI or as UTF-16, whichever it likes; the
// two notifications differ in nothing else.
static bool TypedText(const NMHDR *header, char *typed, int size)
{
    if (header->code == (UINT)LVN_ODFINDITEMA) {
        const char *text = ((const NMLVFINDITEMA *)header)->lvfi.psz;
        return text && lstrcpynA(typed, text, size);
    }
    const wchar_t *text = ((const NMLVFINDITEMW *)header)->lvfi.psz;
    return text && WideCharToMultiByte(CP_ACP, 0, text, -1, typed, size, NULL, NULL);
}

static LRESULT OnHistoryFindRow(HWND window, const NMHDR *header)
{
    const NMLVFINDITEMA *find = (const NMLVFINDITEMA *)header;
    char typed[64];
    if (!(find->lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) || !TypedText(header, typed, sizeof typed))
        return -1;
    return FindRowByDateText(window, find->iStart, typed);
}

// Escape closes the window from its list too, as in every list window. Posted: the list
// view is still inside its own key handling, which must not find it destroyed.
static void OnHistoryListKey(HWND window, const NMLVKEYDOWN *key)
{
    if (key->wVKey == VK_ESCAPE)
        PostMessageA(window, WM_CLOSE, 0, 0);
}

// The list view is child 0; what another child might notify goes on by.
static LRESULT OnHistoryNotify(HWND window, WPARAM controlId, LPARAM lParam)
{
    const NMHDR *header = (const NMHDR *)lParam;
    switch (controlId == 0 ? header->code : 0) {
    case LVN_KEYDOWN:
        OnHistoryListKey(window, (const NMLVKEYDOWN *)lParam);
        break;
    case LVN_COLUMNCLICK:
        OnHistoryColumnClick(window, (const NMLISTVIEW *)lParam);
        break;
    case LVN_GETDISPINFOA:
        OnHistoryCellText(window, (NMLVDISPINFOA *)lParam);
        break;
    case LVN_ODFINDITEMA:
    case LVN_ODFINDITEMW:
        return OnHistoryFindRow(window, header);
    }
    return DefWindowProcA(window, WM_NOTIFY, controlId, lParam);
}

static void FocusHistoryList(HWND window)
{
    HWND listView = GetWindow(window, GW_CHILD);
    if (listView)
        SetFocus(listView);
}

LRESULT CALLBACK HistoryWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        HistorySortState = 0;  // column 0, descending
        break;
    case WM_SIZE:
        FitListView(window, lParam);
        break;
    case WM_DPICHANGED:
        OnHistoryDpiChanged(window, wParam, (const RECT *)lParam);
        return 0;
    case WM_CLOSE:
        CloseHistoryWindow(window);
        return 0;
    case WM_DESTROY:
        ForgetHistoryWindow(window);
        break;
    case WM_NCDESTROY:
        FreeShownHistory(window);
        break;
    case WM_SETFOCUS:  // the list keeps the keyboard when the window is activated again
        FocusHistoryList(window);
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE)
            CloseHistoryWindow(window);
        break;
    case WM_COMMAND:
        return 1;
    case WM_NOTIFY:
        return OnHistoryNotify(window, wParam, lParam);
    case WM_DISPLAYCHANGE:
        KeepWindowOnScreen(window);
        break;
    case WM_SETTINGCHANGE:
        OnScreenSettingChange(window, wParam);
        if (IsAppModeChange(lParam))
            FollowHistoryMode(window);
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

static int CompareUnsigned(uint64_t a, uint64_t b)
{
    return a < b ? -1 : a > b ? 1 : 0;
}

// The difference truncated toward zero to whole millimetres, by its sign only, so that
// huge or infinite distances cannot overflow an integer; a NaN compares equal.
static int CompareDistance(double a, double b)
{
    double difference = a - b;
    return difference >= 1.0 ? 1 : difference <= -1.0 ? -1 : 0;
}

int CALLBACK CompareHistoryRows(LPARAM first, LPARAM second, LPARAM sortState)
{
    const DayFigures *dayA = (const DayFigures *)first;
    const DayFigures *dayB = (const DayFigures *)second;
    const Figures &a = dayA->figures, &b = dayB->figures;
    int d = 0;
    switch (sortState & 0xFFFF) {
    case COLUMN_DATE: d = CompareUnsigned(dayA->date, dayB->date); break;
    case COLUMN_KEYS: d = CompareUnsigned(a.keys, b.keys); break;
    case COLUMN_DISTANCE: d = CompareDistance(a.distance, b.distance); break;
    case COLUMN_LEFT: d = CompareUnsigned(a.leftClicks, b.leftClicks); break;
    case COLUMN_MIDDLE: d = CompareUnsigned(a.middleClicks, b.middleClicks); break;
    case COLUMN_RIGHT: d = CompareUnsigned(a.rightClicks, b.rightClicks); break;
    case COLUMN_TIME: d = CompareUnsigned(a.seconds, b.seconds); break;
    }
    return (sortState >> 16 & 0xFFFF) ? d : -d;
}
