// The chart window: its controls along the top, the plot below them, the figures it takes
// from the counters once a second, and Copy and Save as PNG.
//
// The sums of the history are built when the window opens and again only when the history
// has grown or the day has changed; between, the 1 s timer brings today's bar up to date
// from the running period, as the meter shows it, and the window never writes a figure.
#include "chart_window.h"

#include <commctrl.h>
#include <commdlg.h>
#include <stdlib.h>
#include <string.h>
#include <wchar.h>
#include <algorithm>
#include "chart_controls.h"
#include "chart_figures.h"
#include "chart_plot.h"
#include "chart_view.h"
#include "../core/dates.h"
#include "../core/figures.h"
#include "../res/resource.h"
#include "../text/text.h"
#include "../ui/dark_mode.h"
#include "../ui/dialog_focus.h"
#include "../ui/dpi.h"
#include "../ui/file_dialogs.h"
#include "../ui/fonts.h"
#include "../ui/icons.h"
#include "../ui/on_screen.h"
#include "../ui/picture_export.h"
#include "../ui/window_class.h"

HWND ChartWindow;

// Sizes at 96 dpi.
static const int CHART_WIDTH = 860;
static const int CHART_HEIGHT = 520;
static const int MIN_WIDTH = 600;  // room for the row of controls of every view
static const int MIN_HEIGHT = 340;

#define PNG_DEFAULT_NAME L"TallywickChart.png"

// What places the row of controls and the plot: the client size, the view and the DPI (which
// sets the font).
struct ChartPlacing {
    LONG width, height;
    int kind;
    UINT dpi;
};

// One lives with each chart window (there is at most one), attached to it: what the chart
// shows, how it is viewed, and what the window draws with, which only this file keeps.
struct ChartWindowParts {
    ChartData data;
    ChartView view;
    UINT dpi;
    HFONT font;      // at dpi, for the controls and the chart
    HWND lastFocus;  // the control that had the keyboard when the window went inactive
    ChartPlacing laidOut;  // what the controls were last laid out for
};

static ChartWindowParts *Shown(HWND window)
{
    return (ChartWindowParts *)GetWindowLongPtrA(window, GWLP_USERDATA);
}

static HWND Plot(HWND window)
{
    return GetDlgItem(window, IDC_CHART_PLOT);
}

static ChartPlacing PlacingNow(HWND window, const ChartWindowParts *state)
{
    RECT client;
    GetClientRect(window, &client);
    return ChartPlacing{client.right, client.bottom, state->view.kind, state->dpi};
}

// Laid out again only when something that places the controls changed: the first WM_SIZE of
// the window, whose controls were made in their places, moves nothing.
static void LayOut(HWND window, ChartWindowParts *state)
{
    ChartPlacing placing = PlacingNow(window, state);
    if (memcmp(&placing, &state->laidOut, sizeof placing) == 0)
        return;
    state->laidOut = placing;
    LayOutChartWindow(window, state->view.kind, state->font, state->dpi);
}

// At most one repaint a second, and none while nothing shown has changed.
static void OnChartTimer(HWND window)
{
    ChartWindowParts *state = Shown(window);
    bool rebuilt;
    if (!state || !TakeChartFigures(&state->data, &state->view, &rebuilt))
        return;
    HWND plot = Plot(window);
    if (rebuilt) {
        ShowChartYear(window, &state->data, state->view.year);
        RefreshChartPlot(plot);
    }
    InvalidateRect(plot, nullptr, FALSE);
    UpdateChartTip(plot);
}

// ---- Commands -------------------------------------------------------------------------

static void OnChoiceChanged(HWND window, int id, HWND box)
{
    ChartWindowParts *state = Shown(window);
    int choice = (int)SendMessageA(box, CB_GETCURSEL, 0, 0);
    if (!state || choice < 0)
        return;
    if (id == IDC_CHART_FIGURE)
        state->view.figure = choice;
    if (id == IDC_CHART_VIEW) {
        state->view.kind = choice;
        LayOut(window, state);
    }
    if (id == IDC_CHART_UNIT && choice != state->view.unit) {
        state->view.unit = choice;
        state->view.firstSlot = INT32_MAX;  // today's end of the new bars
        state->view.item[VIEW_BARS] = NO_ITEM;
    }
    RefreshChartPlot(Plot(window));
}

static void ChangeYear(HWND window, int by)
{
    ChartWindowParts *state = Shown(window);
    if (!state)
        return;
    int first, last;
    YearRange(&state->data, &first, &last);
    state->view.year = std::max(first, std::min(last, state->view.year + by));
    state->view.item[VIEW_CALENDAR] = NO_ITEM;
    ShowChartYear(window, &state->data, state->view.year);
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

// The picture is taken when the button is pressed, as the chart was shown then.
static void SaveChart(HWND window)
{
    HBITMAP picture = ChartPicture(Plot(window));
    if (!picture)
        return;
    wchar_t path[MAX_PATH], filter[160];
    PngFileFilter(filter, sizeof filter / sizeof filter[0]);
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
    switch (id) {
    case IDC_CHART_FIGURE:
    case IDC_CHART_VIEW:
    case IDC_CHART_UNIT:
        if (HIWORD(wParam) == CBN_SELCHANGE)
            OnChoiceChanged(window, id, control);
        break;
    case IDC_CHART_YEAR_PREVIOUS:
        ChangeYear(window, -1);
        break;
    case IDC_CHART_YEAR_NEXT:
        ChangeYear(window, +1);
        break;
    case IDC_CHART_COPY:
        CopyChart(window);
        break;
    case IDC_CHART_SAVE:
        SaveChart(window);
        break;
    case IDCANCEL:  // Escape, from the keyboard handling of the controls
        CloseChartWindow(window);
        break;
    }
}

// ---- The window -----------------------------------------------------------------------

static void RegisterChartClass()
{
    WindowClassLook look = {0, (HBRUSH)(COLOR_BTNFACE + 1), true};
    RegisterWindowClass(GetModuleHandleA(nullptr), CHART_CLASS, ChartWindowProc, look);
    RegisterChartPlotClass();
}

static void DestroyChartParts(ChartWindowParts *state)
{
    DestroyChartSums(&state->data.sums);
    ReplaceFont(&state->font, nullptr);
    free(state);
}

// What a fresh window shows: key presses by day, this year's calendar, the bars' end.
static ChartWindowParts *NewChartParts()
{
    ChartWindowParts *state = (ChartWindowParts *)calloc(1, sizeof(ChartWindowParts));
    if (!state)
        return nullptr;
    state->dpi = SystemDpi();
    state->font = CreateWindowFont(state->dpi, 0);
    if (!state->font || !BuildStoredSums(&state->data)) {
        DestroyChartParts(state);
        return nullptr;
    }
    state->view.year = YearOf(PeriodDate);
    state->view.firstSlot = INT32_MAX;
    std::fill(state->view.item, state->view.item + VIEW_COUNT, NO_ITEM);
    bool rebuilt;
    TakeChartFigures(&state->data, &state->view, &rebuilt);
    return state;
}

static void FreeChartParts(HWND window)
{
    ChartWindowParts *state = (ChartWindowParts *)SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    if (state)
        DestroyChartParts(state);
}

// The window's font, and so every size of the chart, at `dpi`.
static void UseDpi(HWND window, ChartWindowParts *state, UINT dpi)
{
    HFONT font = CreateWindowFont(dpi, 0);
    if (!font)
        return;  // the font there is, at its size, rather than none
    ReplaceFont(&state->font, font);
    state->dpi = dpi;
    SetChartFonts(window, state->font, state->dpi);
}

// On the primary monitor, where it appears, at that monitor's DPI.
static HWND CreateChartFrame()
{
    UINT dpi = SystemDpi();
    SIZE size = {Scale(CHART_WIDTH, dpi), Scale(CHART_HEIGHT, dpi)};
    OpeningPlace place = PlaceNewWindow(size, OPEN_WHERE_SYSTEM_CHOOSES);
    const char *title = LoadText(SLOT_GENERAL, IDS_CHARTS_TITLE);
    return CreateWindowExA(WS_EX_APPWINDOW | WS_EX_CONTROLPARENT, CHART_CLASS, title,
                           WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, place.x, place.y, place.width,
                           place.height, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
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
    UseControlClasses(ICC_STANDARD_CLASSES | ICC_BAR_CLASSES);
    RegisterChartClass();
    ChartWindowParts *state = NewChartParts();
    if (!state)
        return;
    HWND window = CreateChartFrame();
    if (!window) {
        DestroyChartParts(state);
        return;
    }
    SetWindowLongPtrA(window, GWLP_USERDATA, (LONG_PTR)state);
    if (!CreateChartControls(window, &state->data, &state->view, state->font, state->dpi)) {
        DestroyWindow(window);
        return;
    }
    state->laidOut = PlacingNow(window, state);
    ChartWindow = window;
    if (WindowDpi(window) != state->dpi)  // placed by the system on another monitor
        UseDpi(window, state, WindowDpi(window));
    SetWindowIcons(window, WindowDpi(window));
    FollowAppModeAtOpen(window);
    ShowChartYear(window, &state->data, state->view.year);
    LayOut(window, state);
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

static void OnChartSize(HWND window)
{
    ChartWindowParts *state = Shown(window);
    if (state)
        LayOut(window, state);
}

// Moved to a monitor of another DPI: a font for it, the controls measured again in it,
// and the size that Windows suggests.
static void OnChartDpiChanged(HWND window, WPARAM dpis, const RECT *suggested)
{
    ChartWindowParts *state = Shown(window);
    if (state)
        UseDpi(window, state, HIWORD(dpis));
    SetWindowIcons(window, HIWORD(dpis));
    TakeSuggestedRect(window, suggested);
    OnChartSize(window);
    RefreshChartPlot(Plot(window));
}

static void OnChartMinMax(HWND window, MINMAXINFO *limits)
{
    ChartWindowParts *state = Shown(window);
    UINT dpi = state ? state->dpi : SystemDpi();
    limits->ptMinTrackSize.x = Scale(MIN_WIDTH, dpi);
    limits->ptMinTrackSize.y = Scale(MIN_HEIGHT, dpi);
}

// The keyboard goes back where it was when the window is activated again.
static void OnChartActivate(HWND window, WPARAM state)
{
    ChartWindowParts *shown = Shown(window);
    if (shown)
        RememberDialogFocus(window, state, &shown->lastFocus);
}

static void OnChartFocus(HWND window)
{
    ChartWindowParts *state = Shown(window);
    HWND target = state ? DialogFocusToRestore(state->lastFocus) : nullptr;
    if (!target)
        target = Plot(window);
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
        OnChartSize(window);
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
        break;
    case WM_SETFOCUS:
        OnChartFocus(window);
        return 0;
    case WM_MOUSEWHEEL:  // where the wheel reaches the window itself, the bars take it
        SendMessageA(Plot(window), message, wParam, lParam);
        return 0;
    case WM_SETTINGCHANGE:  // high contrast on or off, a new work area, the app mode
        OnScreenSettingChange(window, wParam);
        if (IsAppModeChange(lParam))
            FollowAppMode(window);
        InvalidateRect(Plot(window), nullptr, FALSE);
        break;
    case WM_ERASEBKGND:  // the controls' row in the palette's face, dark or light
        EraseWithFace(window, (HDC)wParam);
        return 1;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
        if (HBRUSH brush = DarkControlColour(message, (HDC)wParam))
            return (LRESULT)brush;
        break;
    case WM_SYSCOLORCHANGE:
        InvalidateRect(Plot(window), nullptr, FALSE);
        break;
    case WM_DISPLAYCHANGE:
        KeepWindowOnScreen(window);
        break;
    case WM_CLOSE:
        CloseChartWindow(window);
        return 0;
    case WM_DESTROY:
        ForgetChartWindow(window);
        break;
    case WM_NCDESTROY:
        FreeChartParts(window);
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
