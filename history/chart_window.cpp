// The chart window: its controls along the top, the plot below them, the figures it takes
// from the counters once a second, and Copy and Save as PNG.
//
// The sums of the history are built when the window opens and again only when the history
// has grown or the day has changed; between, the 1 s timer brings today's bar up to date
// from the running period, as the meter shows it, and the window never writes a figure.
#include "chart_window.h"

#include <commctrl.h>
#include <commdlg.h>
#include <math.h>
#include <stdlib.h>
#include <string.h>
#include <algorithm>
#include "chart_plot.h"
#include "chart_state.h"
#include "chart_text.h"
#include "csv_export.h"
#include "history_list.h"
#include "../app/counters.h"
#include "../app/hourly_activity.h"
#include "../meter/dpi.h"
#include "../meter/on_screen.h"
#include "../meter/picture_export.h"
#include "../res/resource.h"
#include "../text/text.h"

HWND ChartWindow;

// Sizes at 96 dpi.
static const int CHART_WIDTH = 860;
static const int CHART_HEIGHT = 520;
static const int MIN_WIDTH = 520;
static const int MIN_HEIGHT = 340;
static const int SPACING = 8;          // around and between the controls
static const int COMBO_LIST = 200;     // the height of a combo box's open list
static const int COMBO_ROOM = 36;      // a combo box's arrow and padding beside its text
static const int BUTTON_ROOM = 24;
static const int DAYS_OF_A_WEEK = 7;

#define PNG_DEFAULT_NAME L"TallywickChart.png"

struct ChartControl {
    int id;
    const char *className;
    DWORD style;
    UINT textId;  // 0: no text of its own
};

// In the order of Tab and of their places from left to right.
static const ChartControl CONTROLS[] = {
    {IDC_CHART_FIGURE, "COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0},
    {IDC_CHART_VIEW, "COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0},
    {IDC_CHART_UNIT, "COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0},
    {IDC_CHART_YEAR_PREVIOUS, "BUTTON", BS_PUSHBUTTON | WS_TABSTOP, IDS_YEAR_PREVIOUS},
    {IDC_CHART_YEAR, "STATIC", SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX, 0},
    {IDC_CHART_YEAR_NEXT, "BUTTON", BS_PUSHBUTTON | WS_TABSTOP, IDS_YEAR_NEXT},
    {IDC_CHART_COPY, "BUTTON", BS_PUSHBUTTON | WS_TABSTOP, IDS_CHART_COPY},
    {IDC_CHART_SAVE, "BUTTON", BS_PUSHBUTTON | WS_TABSTOP, IDS_CHART_SAVE_PNG},
};

struct ComboItems {
    int id;
    const UINT *names;
    int count;
};

static const UINT FIGURE_NAMES[FIGURE_COUNT] = {IDS_FIGURE_KEYS, IDS_FIGURE_DISTANCE,
                                                IDS_FIGURE_CLICKS, IDS_FIGURE_TIME};
static const UINT VIEW_NAMES[VIEW_COUNT] = {IDS_VIEW_BARS, IDS_VIEW_CALENDAR, IDS_VIEW_CLOCK};
static const UINT UNIT_NAMES[UNIT_COUNT] = {IDS_UNIT_DAY, IDS_UNIT_WEEK, IDS_UNIT_MONTH,
                                            IDS_UNIT_YEAR};
static const ComboItems COMBOS[] = {{IDC_CHART_FIGURE, FIGURE_NAMES, FIGURE_COUNT},
                                    {IDC_CHART_VIEW, VIEW_NAMES, VIEW_COUNT},
                                    {IDC_CHART_UNIT, UNIT_NAMES, UNIT_COUNT}};

static ChartState *Shown(HWND window)
{
    return (ChartState *)GetWindowLongPtrA(window, GWLP_USERDATA);
}

static HWND Plot(HWND window)
{
    return GetDlgItem(window, IDC_CHART_PLOT);
}

// ---- The figures ----------------------------------------------------------------------

// "0" is Monday, as in the sums; a locale that says nothing sensible gets Monday too.
static int LocaleFirstDayOfWeek()
{
    char first[8] = "";
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_IFIRSTDAYOFWEEK, first, sizeof first);
    return first[0] >= '0' && first[0] <= '6' ? first[0] - '0' : 0;
}

// Built aside and taken only when whole, so that a failure keeps the sums there were.
static bool BuildSums(ChartState *state)
{
    ChartSums sums;
    if (!BuildChartSums(&sums, StoredHistory.records, StoredHistory.count, PeriodDate,
                        LocaleFirstDayOfWeek()))
        return false;
    DestroyChartSums(&state->sums);
    state->sums = sums;
    state->sumsRecords = StoredHistory.count;
    return true;
}

// Today's records and what was counted since the last save, as the next save will credit
// it, so that today's bar shows what the meter shows.
static ChartFigures TodayFigures()
{
    ChartFigures today = {};
    for (int32_t i = 0; i < StoredHistory.count; ++i)
        if (StoredHistory.records[i].date == PeriodDate)
            AddFigures(&today, FiguresOfRecord(&StoredHistory.records[i]));
    double distance = Totals.distance - SavedTotals.distance;
    ChartFigures running = {Totals.keyPresses - SavedTotals.keyPresses,
                            isfinite(distance) ? distance : 0.0,
                            Totals.leftClicks - SavedTotals.leftClicks,
                            Totals.middleClicks - SavedTotals.middleClicks,
                            Totals.rightClicks - SavedTotals.rightClicks,
                            (uint32_t)(PeriodSeconds() - SavedSeconds)};
    AddFigures(&today, running);
    return today;
}

// The week clock has counted less than a week while the newest days of the history, which
// counted the same key presses and clicks, hold its events in fewer than seven days.
static bool ClockIsNew(const ChartState *state)
{
    uint64_t events = 0;
    for (const HourlyRecord &hour : state->hours)
        events += hour.keys + hour.clicks;
    return DaysHoldingEvents(&state->sums.series[UNIT_DAY], events) < DAYS_OF_A_WEEK;
}

// Takes the figures afresh; true when what the view shows has changed. A new day or a
// grown history (a save that appended today's record, an import) builds the sums anew,
// and the bars then show their end, where today is.
static bool TakeFigures(ChartState *state, bool *rebuilt)
{
    *rebuilt = (state->sums.today != PeriodDate || state->sumsRecords != StoredHistory.count)
               && BuildSums(state);
    if (*rebuilt) {
        state->firstSlot = INT32_MAX;
        std::fill(state->item, state->item + VIEW_COUNT, NO_ITEM);
    }
    ChartFigures today = TodayFigures();
    bool todayChanged = memcmp(&today, &state->today, sizeof today) != 0;
    state->today = today;
    SetTodayFigures(&state->sums, today);
    bool hoursChanged = memcmp(state->hours, HourlyActivity, sizeof HourlyActivity) != 0;
    memcpy(state->hours, HourlyActivity, sizeof HourlyActivity);
    state->clockIsNew = ClockIsNew(state);
    return *rebuilt || (state->view == VIEW_CLOCK ? hoursChanged : todayChanged);
}

static void ShowYear(HWND window, const ChartState *state);

// At most one repaint a second, and none while nothing shown has changed.
static void OnChartTimer(HWND window)
{
    ChartState *state = Shown(window);
    bool rebuilt;
    if (!state || !TakeFigures(state, &rebuilt))
        return;
    HWND plot = Plot(window);
    if (rebuilt) {
        ShowYear(window, state);
        RefreshChartPlot(plot);
    }
    InvalidateRect(plot, nullptr, FALSE);
    UpdateChartTip(plot);
}

// ---- The controls ---------------------------------------------------------------------

static HFONT CreateChartFont(UINT dpi)
{
    LOGFONTW font;
    HFONT made = IconTitleFontForDpi(dpi, &font) ? CreateFontIndirectW(&font) : nullptr;
    if (made)
        return made;
    LOGFONTA fallback;
    if (SystemParametersInfoA(SPI_GETICONTITLELOGFONT, sizeof fallback, &fallback, 0)) {
        fallback.lfHeight = MulDiv(fallback.lfHeight, (int)dpi, (int)SystemDpi());
        made = CreateFontIndirectA(&fallback);
    }
    if (!made && GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof fallback, &fallback))
        made = CreateFontIndirectA(&fallback);
    return made;
}

static void SetChildFonts(HWND window, const ChartState *state)
{
    for (const ChartControl &control : CONTROLS)
        SendMessageA(GetDlgItem(window, control.id), WM_SETFONT, (WPARAM)state->font, TRUE);
    SendMessageA(state->tooltip, WM_SETFONT, (WPARAM)state->font, FALSE);
}

static void FillCombo(HWND window, const ComboItems &combo, int selected)
{
    HWND box = GetDlgItem(window, combo.id);
    for (int i = 0; i < combo.count; ++i)
        SendMessageA(box, CB_ADDSTRING, 0, (LPARAM)LoadText(SLOT_GENERAL, combo.names[i]));
    SendMessageA(box, CB_SETCURSEL, selected, 0);
}

static bool CreateControls(HWND window, ChartState *state)
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    for (const ChartControl &control : CONTROLS) {
        const char *text = control.textId ? LoadText(SLOT_GENERAL, control.textId) : "";
        if (!CreateWindowExA(0, control.className, text, WS_CHILD | control.style, 0, 0, 0, 0,
                             window, (HMENU)(INT_PTR)control.id, instance, nullptr))
            return false;
    }
    // Created last, so that Tab reaches it after the buttons.
    if (!CreateChartPlot(window, state))
        return false;
    const int selected[] = {state->figure, state->view, state->unit};
    for (int i = 0; i < 3; ++i)
        FillCombo(window, COMBOS[i], selected[i]);
    SetChildFonts(window, state);
    return true;
}

// The years that hold a day of the history, today's among them.
static void YearRange(const ChartState *state, int *first, int *last)
{
    const ChartSeries *days = &state->sums.series[UNIT_DAY];
    *first = (int)(DateOfDay(days->firstPeriod) >> 16);
    *last = (int)(DateOfDay(days->firstPeriod + days->slots - 1) >> 16);
}

// A button that is turned off while it has the keyboard hands it to the plot.
static void EnableControl(HWND window, int id, bool enabled)
{
    HWND control = GetDlgItem(window, id);
    if (!enabled && GetFocus() == control)
        SetFocus(Plot(window));
    EnableWindow(control, enabled);
}

static void ShowYear(HWND window, const ChartState *state)
{
    char label[CHART_TEXT_SIZE];
    YearText(state->year, label);
    SetDlgItemTextA(window, IDC_CHART_YEAR, label);
    int first, last;
    YearRange(state, &first, &last);
    EnableControl(window, IDC_CHART_YEAR_PREVIOUS, state->year > first);
    EnableControl(window, IDC_CHART_YEAR_NEXT, state->year < last);
}

static bool ShownInView(int id, int view)
{
    if (id == IDC_CHART_UNIT)
        return view == VIEW_BARS;
    if (id == IDC_CHART_YEAR_PREVIOUS || id == IDC_CHART_YEAR || id == IDC_CHART_YEAR_NEXT)
        return view == VIEW_CALENDAR;
    return true;
}

static int TextWidthIn(HDC dc, const char *text)
{
    RECT rect = {0, 0, 0, 0};
    DrawTextA(dc, text, -1, &rect, DT_CALCRECT | DT_SINGLELINE);  // "&" marks no width
    return rect.right;
}

// A control as wide as its widest text and the room around it.
static int ControlWidth(HWND window, HDC dc, const ChartControl &control, UINT dpi, int height)
{
    for (const ComboItems &combo : COMBOS) {
        if (combo.id != control.id)
            continue;
        int widest = 0;
        for (int i = 0; i < combo.count; ++i)
            widest = std::max(widest, TextWidthIn(dc, LoadText(SLOT_GENERAL, combo.names[i])));
        return widest + Scale(COMBO_ROOM, dpi);
    }
    char text[CHART_TEXT_SIZE];
    if (control.id == IDC_CHART_YEAR)
        YearText(30000, text);  // room for any year
    else
        GetDlgItemTextA(window, control.id, text, sizeof text);
    return std::max(height, TextWidthIn(dc, text) + Scale(BUTTON_ROOM, dpi));
}

// The controls of the view in a row along the top, the plot under them.
static void LayOutChartWindow(HWND window)
{
    ChartState *state = Shown(window);
    if (!state)
        return;
    UINT dpi = state->dpi;
    int spacing = Scale(SPACING, dpi);
    RECT field;
    GetWindowRect(GetDlgItem(window, IDC_CHART_FIGURE), &field);  // a closed combo box's height
    int height = field.bottom - field.top;
    HDC dc = GetDC(window);
    HGDIOBJ oldFont = SelectObject(dc, state->font);
    int x = spacing;
    for (const ChartControl &control : CONTROLS) {
        HWND child = GetDlgItem(window, control.id);
        bool shown = ShownInView(control.id, state->view);
        ShowWindow(child, shown ? SW_SHOWNA : SW_HIDE);
        if (!shown)
            continue;
        int width = ControlWidth(window, dc, control, dpi, height);
        bool combo = strcmp(control.className, "COMBOBOX") == 0;
        // Not copied as it was: a control moved onto the place of another one would take
        // that one's picture along.
        SetWindowPos(child, nullptr, x, spacing, width,
                     height + (combo ? Scale(COMBO_LIST, dpi) : 0),
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
        x += width + (control.id == IDC_CHART_YEAR_PREVIOUS || control.id == IDC_CHART_YEAR
                          ? spacing / 2
                          : spacing);
    }
    SelectObject(dc, oldFont);
    ReleaseDC(window, dc);
    RECT client;
    GetClientRect(window, &client);
    int top = 2 * spacing + height;
    MoveWindow(Plot(window), 0, top, client.right, std::max(0L, client.bottom - top), TRUE);
}

// ---- Commands -------------------------------------------------------------------------

static void OnChoiceChanged(HWND window, int id, HWND box)
{
    ChartState *state = Shown(window);
    int choice = (int)SendMessageA(box, CB_GETCURSEL, 0, 0);
    if (!state || choice < 0)
        return;
    if (id == IDC_CHART_FIGURE)
        state->figure = choice;
    if (id == IDC_CHART_VIEW) {
        state->view = choice;
        LayOutChartWindow(window);
    }
    if (id == IDC_CHART_UNIT && choice != state->unit) {
        state->unit = choice;
        state->firstSlot = INT32_MAX;  // today's end of the new bars
        state->item[VIEW_BARS] = NO_ITEM;
    }
    RefreshChartPlot(Plot(window));
}

static void ChangeYear(HWND window, int by)
{
    ChartState *state = Shown(window);
    if (!state)
        return;
    int first, last;
    YearRange(state, &first, &last);
    state->year = std::max(first, std::min(last, state->year + by));
    state->item[VIEW_CALENDAR] = NO_ITEM;
    ShowYear(window, state);
    RefreshChartPlot(Plot(window));
}

// Nothing to tell the user when the clipboard is busy: the button can be pressed again.
static void CopyChart(HWND window)
{
    HBITMAP picture = ChartPicture(Plot(window));
    if (!picture)
        return;
    CopyBitmapToClipboard(window, picture);
    DeleteObject(picture);
}

// The file type's name from the string table, then its pattern; the list ends in two zeros.
static void PngFilter(wchar_t *filter, int size)
{
    static const wchar_t PATTERN[] = L"*.png\0";  // with the literal's own zero, two
    int room = size - (int)(sizeof PATTERN / sizeof PATTERN[0]);
    int length = MultiByteToWideChar(CP_ACP, 0, LoadText(SLOT_GENERAL, IDS_PNG_FILES), -1,
                                     filter, room);
    if (length == 0)
        length = (int)wcslen(wcscpy(filter, L"PNG")) + 1;
    memcpy(filter + length, PATTERN, sizeof PATTERN);
}

// The picture is taken when the button is pressed, as the chart was shown then.
static void SaveChart(HWND window)
{
    HBITMAP picture = ChartPicture(Plot(window));
    if (!picture)
        return;
    wchar_t path[MAX_PATH], filter[160];
    PngFilter(filter, sizeof filter / sizeof filter[0]);
    OPENFILENAMEW request = FileDialogRequest(path, filter, PNG_DEFAULT_NAME, L"png",
                                              OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST);
    request.hwndOwner = window;
    if (GetSaveFileNameW(&request)) {
        RememberFileDir(path);
        if (!SaveBitmapAsPng(path, picture))
            ShowErrorMessage(IDS_CHART_SAVE_FAILED);
    }
    DeleteObject(picture);
}

static void CloseChartWindow(HWND window)
{
    DestroyWindow(window);
}

static void OnChartCommand(HWND window, WPARAM wParam, HWND control)
{
    int id = LOWORD(wParam);
    if ((id == IDC_CHART_FIGURE || id == IDC_CHART_VIEW || id == IDC_CHART_UNIT)
        && HIWORD(wParam) == CBN_SELCHANGE)
        OnChoiceChanged(window, id, control);
    else if (id == IDC_CHART_YEAR_PREVIOUS)
        ChangeYear(window, -1);
    else if (id == IDC_CHART_YEAR_NEXT)
        ChangeYear(window, +1);
    else if (id == IDC_CHART_COPY)
        CopyChart(window);
    else if (id == IDC_CHART_SAVE)
        SaveChart(window);
    else if (id == IDCANCEL)  // Escape, from the keyboard handling of the controls
        CloseChartWindow(window);
}

// ---- The window -----------------------------------------------------------------------

static void RegisterChartClass()
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = ChartWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_MAIN));
    windowClass.hIconSm = LoadIconA(instance, MAKEINTRESOURCEA(IDI_MAIN));
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = CHART_CLASS;
    RegisterClassExA(&windowClass);
    RegisterChartPlotClass();
}

static void InitChartControls()
{
    static bool done;
    if (done)
        return;
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    done = InitCommonControlsEx(&controls) != FALSE;
}

// What a fresh window shows: key presses by day, this year's calendar, the bars' end.
static ChartState *NewChartState()
{
    ChartState *state = (ChartState *)calloc(1, sizeof(ChartState));
    if (!state)
        return nullptr;
    state->dpi = SystemDpi();
    state->font = CreateChartFont(state->dpi);
    if (!state->font || !BuildSums(state)) {
        if (state->font)
            DeleteObject(state->font);
        free(state);
        return nullptr;
    }
    state->year = (int)(PeriodDate >> 16);
    state->firstSlot = INT32_MAX;
    std::fill(state->item, state->item + VIEW_COUNT, NO_ITEM);
    bool rebuilt;
    TakeFigures(state, &rebuilt);
    return state;
}

static void FreeChartState(HWND window)
{
    ChartState *state = (ChartState *)SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    if (!state)
        return;
    DestroyChartSums(&state->sums);
    DeleteObject(state->font);
    free(state);
}

// On the primary monitor, where it appears, at that monitor's DPI, and no larger than its
// work area, which a high DPI on a small screen leaves small.
static HWND CreateChartFrame()
{
    UINT dpi = SystemDpi();
    int width = Scale(CHART_WIDTH, dpi), height = Scale(CHART_HEIGHT, dpi);
    RECT work;
    if (SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0)) {
        width = std::min(width, (int)(work.right - work.left));
        height = std::min(height, (int)(work.bottom - work.top));
    }
    const char *title = LoadText(SLOT_GENERAL, IDS_CHARTS_TITLE);
    return CreateWindowExA(WS_EX_APPWINDOW | WS_EX_CONTROLPARENT, CHART_CLASS, title,
                           WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT,
                           width, height, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

static void BringToFront(HWND window)
{
    if (IsIconic(window))
        ShowWindow(window, SW_RESTORE);
    SetForegroundWindow(window);
}

void ShowChartWindow()
{
    if (ChartWindow) {
        BringToFront(ChartWindow);
        return;
    }
    InitChartControls();
    RegisterChartClass();
    ChartState *state = NewChartState();
    if (!state)
        return;
    HWND window = CreateChartFrame();
    if (!window) {
        DestroyChartSums(&state->sums);
        DeleteObject(state->font);
        free(state);
        return;
    }
    SetWindowLongPtrA(window, GWLP_USERDATA, (LONG_PTR)state);
    if (!CreateControls(window, state)) {
        DestroyWindow(window);
        return;
    }
    ChartWindow = window;
    ShowYear(window, state);
    LayOutChartWindow(window);
    SetTimer(window, CHART_TIMER_ID, CHART_TIMER_MS, nullptr);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    SetForegroundWindow(window);
    SetFocus(Plot(window));
}

bool IsChartDialogMessage(MSG *message)
{
    return ChartWindow && IsDialogMessageA(ChartWindow, message);
}

// Moved to a monitor of another DPI: a font for it, the controls measured again in it,
// and the size that Windows suggests.
static void OnChartDpiChanged(HWND window, WPARAM dpis, const RECT *suggested)
{
    ChartState *state = Shown(window);
    HFONT font = state ? CreateChartFont(HIWORD(dpis)) : nullptr;
    if (font) {
        DeleteObject(state->font);
        state->font = font;
        state->dpi = HIWORD(dpis);
        SetChildFonts(window, state);
    }
    TakeSuggestedRect(window, suggested);
    LayOutChartWindow(window);
    RefreshChartPlot(Plot(window));
}

static void OnChartMinMax(HWND window, MINMAXINFO *limits)
{
    ChartState *state = Shown(window);
    UINT dpi = state ? state->dpi : SystemDpi();
    limits->ptMinTrackSize.x = Scale(MIN_WIDTH, dpi);
    limits->ptMinTrackSize.y = Scale(MIN_HEIGHT, dpi);
}

// The keyboard goes back where it was when the window is activated again.
static void OnChartActivate(HWND window, WPARAM state)
{
    ChartState *shown = Shown(window);
    HWND focus = GetFocus();
    if (shown && LOWORD(state) == WA_INACTIVE && focus && IsChild(window, focus))
        shown->lastFocus = focus;
}

static void OnChartFocus(HWND window)
{
    ChartState *state = Shown(window);
    HWND target = state && state->lastFocus && IsWindowEnabled(state->lastFocus)
                          && IsWindowVisible(state->lastFocus)
                      ? state->lastFocus
                      : Plot(window);
    if (target)
        SetFocus(target);
}

// A window that is being replaced must not clear the handle of its successor.
static void ForgetChartWindow(HWND window)
{
    KillTimer(window, CHART_TIMER_ID);
    if (ChartWindow == window)
        ChartWindow = nullptr;
}

LRESULT CALLBACK ChartWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SIZE:
        LayOutChartWindow(window);
        return 0;
    case WM_DPICHANGED:
        OnChartDpiChanged(window, wParam, (const RECT *)lParam);
        return 0;
    case WM_GETMINMAXINFO:
        OnChartMinMax(window, (MINMAXINFO *)lParam);
        return 0;
    case WM_TIMER:
        if (wParam == CHART_TIMER_ID)
            OnChartTimer(window);
        return 0;
    case WM_COMMAND:
        OnChartCommand(window, wParam, (HWND)lParam);
        return 0;
    case WM_ACTIVATE:
        OnChartActivate(window, wParam);
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_SETFOCUS:
        OnChartFocus(window);
        return 0;
    case WM_MOUSEWHEEL:  // where the wheel reaches the window itself, the bars take it
        return SendMessageA(Plot(window), message, wParam, lParam);
    case WM_SETTINGCHANGE:  // high contrast on or off, a new work area
        OnScreenSettingChange(window, wParam);
        InvalidateRect(Plot(window), nullptr, FALSE);
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_SYSCOLORCHANGE:
        InvalidateRect(Plot(window), nullptr, FALSE);
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_DISPLAYCHANGE:
        KeepWindowOnScreen(window);
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_CLOSE:
        CloseChartWindow(window);
        return 0;
    case WM_DESTROY:
        ForgetChartWindow(window);
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_NCDESTROY:
        FreeChartState(window);
        return DefWindowProcA(window, message, wParam, lParam);
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}
