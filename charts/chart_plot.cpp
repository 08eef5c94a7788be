// The chart's child window: painting, scrolling, the keyboard, the mouse and the tooltip.
#include "chart_plot.h"

#include <commctrl.h>
#include <stdlib.h>
#include <windowsx.h>
#include <algorithm>
#include "chart_paint.h"
#include "chart_text.h"
#include "../res/resource.h"
#include "../ui/buffered_paint.h"
#include "../ui/dark_mode.h"
#include "../ui/dpi.h"
#include "../ui/fonts.h"
#include "../ui/on_screen.h"
#include "../ui/window_class.h"

// What the plot shows and how, both kept by the chart window, and what it draws with.
struct PlotParts {
    const ChartData *data;
    ChartView *view;
    HFONT font;  // the chart window's, at dpi
    UINT dpi;
    HWND tooltip;
    HFONT grown;  // the grid's labels' where its cells grew past their base size; ours
    int grownHeight;
};

static PlotParts *Parts(HWND plot)
{
    return (PlotParts *)GetWindowLongPtrA(plot, GWLP_USERDATA);
}

void RegisterChartPlotClass()
{
    WindowClassLook look = {CS_DBLCLKS, nullptr, false};
    RegisterWindowClass(GetModuleHandleA(nullptr), CHART_PLOT_CLASS, ChartPlotProc, look);
}

static TOOLINFOA PlotTool(HWND plot)
{
    TOOLINFOA tool = {};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_TRACK | TTF_ABSOLUTE;
    tool.hwnd = plot;
    tool.uId = (UINT_PTR)plot;
    return tool;
}

// A tracking tooltip at the place the plot gives, which keeps it on the screen: it shows
// where and while the plot says, for the mouse and the keys alike. Made when it first shows,
// not with the window, whose first picture has none; owned by the chart window, in its font
// and in the app mode now.
static HWND CreateChartTip(HWND plot, HFONT font)
{
    HWND tip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                               WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, GetParent(plot),
                               nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!tip)
        return nullptr;
    TOOLINFOA tool = PlotTool(plot);
    tool.lpszText = (char *)"";
    SendMessageA(tip, TTM_ADDTOOLA, 0, (LPARAM)&tool);
    // Any width lets the text break at its line feeds, and only there.
    SendMessageA(tip, TTM_SETMAXTIPWIDTH, 0, SHRT_MAX);
    SendMessageA(tip, WM_SETFONT, (WPARAM)font, FALSE);
    FollowAppModeOfControl(tip);
    return tip;
}

HWND CreateChartPlot(HWND parent, const ChartData *data, ChartView *view, HFONT font, UINT dpi)
{
    PlotParts *parts = (PlotParts *)calloc(1, sizeof(PlotParts));
    if (!parts)
        return nullptr;
    *parts = PlotParts{data, view, font, dpi, nullptr, nullptr, 0};
    HWND plot = CreateWindowExA(0, CHART_PLOT_CLASS, "",
                                WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_HSCROLL, 0, 0, 0, 0, parent,
                                (HMENU)(INT_PTR)IDC_CHART_PLOT, GetModuleHandleA(nullptr), nullptr);
    if (!plot) {
        free(parts);
        return nullptr;
    }
    SetWindowLongPtrA(plot, GWLP_USERDATA, (LONG_PTR)parts);
    return plot;
}

void SetChartPlotFont(HWND plot, HFONT font, UINT dpi)
{
    PlotParts *parts = Parts(plot);
    if (!parts)
        return;
    parts->font = font;
    parts->dpi = dpi;
    ReplaceFont(&parts->grown, nullptr);
    parts->grownHeight = 0;
    if (parts->tooltip)
        SendMessageA(parts->tooltip, WM_SETFONT, (WPARAM)font, FALSE);
}

static void FreePlotParts(HWND plot)
{
    PlotParts *parts = (PlotParts *)SetWindowLongPtrA(plot, GWLP_USERDATA, 0);
    if (parts)
        ReplaceFont(&parts->grown, nullptr);
    free(parts);
}

// The chart's font grown by as much as the grid's cells in `layout`, made again only when
// that height changes (a resize), not at every paint; null where the cells did not grow.
static HFONT GrownFont(PlotParts *parts, const ChartLayout &layout)
{
    LOGFONTA base;
    if (layout.baseCell <= 0 || layout.cell <= layout.baseCell ||
        !GetObjectA(parts->font, sizeof base, &base) || base.lfHeight == 0)
        return nullptr;
    int height = abs((int)base.lfHeight) * layout.cell / layout.baseCell;
    if (height != parts->grownHeight) {
        ReplaceFont(&parts->grown, CreateWindowFont(parts->dpi, height));
        parts->grownHeight = height;
    }
    return parts->grown;
}

// The layout in the chart's font or, where the grid's cells grew, in the grown font, which
// is then left selected in `dc`; the same for painting and for finding what lies under a
// point.
static ChartLayout LayOutPlot(HWND plot, HDC dc, const RECT &client)
{
    PlotParts *parts = Parts(plot);
    SelectObject(dc, parts->font);
    ChartLayout layout = LayOutChart(dc, client, parts->data, parts->view, parts->dpi);
    HFONT grown = GrownFont(parts, layout);
    if (!grown)
        return layout;
    SelectObject(dc, grown);
    ChartLayout larger = LayOutChart(dc, client, parts->data, parts->view, parts->dpi);
    if (larger.cell > larger.baseCell)
        return larger;
    // The grown labels took the room the cells grew into.
    SelectObject(dc, parts->font);
    return layout;
}

static ChartLayout PlotLayout(HWND plot)
{
    RECT client;
    GetClientRect(plot, &client);
    HDC dc = GetDC(plot);
    HGDIOBJ oldFont = GetCurrentObject(dc, OBJ_FONT);
    ChartLayout layout = LayOutPlot(plot, dc, client);
    SelectObject(dc, oldFont);
    ReleaseDC(plot, dc);
    return layout;
}

// ---- Scrolling ----------------------------------------------------------------------

// How many bars fit does not hang on which are in view: the axis is as wide as the whole
// series needs.
static int32_t SlotsShown(HWND plot)
{
    return PlotLayout(plot).slotsShown;
}

// The bars in view stay inside the series: the last bar at the right edge at most. `shown`
// is SlotsShown.
static void ScrollBarsTo(HWND plot, PlotParts *parts, int32_t shown, int64_t firstSlot)
{
    int32_t slots = ShownSeries(parts->data, parts->view)->slots;
    parts->view->firstSlot = (int32_t)std::max((int64_t)0, std::min(firstSlot,
                              (int64_t)slots - shown));
    parts->view->slotsShown = shown;
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    info.nMax = slots - 1;
    info.nPage = (UINT)shown;
    info.nPos = parts->view->firstSlot;
    SetScrollInfo(plot, SB_HORZ, &info, TRUE);
    InvalidateRect(plot, nullptr, FALSE);
}

static void OnPlotScroll(HWND plot, WPARAM request)
{
    PlotParts *parts = Parts(plot);
    if (!parts || parts->view->kind != VIEW_BARS)
        return;
    int32_t shown = SlotsShown(plot);
    int64_t first = parts->view->firstSlot;
    SCROLLINFO info = {sizeof info, SIF_TRACKPOS, 0, 0, 0, 0, 0};
    switch (LOWORD(request)) {
    case SB_LINELEFT: first -= 1; break;
    case SB_LINERIGHT: first += 1; break;
    case SB_PAGELEFT: first -= shown; break;
    case SB_PAGERIGHT: first += shown; break;
    case SB_LEFT: first = 0; break;
    case SB_RIGHT: first = INT32_MAX; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:  // the 32-bit position, not the message's 16 bits
        if (GetScrollInfo(plot, SB_HORZ, &info))
            first = info.nTrackPos;
        break;
    default: return;
    }
    ScrollBarsTo(plot, parts, shown, first);
}

// A notch moves a tenth of the bars in view; up and left go back in time. A fine wheel's
// parts of a notch add up until they make one.
static void OnPlotWheel(HWND plot, int delta, bool horizontal)
{
    PlotParts *parts = Parts(plot);
    if (!parts || parts->view->kind != VIEW_BARS)
        return;
    parts->view->wheelRest += horizontal ? delta : -delta;
    int notches = parts->view->wheelRest / WHEEL_DELTA;
    parts->view->wheelRest -= notches * WHEEL_DELTA;
    int32_t shown = SlotsShown(plot);
    ScrollBarsTo(plot, parts, shown, (int64_t)parts->view->firstSlot + std::max(1,
                 shown / 10) * notches);
}

static void HideTip(const PlotParts *parts)
{
    if (parts && parts->tooltip)
        SendMessageA(parts->tooltip, TTM_TRACKACTIVATE, FALSE, 0);
}

void RefreshChartPlot(HWND plot)
{
    PlotParts *parts = Parts(plot);
    if (!parts)
        return;
    HideTip(parts);
    ShowScrollBar(plot, SB_HORZ, parts->view->kind == VIEW_BARS);
    if (parts->view->kind == VIEW_BARS)
        ScrollBarsTo(plot, parts, SlotsShown(plot), parts->view->firstSlot);
    InvalidateRect(plot, nullptr, FALSE);
}

// ---- The highlighted item and its tooltip ---------------------------------------------

static void ItemTipText(const PlotParts *parts, int32_t item, char *text)
{
    if (parts->view->kind == VIEW_BARS)
        BarTipText(parts->data, parts->view, item, text);
    else if (parts->view->kind == VIEW_CALENDAR)
        DayTipText(parts->data, parts->view, item, text);
    else
        HourTipText(parts->data, item, text);
}


// Right of the item, or left of it where the plot has no room for the tip on the right;
// inside the monitor's work area in any case.
static POINT TipPlace(HWND plot, const PlotParts *parts, int32_t item, LRESULT size)
{
    int width = LOWORD(size), height = HIWORD(size), gap = Scale(4, parts->dpi);
    RECT rect = ChartItemRect(PlotLayout(plot), parts->data, parts->view, item), client;
    GetClientRect(plot, &client);
    POINT at = {rect.right + gap, rect.top + (rect.bottom - rect.top) / 3};
    if (at.x + width > client.right)
        at.x = rect.left - gap - width;
    ClientToScreen(plot, &at);
    SIZE bubble = {width, height};
    return InsideNearestWorkArea(plot, at, bubble);
}

// Without a tooltip (none could be made) the highlight shows alone.
static void ShowTip(HWND plot, PlotParts *parts, int32_t item)
{
    if (!parts->tooltip)
        parts->tooltip = CreateChartTip(plot, parts->font);
    if (!parts->tooltip)
        return;
    char text[CHART_TEXT_SIZE];
    ItemTipText(parts, item, text);
    TOOLINFOA tool = PlotTool(plot);
    tool.lpszText = text;
    SendMessageA(parts->tooltip, TTM_UPDATETIPTEXTA, 0, (LPARAM)&tool);
    LRESULT size = SendMessageA(parts->tooltip, TTM_GETBUBBLESIZE, 0, (LPARAM)&tool);
    POINT at = TipPlace(plot, parts, item, size);
    SendMessageA(parts->tooltip, TTM_TRACKPOSITION, 0, MAKELPARAM(at.x, at.y));
    SendMessageA(parts->tooltip, TTM_TRACKACTIVATE, TRUE, (LPARAM)&tool);
}

void UpdateChartTip(HWND plot)
{
    PlotParts *parts = Parts(plot);
    int32_t item = parts ? parts->view->item[parts->view->kind] : NO_ITEM;
    if (item != NO_ITEM && IsWindowVisible(parts->tooltip))
        ShowTip(plot, parts, item);
}

static void Highlight(HWND plot, PlotParts *parts, int32_t item)
{
    parts->view->item[parts->view->kind] = item;
    InvalidateRect(plot, nullptr, FALSE);
    if (item == NO_ITEM)
        HideTip(parts);
    else
        ShowTip(plot, parts, item);
}

// The bars scroll to keep the highlighted one in view.
static void OnPlotKey(HWND plot, WPARAM key)
{
    // Escape reaches the plot only where the chart window's keyboard handling does not run
    // (a modal loop's); posted, so that the plot is not destroyed inside its own handler.
    if (key == VK_ESCAPE)
        PostMessageA(GetParent(plot), WM_CLOSE, 0, 0);
    PlotParts *parts = Parts(plot);
    if (!parts || !IsMoveKey(key))
        return;
    int32_t shown = SlotsShown(plot);
    int32_t item = MovedItem(parts->data, parts->view, key, shown);
    if (parts->view->kind == VIEW_BARS && item < parts->view->firstSlot)
        ScrollBarsTo(plot, parts, shown, item);
    else if (parts->view->kind == VIEW_BARS && item >= (int64_t)parts->view->firstSlot + shown)
        ScrollBarsTo(plot, parts, shown, (int64_t)item - shown + 1);
    Highlight(plot, parts, item);
}

static void OnPlotMouseMove(HWND plot, LPARAM position)
{
    PlotParts *parts = Parts(plot);
    if (!parts)
        return;
    TRACKMOUSEEVENT leave = {sizeof leave, TME_LEAVE, plot, 0};
    TrackMouseEvent(&leave);
    POINT point = {GET_X_LPARAM(position), GET_Y_LPARAM(position)};
    int32_t item = ChartItemAt(PlotLayout(plot), parts->data, parts->view, point);
    const ChartView *view = parts->view;
    if (item != NO_ITEM && (item != view->item[view->kind] || !IsWindowVisible(parts->tooltip)))
        Highlight(plot, parts, item);
    else if (item == NO_ITEM)
        HideTip(parts);
}

static void OnPlotFocus(HWND plot, bool gained)
{
    PlotParts *parts = Parts(plot);
    if (parts && !gained)
        HideTip(parts);
    InvalidateRect(plot, nullptr, FALSE);
}

// ---- Painting -------------------------------------------------------------------------

// The chart into `memoryDc`, whose bitmap is as large as the plot's client area.
static void DrawPicture(HWND plot, const PlotParts *parts, HDC memoryDc, const RECT &client,
                        bool focusCue)
{
    HGDIOBJ oldFont = GetCurrentObject(memoryDc, OBJ_FONT);
    ChartLayout layout = LayOutPlot(plot, memoryDc, client);
    PaintChart(memoryDc, layout, parts->data, parts->view);
    SelectObject(memoryDc, oldFont);
    if (focusCue && GetFocus() == plot) {
        RECT cue = client;
        InflateRect(&cue, -Scale(2, parts->dpi), -Scale(2, parts->dpi));
        DrawFocusRect(memoryDc, &cue);
    }
}

static void DrawOnScreen(HWND plot, HDC memoryDc, const RECT &client, void *parts)
{
    DrawPicture(plot, (const PlotParts *)parts, memoryDc, client, true);
}

static void DrawForExport(HWND plot, HDC memoryDc, const RECT &client, void *parts)
{
    DrawPicture(plot, (const PlotParts *)parts, memoryDc, client, false);
}

static void OnPlotPaint(HWND plot)
{
    PaintBuffered(plot, nullptr, DrawOnScreen, Parts(plot));
}

HBITMAP ChartPicture(HWND plot)
{
    PlotParts *parts = Parts(plot);
    RECT client;
    GetClientRect(plot, &client);
    return parts ? DrawnBitmap(plot, client, DrawForExport, parts) : nullptr;
}

LRESULT CALLBACK ChartPlotProc(HWND plot, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        OnPlotPaint(plot);
        return 0;
    case WM_ERASEBKGND:  // the paint covers every pixel
        return 1;
    case WM_SIZE:
        RefreshChartPlot(plot);
        return 0;
    case WM_GETDLGCODE:  // the arrows move the highlight, not the focus
        return DLGC_WANTARROWS;
    case WM_KEYDOWN:
        OnPlotKey(plot, wParam);
        return 0;
    case WM_HSCROLL:
        OnPlotScroll(plot, wParam);
        return 0;
    case WM_MOUSEWHEEL:
        OnPlotWheel(plot, GET_WHEEL_DELTA_WPARAM(wParam), false);
        return 0;
    case WM_MOUSEHWHEEL:
        OnPlotWheel(plot, GET_WHEEL_DELTA_WPARAM(wParam), true);
        return 0;
    case WM_MOUSEMOVE:
        OnPlotMouseMove(plot, lParam);
        return 0;
    case WM_MOUSELEAVE:
        HideTip(Parts(plot));
        return 0;
    case WM_LBUTTONDOWN:
        SetFocus(plot);
        return 0;
    case WM_SETFOCUS:
        OnPlotFocus(plot, true);
        return 0;
    case WM_KILLFOCUS:
        OnPlotFocus(plot, false);
        return 0;
    case WM_NCDESTROY:
        FreePlotParts(plot);
        return 0;
    }
    return DefWindowProcA(plot, message, wParam, lParam);
}
