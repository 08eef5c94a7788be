// The chart's picture: the bars over time here, the calendar and the week clock in
// chart_grid.cpp. Every length is given at 96 dpi and scaled to the layout's DPI.
#include "chart_paint.h"

#include <algorithm>
#include <math.h>
#include <string.h>
#include "chart_drawing.h"
#include "chart_grid.h"
#include "chart_text.h"
#include "../res/resource.h"
#include "../text/text.h"
#include "../ui/dpi.h"

static const int AXIS_STEPS = 4;  // lines of the axis above zero, about
static const int MARGIN = 10;
static const int GAP = 6;
static const int PITCH[UNIT_COUNT] = {12, 18, 28, 48};  // per bar of a day, week, month, year
static const int DASH = 6;

// ---- The bars over time ---------------------------------------------------------------

// 1, 2 or 5 times a power of ten, at least `rough` (which is at least 1).
static double NiceNumber(double rough)
{
    double power = pow(10.0, floor(log10(rough)));
    double fraction = rough / power;
    return (fraction <= 1 ? 1 : fraction <= 2 ? 2 : fraction <= 5 ? 5 : 10) * power;
}

// A step of the axis that reads well in the figure's units: whole counts, whole metres,
// minutes and hours that divide a day, then whole days.
static double NiceStep(int figure, double rough)
{
    if (figure == FIGURE_TIME) {
        static const double STEPS[] = {60,   120,  300,   600,   900,   1800,
                                       3600, 7200, 10800, 21600, 43200, 86400};
        for (double step : STEPS)
            if (rough <= step)
                return step;
        return 86400 * NiceNumber(rough / 86400);
    }
    double smallest = figure == FIGURE_DISTANCE ? 1000.0 : 1.0;
    return smallest * NiceNumber(std::max(rough / smallest, 1.0));
}

// The largest value of the bars in [from, to).
static double LargestValue(const ChartData *data, const ChartView *view, int32_t from, int32_t to)
{
    const ChartSeries *series = ShownSeries(data, view);
    double largest = 0.0;
    for (const ChartBar *bar = FirstBarFrom(series, from);
         bar < series->bars + series->count && bar->slot < to; ++bar)
        largest = std::max(largest, FigureValue(view->figure, bar->figures));
    return largest;
}

static void ScaleAxis(int figure, double largest, double *step, double *top)
{
    *step = NiceStep(figure, largest / AXIS_STEPS);
    *top = std::max(*step, ceil(largest / *step) * *step);
}

// The widest label of an axis over the whole series, so that the plot keeps its place
// while the bars scroll under scales of their own.
static int AxisLabelWidth(HDC dc, const ChartData *data, const ChartView *view)
{
    double step, top;
    ScaleAxis(view->figure, LargestValue(data, view, INT32_MIN, INT32_MAX), &step, &top);
    int widest = 0;
    char label[CHART_TEXT_SIZE];
    for (double value = 0; value <= top + step / 2; value += step) {
        AxisText(view->figure, value, label);
        widest = std::max(widest, LabelWidth(dc, label));
    }
    return widest;
}

static void LayOutBars(HDC dc, ChartLayout *layout, const ChartData *data, const ChartView *view)
{
    const RECT &area = layout->area;
    int axis = AxisLabelWidth(dc, data, view);
    layout->plot = RECT{area.left + layout->margin + axis + layout->gap,
                        area.top + layout->margin + layout->lineHeight + layout->gap,
                        area.right - layout->margin,
                        area.bottom - layout->margin - layout->lineHeight - layout->gap};
    layout->pitch = Scale(PITCH[view->unit], layout->dpi);
    layout->slotsShown = std::max(1L, (layout->plot.right - layout->plot.left) / layout->pitch);
    double largest = LargestValue(data, view, view->firstSlot,
                                  view->firstSlot + layout->slotsShown);
    ScaleAxis(view->figure, largest, &layout->step, &layout->top);
}

static int ValueY(const ChartLayout &layout, double value)
{
    int height = layout.plot.bottom - layout.plot.top;
    return layout.plot.bottom - (int)lround(std::min(value / layout.top, 1.0) * height);
}

// The whole column of a slot; the bar stands in it with a gap on either side.
static RECT SlotColumn(const ChartLayout &layout, const ChartView *view, int32_t slot)
{
    int left = layout.plot.left + (slot - view->firstSlot) * layout.pitch;
    return RECT{left, layout.plot.top, left + layout.pitch, layout.plot.bottom};
}

static void PaintAxis(HDC dc, const ChartLayout &layout, const ChartView *view,
                      const ChartColours &colours)
{
    char label[CHART_TEXT_SIZE];
    int line = LineWidth(layout.dpi);
    for (double value = 0; value <= layout.top + layout.step / 2; value += layout.step) {
        int y = ValueY(layout, value);
        FillArea(dc, RECT{layout.plot.left, y - line + 1, layout.plot.right, y + 1},
                 value == 0 ? colours.mutedText : colours.grid);
        AxisText(view->figure, value, label);
        DrawLabel(dc, layout.plot.left - layout.gap, y - layout.lineHeight / 2, label, TA_RIGHT,
                  colours.mutedText);
    }
}

static void PaintBar(HDC dc, const ChartLayout &layout, const ChartView *view,
                     const ChartBar &bar, const ChartColours &colours)
{
    RECT column = SlotColumn(layout, view, bar.slot);
    int gap = std::max(1, layout.pitch / 5);
    RECT shape = {column.left + gap / 2, 0, column.left + gap / 2 + layout.pitch - gap,
                  layout.plot.bottom};
    if (view->figure != FIGURE_CLICKS) {
        bool highlighted = view->item[VIEW_BARS] == bar.slot;
        shape.top = ValueY(layout, FigureValue(view->figure, bar.figures));
        DrawShape(dc, shape, highlighted ? colours.barHighlighted : colours.bar, colours,
                  LineWidth(layout.dpi));
        return;
    }
    // Left, middle and right stacked from the bottom, each edge taken from the running sum
    // so that no pixel is lost between them; the band behind shows the highlight.
    const uint64_t counts[3] = {bar.figures.leftClicks, bar.figures.middleClicks,
                                bar.figures.rightClicks};
    uint64_t sum = 0;
    for (int i = 0; i < 3; ++i) {
        shape.bottom = ValueY(layout, (double)sum);
        sum += counts[i];
        shape.top = ValueY(layout, (double)sum);
        DrawShape(dc, shape, colours.clicks[i], colours, LineWidth(layout.dpi));
    }
}

// A dashed line across the plot at the average of the bars shown; its text at the top.
static void PaintAverage(HDC dc, const ChartLayout &layout, const ChartView *view,
                         const ChartColours &colours, double average)
{
    int y = ValueY(layout, average), thickness = std::max(1, Scale(2, layout.dpi));
    int dash = Scale(DASH, layout.dpi);
    for (int x = layout.plot.left; x < layout.plot.right; x += 2 * dash)
        FillArea(dc,
                 RECT{x, y - thickness / 2, std::min(x + dash, (int)layout.plot.right),
                      y - thickness / 2 + thickness},
                 colours.average);
    char text[CHART_TEXT_SIZE];
    AverageText(view->figure, average, text);
    DrawLabel(dc, layout.plot.right, layout.area.top + layout.margin, text, TA_RIGHT,
              colours.average);
}

// The next multiple, from a short list that reads well for the unit, at which the labels
// under the bars leave room for each other.
static int LabelEvery(const ChartLayout &layout, int unit, int labelWidth)
{
    static const int EVERY[UNIT_COUNT][9] = {{1, 2, 7, 14, 28, 91, 182, 364, 728},
                                             {1, 2, 4, 8, 13, 26, 52, 104, 260},
                                             {1, 2, 3, 6, 12, 24, 60, 120, 240},
                                             {1, 2, 5, 10, 20, 50, 100, 200, 500}};
    int needed = (labelWidth + 2 * layout.gap + layout.pitch - 1) / layout.pitch;
    for (int every : EVERY[unit])
        if (every >= needed)
            return every;
    return EVERY[unit][8];
}

static void PaintPeriodLabels(HDC dc, const ChartLayout &layout, const ChartData *data,
                              const ChartView *view,
                              const ChartColours &colours)
{
    const ChartSeries *series = ShownSeries(data, view);
    ChartUnit unit = (ChartUnit)view->unit;
    int firstDayOfWeek = data->sums.firstDayOfWeek;
    wchar_t label[LABEL_SIZE];
    PeriodLabel(unit, series->firstPeriod + view->firstSlot, firstDayOfWeek, label);
    int every = LabelEvery(layout, view->unit, LabelWidth(dc, label));
    // Days are labelled on the first day of a week, the other units on round periods.
    int shift = unit == UNIT_DAY ? (7 - firstDayOfWeek) % 7 : 0;
    int32_t end = std::min(view->firstSlot + layout.slotsShown, series->slots);
    for (int32_t slot = view->firstSlot; slot < end; ++slot) {
        int32_t period = series->firstPeriod + slot;
        if ((period + shift) % every != 0)
            continue;
        RECT column = SlotColumn(layout, view, slot);
        PeriodLabel(unit, period, firstDayOfWeek, label);
        if (column.left + LabelWidth(dc, label) > layout.area.right)
            break;  // a label cut off at the edge reads as another date
        FillArea(dc,
                 RECT{column.left, layout.plot.bottom, column.left + LineWidth(layout.dpi),
                      layout.plot.bottom + layout.gap / 2},
                 colours.mutedText);
        DrawLabel(dc, column.left, layout.plot.bottom + layout.gap / 2, label, TA_LEFT,
                  colours.text);
    }
}

// The three shades of the stacked clicks, named, at the top left.
static void PaintClicksKey(HDC dc, const ChartLayout &layout, const ChartColours &colours)
{
    static const UINT NAMES[3] = {IDS_COL_LEFT, IDS_COL_MIDDLE, IDS_COL_RIGHT};
    int x = layout.plot.left, y = layout.area.top + layout.margin;
    int box = layout.lineHeight * 2 / 3, top = y + (layout.lineHeight - box) / 2;
    for (int i = 0; i < 3; ++i) {
        DrawShape(dc, RECT{x, top, x + box, top + box}, colours.clicks[i], colours,
                  LineWidth(layout.dpi));
        x += box + layout.gap / 2;
        const char *name = LoadText(SLOT_GENERAL, NAMES[i]);
        DrawLabel(dc, x, y, name, TA_LEFT, colours.text);
        x += LabelWidth(dc, name) + 2 * layout.gap;
    }
}

static void PaintBars(HDC dc, const ChartLayout &layout, const ChartData *data,
                      const ChartView *view,
                      const ChartColours &colours)
{
    if (layout.plot.bottom <= layout.plot.top)
        return;
    const ChartSeries *series = ShownSeries(data, view);
    int32_t highlighted = view->item[VIEW_BARS];
    if (highlighted >= view->firstSlot && highlighted < view->firstSlot + layout.slotsShown) {
        RECT band = SlotColumn(layout, view, highlighted);
        if (colours.outlined)
            FrameArea(dc, band, LineWidth(layout.dpi), colours.text);
        else
            FillArea(dc, band, colours.band);
    }
    PaintAxis(dc, layout, view, colours);
    double sum = 0;
    int shown = 0;
    for (const ChartBar *bar = FirstBarFrom(series, view->firstSlot);
         bar < series->bars + series->count && bar->slot < view->firstSlot + layout.slotsShown;
         ++bar) {
        PaintBar(dc, layout, view, *bar, colours);
        sum += FigureValue(view->figure, bar->figures);
        ++shown;
    }
    if (shown > 0)
        PaintAverage(dc, layout, view, colours, sum / shown);
    PaintPeriodLabels(dc, layout, data, view, colours);
    if (view->figure == FIGURE_CLICKS)
        PaintClicksKey(dc, layout, colours);
}

// ---- The chart --------------------------------------------------------------------------

ChartLayout LayOutChart(HDC dc, const RECT &area, const ChartData *data, const ChartView *view,
                        UINT dpi)
{
    ChartLayout layout = {};
    layout.area = area;
    layout.dpi = dpi;
    layout.margin = Scale(MARGIN, layout.dpi);
    layout.gap = Scale(GAP, layout.dpi);
    TEXTMETRICA metrics;
    layout.lineHeight = GetTextMetricsA(dc, &metrics) ? metrics.tmHeight : Scale(16, layout.dpi);
    if (view->kind == VIEW_BARS)
        LayOutBars(dc, &layout, data, view);
    else if (view->kind == VIEW_CALENDAR)
        LayOutCalendar(dc, &layout, data, view);
    else
        LayOutClock(dc, &layout, data, view);
    return layout;
}

void PaintChart(HDC dc, const ChartLayout &layout, const ChartData *data, const ChartView *view)
{
    ChartColours colours = ChartColoursNow();
    FillArea(dc, layout.area, colours.background);
    SetBkMode(dc, TRANSPARENT);
    if (view->kind == VIEW_BARS)
        PaintBars(dc, layout, data, view, colours);
    else if (view->kind == VIEW_CALENDAR)
        PaintCalendar(dc, layout, data, view, colours);
    else
        PaintClock(dc, layout, data, view, colours);
}

int32_t ChartItemAt(const ChartLayout &layout, const ChartData *data, const ChartView *view,
                    POINT point)
{
    if (view->kind != VIEW_BARS)
        return GridItemAt(layout, data, view, point);
    const RECT &plot = layout.plot;
    if (point.x < plot.left || point.y < plot.top || point.y >= plot.bottom)
        return NO_ITEM;
    int32_t slot = view->firstSlot + (point.x - plot.left) / layout.pitch;
    bool inView = slot < view->firstSlot + layout.slotsShown;
    return inView && slot < ShownSeries(data, view)->slots ? slot : NO_ITEM;
}

RECT ChartItemRect(const ChartLayout &layout, const ChartData *data, const ChartView *view,
                   int32_t item)
{
    return view->kind == VIEW_BARS ? SlotColumn(layout, view, item)
                                    : GridItemRect(layout, data, view, item);
}
