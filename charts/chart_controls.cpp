// The row of controls along the top of the chart window, and the plot under it.
#include "chart_controls.h"

#include <string.h>
#include <algorithm>
#include "chart_plot.h"
#include "chart_text.h"
#include "../core/dates.h"
#include "../res/resource.h"
#include "../text/text.h"
#include "../ui/control_row.h"
#include "../ui/dpi.h"

// Sizes at 96 dpi.
static const int SPACING = 8;       // around and between the controls
static const int COMBO_LIST = 200;  // the height of a combo box's open list
static const int COMBO_ROOM = 36;   // a combo box's arrow and padding beside its text
static const int BUTTON_ROOM = 24;

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

void SetChartFonts(HWND window, HFONT font, UINT dpi)
{
    for (const ChartControl &control : CONTROLS)
        SendMessageA(GetDlgItem(window, control.id), WM_SETFONT, (WPARAM)font, TRUE);
    SetChartPlotFont(GetDlgItem(window, IDC_CHART_PLOT), font, dpi);
}

static void FillCombo(HWND window, const ComboItems &combo, int selected)
{
    HWND box = GetDlgItem(window, combo.id);
    for (int i = 0; i < combo.count; ++i)
        SendMessageA(box, CB_ADDSTRING, 0, (LPARAM)LoadText(SLOT_GENERAL, combo.names[i]));
    SendMessageA(box, CB_SETCURSEL, selected, 0);
}

static bool ShownInView(int id, int view)
{
    if (id == IDC_CHART_UNIT)
        return view == VIEW_BARS;
    if (id == IDC_CHART_YEAR_PREVIOUS || id == IDC_CHART_YEAR || id == IDC_CHART_YEAR_NEXT)
        return view == VIEW_CALENDAR;
    return true;
}

// A control as wide as its widest text and the room around it; `row` measures in the font.
static int ControlWidth(const ControlRow &row, const ChartControl &control, UINT dpi)
{
    for (const ComboItems &combo : COMBOS) {
        if (combo.id != control.id)
            continue;
        int widest = 0;
        for (int i = 0; i < combo.count; ++i)
            widest = std::max(widest, RowTextWidth(row, LoadText(SLOT_GENERAL, combo.names[i]), 0));
        return widest + Scale(COMBO_ROOM, dpi);
    }
    char text[CHART_TEXT_SIZE];
    if (control.id == IDC_CHART_YEAR)
        YearText(30000, text);  // room for any year
    else
        lstrcpynA(text, LoadText(SLOT_GENERAL, control.textId), sizeof text);
    return std::max(row.height, RowTextWidth(row, text, 0) + Scale(BUTTON_ROOM, dpi));
}

static const int CONTROL_COUNT = sizeof CONTROLS / sizeof CONTROLS[0];

// Where the controls of the view `kind` go, in the order of CONTROLS (empty for those the
// view hides), and the plot under them.
struct ChartPlaces {
    RECT controls[CONTROL_COUNT];
    RECT plot;
};

static bool IsCombo(const ChartControl &control)
{
    return strcmp(control.className, "COMBOBOX") == 0;
}

// In a row from the left, `height` high (a closed combo box's in `font`), a combo box
// taller by its open list.
static ChartPlaces PlacesFor(HWND window, int kind, HFONT font, UINT dpi, int height)
{
    ChartPlaces places = {};
    int spacing = Scale(SPACING, dpi);
    ControlRow row = StartControlRow(window, font, spacing, spacing, height);
    for (int i = 0; i < CONTROL_COUNT; ++i) {
        const ChartControl &control = CONTROLS[i];
        if (!ShownInView(control.id, kind))
            continue;
        bool yearPart = control.id == IDC_CHART_YEAR_PREVIOUS || control.id == IDC_CHART_YEAR;
        places.controls[i] = NextInRow(&row, ControlWidth(row, control, dpi),
                                       IsCombo(control) ? Scale(COMBO_LIST, dpi) : 0,
                                       yearPart ? spacing / 2 : spacing);  // the year by its arrows
    }
    EndControlRow(&row);
    RECT client;
    GetClientRect(window, &client);
    int top = 2 * spacing + height;
    places.plot = RECT{0, top, client.right, std::max((LONG)top, client.bottom)};
    return places;
}

// The row's height: the figure's combo box, closed, as its font makes it.
static int ClosedComboHeight(HWND window)
{
    RECT field;
    GetWindowRect(GetDlgItem(window, IDC_CHART_FIGURE), &field);
    return field.bottom - field.top;
}

static HWND CreateControl(HWND window, const ChartControl &control, int kind, const RECT &place,
                          HFONT font)
{
    const char *text = control.textId ? LoadText(SLOT_GENERAL, control.textId) : "";
    DWORD style = WS_CHILD | control.style;
    if (ShownInView(control.id, kind))
        style |= WS_VISIBLE;
    HWND made = CreateWindowExA(0, control.className, text, style, place.left, place.top,
                                place.right - place.left, place.bottom - place.top, window,
                                (HMENU)(INT_PTR)control.id, GetModuleHandleA(nullptr), nullptr);
    if (made)
        SendMessageA(made, WM_SETFONT, (WPARAM)font, FALSE);
    return made;
}

// Each button and label is made in its place and font, visible where the view shows it, so
// that a window not shown yet has little to move or show. A combo box sizes its open list
// from the height it is given after its font, so each is made first and moved there; the
// first one's height sets the row's.
bool CreateChartControls(HWND window, const ChartData *data, ChartView *view, HFONT font,
                         UINT dpi)
{
    HWND made[CONTROL_COUNT] = {};
    for (int i = 0; i < CONTROL_COUNT && IsCombo(CONTROLS[i]); ++i)
        if (!(made[i] = CreateControl(window, CONTROLS[i], view->kind, RECT{}, font)))
            return false;
    ChartPlaces places = PlacesFor(window, view->kind, font, dpi, ClosedComboHeight(window));
    for (int i = 0; i < CONTROL_COUNT; ++i) {
        if (made[i])
            MoveIntoPlace(made[i], places.controls[i]);
        else if (!CreateControl(window, CONTROLS[i], view->kind, places.controls[i], font))
            return false;
    }
    // Created last, so that Tab reaches it after the buttons.
    HWND plot = CreateChartPlot(window, data, view, font, dpi);
    if (!plot)
        return false;
    MoveIntoPlace(plot, places.plot);
    const int selected[] = {view->figure, view->kind, view->unit};
    for (int i = 0; i < 3; ++i)
        FillCombo(window, COMBOS[i], selected[i]);
    return true;
}

// The years that hold a day of the history, today's among them.
void YearRange(const ChartData *data, int *first, int *last)
{
    const ChartSeries *days = &data->sums.series[UNIT_DAY];
    *first = YearOf(DateOfDay(days->firstPeriod));
    *last = YearOf(DateOfDay(days->firstPeriod + days->slots - 1));
}

// A control that is turned off or hidden while it has the keyboard hands it to the plot,
// rather than keep it from all.
static void HandFocusToPlot(HWND window, HWND control)
{
    if (GetFocus() == control)
        SetFocus(GetDlgItem(window, IDC_CHART_PLOT));
}

static void EnableControl(HWND window, int id, bool enabled)
{
    HWND control = GetDlgItem(window, id);
    if (!enabled)
        HandFocusToPlot(window, control);
    EnableWindow(control, enabled);
}

void ShowChartYear(HWND window, const ChartData *data, int year)
{
    char label[CHART_TEXT_SIZE];
    YearText(year, label);
    SetDlgItemTextA(window, IDC_CHART_YEAR, label);
    int first, last;
    YearRange(data, &first, &last);
    EnableControl(window, IDC_CHART_YEAR_PREVIOUS, year > first);
    EnableControl(window, IDC_CHART_YEAR_NEXT, year < last);
}

void LayOutChartWindow(HWND window, int kind, HFONT font, UINT dpi)
{
    ChartPlaces places = PlacesFor(window, kind, font, dpi, ClosedComboHeight(window));
    for (int i = 0; i < CONTROL_COUNT; ++i) {
        HWND child = GetDlgItem(window, CONTROLS[i].id);
        bool shown = ShownInView(CONTROLS[i].id, kind);
        if (!shown)
            HandFocusToPlot(window, child);
        if (shown != ((GetWindowLongA(child, GWL_STYLE) & WS_VISIBLE) != 0))
            ShowWindow(child, shown ? SW_SHOWNA : SW_HIDE);
        if (shown)
            MoveIntoPlace(child, places.controls[i]);
    }
    MoveIntoPlace(GetDlgItem(window, IDC_CHART_PLOT), places.plot);
}
