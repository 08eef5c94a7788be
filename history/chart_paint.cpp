// The chart's picture. Every length is given at 96 dpi and scaled to the state's DPI, and
// every shape is a whole-pixel rectangle, so the picture is as crisp at 192 dpi as at 96.
// With high contrast on, the colours are the system's; otherwise a single-hue blue scale,
// even to the eye and readable with every common colour blindness, and an orange average.
#include "chart_paint.h"

#include <algorithm>
#include <math.h>
#include <string.h>
#include "chart_text.h"
#include "../meter/dpi.h"
#include "../res/resource.h"
#include "../text/text.h"

static const int SHADES = 5;           // the scale's classes of non-zero values
static const int AXIS_STEPS = 4;       // lines of the axis above zero, about
static const int MARGIN = 10;
static const int GAP = 6;
static const int PITCH[UNIT_COUNT] = {12, 18, 28, 48};  // per bar of a day, week, month, year
static const int MAX_CALENDAR_CELL = 30;
static const int MAX_CLOCK_CELL = 44;
static const int DASH = 6;

struct ChartColours {
    COLORREF background, text, mutedText, grid, bar, barHighlighted, band, average, zero;
    COLORREF clicks[3];       // left, middle, right, from the bottom up
    COLORREF shades[SHADES];  // from few to many
    bool outlined;            // high contrast: each shape has an outline in the text colour
};

static bool HighContrastOn()
{
    HIGHCONTRASTA contrast = {sizeof contrast, 0, nullptr};
    return SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0)
           && (contrast.dwFlags & HCF_HIGHCONTRASTON);
}

// `a` with a share `t` of `b`.
static COLORREF Blend(COLORREF a, COLORREF b, double t)
{
    auto channel = [t](int x, int y) { return (int)lround(x + (y - x) * t); };
    return RGB(channel(GetRValue(a), GetRValue(b)), channel(GetGValue(a), GetGValue(b)),
               channel(GetBValue(a), GetBValue(b)));
}

static ChartColours SystemColours()
{
    ChartColours colours;
    COLORREF window = GetSysColor(COLOR_WINDOW), highlight = GetSysColor(COLOR_HIGHLIGHT);
    colours.background = window;
    colours.text = GetSysColor(COLOR_WINDOWTEXT);
    colours.mutedText = colours.text;
    colours.grid = GetSysColor(COLOR_GRAYTEXT);
    colours.bar = highlight;
    colours.barHighlighted = GetSysColor(COLOR_HOTLIGHT);
    colours.band = window;
    colours.average = colours.text;
    colours.zero = window;
    for (int i = 0; i < 3; ++i)
        colours.clicks[i] = Blend(window, highlight, 1.0 - 0.35 * i);
    for (int i = 0; i < SHADES; ++i)
        colours.shades[i] = Blend(window, highlight, (i + 1) / (double)SHADES);
    colours.outlined = true;
    return colours;
}

static ChartColours ChartColoursNow()
{
    if (HighContrastOn())
        return SystemColours();
    ChartColours colours = {RGB(255, 255, 255), RGB(33, 33, 33), RGB(100, 100, 100),
                            RGB(226, 226, 226), RGB(49, 130, 189), RGB(8, 48, 107),
                            RGB(222, 235, 247), RGB(230, 85, 13), RGB(235, 237, 240),
                            {RGB(8, 81, 156), RGB(66, 146, 198), RGB(158, 202, 225)},
                            {RGB(198, 219, 239), RGB(158, 202, 225), RGB(107, 174, 214),
                             RGB(49, 130, 189), RGB(8, 81, 156)},
                            false};
    return colours;
}

// ---- Drawing ------------------------------------------------------------------------

static void Fill(HDC dc, const RECT &rect, COLORREF colour)
{
    SetBkColor(dc, colour);
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rect, "", 0, nullptr);
}

static void Frame(HDC dc, const RECT &rect, int width, COLORREF colour)
{
    Fill(dc, RECT{rect.left, rect.top, rect.right, rect.top + width}, colour);
    Fill(dc, RECT{rect.left, rect.bottom - width, rect.right, rect.bottom}, colour);
    Fill(dc, RECT{rect.left, rect.top, rect.left + width, rect.bottom}, colour);
    Fill(dc, RECT{rect.right - width, rect.top, rect.right, rect.bottom}, colour);
}

// A shape in its colour, outlined where high contrast asks for it.
static void Shape(HDC dc, const RECT &rect, COLORREF colour, const ChartColours &colours,
                  int line)
{
    if (rect.right <= rect.left || rect.bottom <= rect.top)
        return;
    Fill(dc, rect, colour);
    if (colours.outlined)
        Frame(dc, rect, line, colours.text);
}

// Text at x, y; `align` is TA_LEFT, TA_CENTER or TA_RIGHT, with y its top.
static void Text(HDC dc, int x, int y, const char *text, UINT align, COLORREF colour)
{
    SetTextColor(dc, colour);
    SetTextAlign(dc, align | TA_TOP | TA_NOUPDATECP);
    TextOutA(dc, x, y, text, (int)strlen(text));
}

static int TextWidth(HDC dc, const char *text)
{
    SIZE size = {0, 0};
    GetTextExtentPoint32A(dc, text, (int)strlen(text), &size);
    return size.cx;
}

static int Line(const ChartState *state)
{
    return std::max(1, Scale(1, state->dpi));
}

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
        static const double STEPS[] = {60,   120,   300,   600,   900,   1800,
                                       3600, 7200, 10800, 21600, 43200, 86400};
        for (double step : STEPS)
            if (rough <= step)
                return step;
        return 86400 * NiceNumber(rough / 86400);
    }
    double smallest = figure == FIGURE_DISTANCE ? 1000.0 : 1.0;
    return smallest * NiceNumber(std::max(rough / smallest, 1.0));
}

static const ChartBar *FirstBarFrom(const ChartSeries *series, int32_t slot)
{
    return std::lower_bound(series->bars, series->bars + series->count, slot,
                            [](const ChartBar &bar, int32_t s) { return bar.slot < s; });
}

// The largest value of the bars in [from, to).
static double LargestValue(const ChartState *state, int32_t from, int32_t to)
{
    const ChartSeries *series = ShownSeries(state);
    double largest = 0.0;
    for (const ChartBar *bar = FirstBarFrom(series, from);
         bar < series->bars + series->count && bar->slot < to; ++bar)
        largest = std::max(largest, FigureValue(state->figure, bar->figures));
    return largest;
}

static void ScaleAxis(int figure, double largest, double *step, double *top)
{
    *step = NiceStep(figure, largest / AXIS_STEPS);
    *top = std::max(*step, ceil(largest / *step) * *step);
}

// The widest label of an axis over the whole series, so that the plot keeps its place
// while the bars scroll under scales of their own.
static int AxisLabelWidth(HDC dc, const ChartState *state)
{
    double step, top;
    ScaleAxis(state->figure, LargestValue(state, INT32_MIN, INT32_MAX), &step, &top);
    int widest = 0;
    char label[CHART_TEXT_SIZE];
    for (double value = 0; value <= top + step / 2; value += step) {
        AxisText(state->figure, value, label);
        widest = std::max(widest, TextWidth(dc, label));
    }
    return widest;
}

static void LayOutBars(HDC dc, ChartLayout *layout, const ChartState *state)
{
    const RECT &area = layout->area;
    int axis = AxisLabelWidth(dc, state);
    layout->plot = RECT{area.left + layout->margin + axis + layout->gap,
                        area.top + layout->margin + layout->lineHeight + layout->gap,
                        area.right - layout->margin,
                        area.bottom - layout->margin - layout->lineHeight - layout->gap};
    layout->pitch = Scale(PITCH[state->unit], state->dpi);
    layout->slotsShown = std::max(1L, (layout->plot.right - layout->plot.left) / layout->pitch);
    double largest = LargestValue(state, state->firstSlot, state->firstSlot + layout->slotsShown);
    ScaleAxis(state->figure, largest, &layout->step, &layout->top);
}

static int ValueY(const ChartLayout &layout, double value)
{
    int height = layout.plot.bottom - layout.plot.top;
    return layout.plot.bottom - (int)lround(std::min(value / layout.top, 1.0) * height);
}

// The whole column of a slot; the bar stands in it with a gap on either side.
static RECT SlotColumn(const ChartLayout &layout, const ChartState *state, int32_t slot)
{
    int left = layout.plot.left + (slot - state->firstSlot) * layout.pitch;
    return RECT{left, layout.plot.top, left + layout.pitch, layout.plot.bottom};
}

static void PaintAxis(HDC dc, const ChartLayout &layout, const ChartState *state,
                      const ChartColours &colours)
{
    char label[CHART_TEXT_SIZE];
    int line = Line(state);
    for (double value = 0; value <= layout.top + layout.step / 2; value += layout.step) {
        int y = ValueY(layout, value);
        Fill(dc, RECT{layout.plot.left, y - line + 1, layout.plot.right, y + 1},
             value == 0 ? colours.mutedText : colours.grid);
        AxisText(state->figure, value, label);
        Text(dc, layout.plot.left - layout.gap, y - layout.lineHeight / 2, label, TA_RIGHT,
             colours.mutedText);
    }
}

static void PaintBar(HDC dc, const ChartLayout &layout, const ChartState *state,
                     const ChartBar &bar, const ChartColours &colours)
{
    RECT column = SlotColumn(layout, state, bar.slot);
    int gap = std::max(1, layout.pitch / 5);
    RECT shape = {column.left + gap / 2, 0, column.left + gap / 2 + layout.pitch - gap,
                  layout.plot.bottom};
    if (state->figure != FIGURE_CLICKS) {
        bool highlighted = state->item[VIEW_BARS] == bar.slot;
        shape.top = ValueY(layout, FigureValue(state->figure, bar.figures));
        Shape(dc, shape, highlighted ? colours.barHighlighted : colours.bar, colours, Line(state));
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
        Shape(dc, shape, colours.clicks[i], colours, Line(state));
    }
}

// A dashed line across the plot at the average of the bars shown; its text at the top.
static void PaintAverage(HDC dc, const ChartLayout &layout, const ChartState *state,
                         const ChartColours &colours, double average)
{
    int y = ValueY(layout, average), thickness = std::max(1, Scale(2, state->dpi));
    int dash = Scale(DASH, state->dpi);
    for (int x = layout.plot.left; x < layout.plot.right; x += 2 * dash)
        Fill(dc, RECT{x, y - thickness / 2, std::min(x + dash, (int)layout.plot.right),
                      y - thickness / 2 + thickness},
             colours.average);
    char text[CHART_TEXT_SIZE];
    AverageText(state->figure, average, text);
    Text(dc, layout.plot.right, layout.area.top + layout.margin, text, TA_RIGHT, colours.average);
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

static void PaintPeriodLabels(HDC dc, const ChartLayout &layout, const ChartState *state,
                              const ChartColours &colours)
{
    const ChartSeries *series = ShownSeries(state);
    ChartUnit unit = (ChartUnit)state->unit;
    int firstDayOfWeek = state->sums.firstDayOfWeek;
    char label[CHART_TEXT_SIZE];
    PeriodText(unit, series->firstPeriod + state->firstSlot, firstDayOfWeek, label);
    int every = LabelEvery(layout, state->unit, TextWidth(dc, label));
    // Days are labelled on the first day of a week, the other units on round periods.
    int shift = unit == UNIT_DAY ? (7 - firstDayOfWeek) % 7 : 0;
    int32_t end = std::min(state->firstSlot + layout.slotsShown, series->slots);
    for (int32_t slot = state->firstSlot; slot < end; ++slot) {
        int32_t period = series->firstPeriod + slot;
        if ((period + shift) % every != 0)
            continue;
        RECT column = SlotColumn(layout, state, slot);
        PeriodText(unit, period, firstDayOfWeek, label);
        if (column.left + TextWidth(dc, label) > layout.area.right)
            break;  // a label cut off at the edge reads as another date
        Fill(dc, RECT{column.left, layout.plot.bottom, column.left + Line(state),
                      layout.plot.bottom + layout.gap / 2},
             colours.mutedText);
        Text(dc, column.left, layout.plot.bottom + layout.gap / 2, label, TA_LEFT, colours.text);
    }
}

// The three shades of the stacked clicks, named, at the top left.
static void PaintClicksKey(HDC dc, const ChartLayout &layout, const ChartState *state,
                           const ChartColours &colours)
{
    static const UINT NAMES[3] = {IDS_COL_LEFT, IDS_COL_MIDDLE, IDS_COL_RIGHT};
    int x = layout.plot.left, y = layout.area.top + layout.margin;
    int box = layout.lineHeight * 2 / 3, top = y + (layout.lineHeight - box) / 2;
    for (int i = 0; i < 3; ++i) {
        Shape(dc, RECT{x, top, x + box, top + box}, colours.clicks[i], colours, Line(state));
        x += box + layout.gap / 2;
        const char *name = LoadText(SLOT_GENERAL, NAMES[i]);
        Text(dc, x, y, name, TA_LEFT, colours.text);
        x += TextWidth(dc, name) + 2 * layout.gap;
    }
}

static void PaintBars(HDC dc, const ChartLayout &layout, const ChartState *state,
                      const ChartColours &colours)
{
    if (layout.plot.bottom <= layout.plot.top)
        return;
    const ChartSeries *series = ShownSeries(state);
    int32_t highlighted = state->item[VIEW_BARS];
    if (highlighted >= state->firstSlot && highlighted < state->firstSlot + layout.slotsShown) {
        RECT band = SlotColumn(layout, state, highlighted);
        if (colours.outlined)
            Frame(dc, band, Line(state), colours.text);
        else
            Fill(dc, band, colours.band);
    }
    PaintAxis(dc, layout, state, colours);
    double sum = 0;
    int shown = 0;
    for (const ChartBar *bar = FirstBarFrom(series, state->firstSlot);
         bar < series->bars + series->count && bar->slot < state->firstSlot + layout.slotsShown;
         ++bar) {
        PaintBar(dc, layout, state, *bar, colours);
        sum += FigureValue(state->figure, bar->figures);
        ++shown;
    }
    if (shown > 0)
        PaintAverage(dc, layout, state, colours, sum / shown);
    PaintPeriodLabels(dc, layout, state, colours);
    if (state->figure == FIGURE_CLICKS)
        PaintClicksKey(dc, layout, state, colours);
}

// ---- The calendar and the week clock --------------------------------------------------

const int NO_RECORD = -2;  // a shade for a day without record
const int ZERO_SHADE = -1; // a shade for a zero value

// Shades by rank among the non-zero values (sorted ascending), so that one extreme day does
// not wash out the rest: a value's shade is the share of values up to it, in SHADES steps.
static int ShadeOf(double value, const double *sorted, int count)
{
    if (value < 0)
        return NO_RECORD;
    if (value == 0 || count == 0)
        return ZERO_SHADE;
    int upTo = (int)(std::upper_bound(sorted, sorted + count, value) - sorted);
    return std::max(0, (upTo * SHADES - 1) / count);
}

static int SortNonZero(const double *values, int count, double *sorted)
{
    int n = 0;
    for (int i = 0; i < count; ++i)
        if (values[i] > 0)
            sorted[n++] = values[i];
    std::sort(sorted, sorted + n);
    return n;
}

static void PaintCell(HDC dc, const RECT &cell, int shade, bool highlighted,
                      const ChartState *state, const ChartColours &colours)
{
    int inset = std::max(1, (int)(cell.right - cell.left) / 8);
    RECT square = {cell.left, cell.top, cell.right - inset, cell.bottom - inset};
    if (shade == NO_RECORD)
        Frame(dc, square, Line(state), colours.zero);
    else
        Shape(dc, square, shade == ZERO_SHADE ? colours.zero : colours.shades[shade], colours,
              Line(state));
    if (highlighted)
        Frame(dc, square, std::max(2, Scale(2, state->dpi)), colours.text);
}

// "Less", the zero square and the shades, "More", under the grid.
static int PaintLegend(HDC dc, const ChartLayout &layout, const ChartState *state,
                       const ChartColours &colours)
{
    int y = layout.plot.top + 7 * layout.cell + layout.gap;
    int box = std::min(layout.cell, layout.lineHeight);
    int x = layout.plot.left;
    const char *less = LoadText(SLOT_GENERAL, IDS_LEGEND_LESS);
    Text(dc, x, y, less, TA_LEFT, colours.mutedText);
    x += TextWidth(dc, less) + layout.gap;
    int top = y + (layout.lineHeight - box) / 2;
    for (int shade = ZERO_SHADE; shade < SHADES; ++shade) {
        PaintCell(dc, RECT{x, top, x + box, top + box}, shade, false, state, colours);
        x += box;
    }
    Text(dc, x + layout.gap, y, LoadText(SLOT_GENERAL, IDS_LEGEND_MORE), TA_LEFT,
         colours.mutedText);
    return y + layout.lineHeight + layout.gap;
}

static void LayOutGrid(HDC dc, ChartLayout *layout, const ChartState *state, int columns,
                       int notes, int largestCell)
{
    int widest = 0;
    char name[CHART_TEXT_SIZE];
    for (int weekday = 0; weekday < 7; ++weekday) {
        WeekdayText(weekday, name);
        widest = std::max(widest, TextWidth(dc, name));
    }
    const RECT &area = layout->area;
    int labels = widest + layout->gap;
    int above = layout->lineHeight + layout->gap;
    int below = (1 + notes) * (layout->lineHeight + layout->gap);
    int across = (area.right - area.left - 2 * layout->margin - labels) / columns;
    int down = (area.bottom - area.top - 2 * layout->margin - above - below) / 7;
    layout->columns = columns;
    layout->cell = std::max(3, std::min({across, down, Scale(largestCell, state->dpi)}));
    // The grid with its names and legend in the middle of the room there is.
    int width = labels + columns * layout->cell, height = above + 7 * layout->cell + below;
    int left = area.left + std::max(layout->margin, (int)(area.right - area.left - width) / 2);
    int top = area.top + std::max(layout->margin, (int)(area.bottom - area.top - height) / 2);
    layout->plot = RECT{left + labels, top + above, left + labels + columns * layout->cell,
                        top + above + 7 * layout->cell};
}

static void PaintWeekdayNames(HDC dc, const ChartLayout &layout, const ChartState *state,
                              const ChartColours &colours)
{
    char name[CHART_TEXT_SIZE];
    // Every other row when the cells are lower than a line of text.
    int every = layout.cell >= layout.lineHeight ? 1 : 2;
    for (int row = 0; row < 7; row += every) {
        WeekdayText((state->sums.firstDayOfWeek + row) % 7, name);
        Text(dc, layout.plot.left - layout.gap,
             layout.plot.top + row * layout.cell + (layout.cell - layout.lineHeight) / 2, name,
             TA_RIGHT, colours.mutedText);
    }
}

static RECT CellRect(const ChartLayout &layout, int column, int row)
{
    int left = layout.plot.left + column * layout.cell, top = layout.plot.top + row * layout.cell;
    return RECT{left, top, left + layout.cell, top + layout.cell};
}

static void CalendarPlace(const ChartLayout &layout, const ChartState *state, int32_t dayOfYear,
                          int *column, int *row)
{
    int32_t fromCorner = YearFirstDay(state->year) + dayOfYear - layout.firstWeekDay;
    *column = fromCorner / 7;
    *row = fromCorner % 7;
}

static void LayOutCalendar(HDC dc, ChartLayout *layout, const ChartState *state)
{
    int firstDayOfWeek = state->sums.firstDayOfWeek;
    int32_t first = YearFirstDay(state->year), last = first + DaysInYear(state->year) - 1;
    layout->firstWeekDay = FirstDayOfPeriod(
        UNIT_WEEK, PeriodOfDay(UNIT_WEEK, first, firstDayOfWeek), firstDayOfWeek);
    LayOutGrid(dc, layout, state, (last - layout->firstWeekDay) / 7 + 1, 0, MAX_CALENDAR_CELL);
}

// The figure of each day of the year, or -1 for a day without record.
static void YearValues(const ChartState *state, double *values)
{
    const ChartSeries *days = &state->sums.series[UNIT_DAY];
    int32_t first = YearFirstDay(state->year), count = DaysInYear(state->year);
    std::fill(values, values + count, -1.0);
    for (const ChartBar *bar = FirstBarFrom(days, first - days->firstPeriod);
         bar < days->bars + days->count && bar->slot < first + count - days->firstPeriod; ++bar)
        values[days->firstPeriod + bar->slot - first] = FigureValue(state->figure, bar->figures);
}

static void PaintMonthNames(HDC dc, const ChartLayout &layout, const ChartState *state,
                            const ChartColours &colours)
{
    char name[CHART_TEXT_SIZE];
    int32_t first = YearFirstDay(state->year);
    for (int month = 1; month <= 12; ++month) {
        int32_t day = DayNumber((DateKey)state->year << 16 | (DateKey)month << 8 | 1);
        int column, row;
        CalendarPlace(layout, state, day - first, &column, &row);
        // A month that begins late in its week is named over its first whole week.
        if (row > 0)
            ++column;
        MonthText(month, name);
        Text(dc, CellRect(layout, column, 0).left,
             layout.plot.top - layout.gap / 2 - layout.lineHeight, name, TA_LEFT,
             colours.mutedText);
    }
}

static void PaintCalendar(HDC dc, const ChartLayout &layout, const ChartState *state,
                          const ChartColours &colours)
{
    double values[366], sorted[366];
    int32_t count = DaysInYear(state->year);
    YearValues(state, values);
    int nonZero = SortNonZero(values, count, sorted);
    for (int32_t dayOfYear = 0; dayOfYear < count; ++dayOfYear) {
        int column, row;
        CalendarPlace(layout, state, dayOfYear, &column, &row);
        PaintCell(dc, CellRect(layout, column, row), ShadeOf(values[dayOfYear], sorted, nonZero),
                  state->item[VIEW_CALENDAR] == dayOfYear, state, colours);
    }
    PaintMonthNames(dc, layout, state, colours);
    PaintWeekdayNames(dc, layout, state, colours);
    PaintLegend(dc, layout, state, colours);
}

static int ClockNotes(const ChartState *state)
{
    return (state->figure == FIGURE_TIME) + state->clockIsNew;
}

static int ClockRow(const ChartState *state, int hourOfWeek)
{
    return (hourOfWeek / 24 - state->sums.firstDayOfWeek + 7) % 7;
}

static void PaintClock(HDC dc, const ChartLayout &layout, const ChartState *state,
                       const ChartColours &colours)
{
    double values[HOURS_IN_WEEK], sorted[HOURS_IN_WEEK];
    for (int hour = 0; hour < HOURS_IN_WEEK; ++hour)
        values[hour] = HourValue(state->figure, state->hours[hour]);
    int nonZero = SortNonZero(values, HOURS_IN_WEEK, sorted);
    for (int hour = 0; hour < HOURS_IN_WEEK; ++hour)
        PaintCell(dc, CellRect(layout, hour % 24, ClockRow(state, hour)),
                  ShadeOf(values[hour], sorted, nonZero), state->item[VIEW_CLOCK] == hour, state,
                  colours);
    char label[16];
    // Every hour's number where they fit, else every third.
    int every = layout.cell >= TextWidth(dc, "00") + layout.gap ? 1 : 3;
    for (int hour = 0; hour < 24; hour += every) {
        wsprintfA(label, "%d", hour);
        Text(dc, CellRect(layout, hour, 0).left, layout.plot.top - layout.gap / 2 - layout.lineHeight,
             label, TA_LEFT, colours.mutedText);
    }
    PaintWeekdayNames(dc, layout, state, colours);
    int y = PaintLegend(dc, layout, state, colours);
    if (state->figure == FIGURE_TIME) {
        Text(dc, layout.plot.left, y, LoadText(SLOT_GENERAL, IDS_CLOCK_NO_TIME), TA_LEFT,
             colours.text);
        y += layout.lineHeight + layout.gap;
    }
    if (state->clockIsNew)
        Text(dc, layout.plot.left, y, LoadText(SLOT_GENERAL, IDS_CLOCK_NEW), TA_LEFT, colours.text);
}

// ---- The chart --------------------------------------------------------------------------

ChartLayout LayOutChart(HDC dc, const RECT &area, const ChartState *state)
{
    ChartLayout layout = {};
    layout.area = area;
    layout.margin = Scale(MARGIN, state->dpi);
    layout.gap = Scale(GAP, state->dpi);
    TEXTMETRICA metrics;
    layout.lineHeight = GetTextMetricsA(dc, &metrics) ? metrics.tmHeight : Scale(16, state->dpi);
    if (state->view == VIEW_BARS)
        LayOutBars(dc, &layout, state);
    else if (state->view == VIEW_CALENDAR)
        LayOutCalendar(dc, &layout, state);
    else
        LayOutGrid(dc, &layout, state, 24, ClockNotes(state), MAX_CLOCK_CELL);
    return layout;
}

void PaintChart(HDC dc, const ChartLayout &layout, const ChartState *state)
{
    ChartColours colours = ChartColoursNow();
    Fill(dc, layout.area, colours.background);
    SetBkMode(dc, TRANSPARENT);
    if (state->view == VIEW_BARS)
        PaintBars(dc, layout, state, colours);
    else if (state->view == VIEW_CALENDAR)
        PaintCalendar(dc, layout, state, colours);
    else
        PaintClock(dc, layout, state, colours);
}

int32_t ChartItemAt(const ChartLayout &layout, const ChartState *state, POINT point)
{
    const RECT &plot = layout.plot;
    if (point.x < plot.left || point.y < plot.top || point.y >= plot.bottom)
        return NO_ITEM;
    if (state->view == VIEW_BARS) {
        int32_t slot = state->firstSlot + (point.x - plot.left) / layout.pitch;
        bool inView = slot < state->firstSlot + layout.slotsShown;
        return inView && slot < ShownSeries(state)->slots ? slot : NO_ITEM;
    }
    int column = (point.x - plot.left) / layout.cell, row = (point.y - plot.top) / layout.cell;
    if (column >= layout.columns)
        return NO_ITEM;
    if (state->view == VIEW_CLOCK)
        return (state->sums.firstDayOfWeek + row) % 7 * 24 + column;
    int32_t dayOfYear = layout.firstWeekDay + column * 7 + row - YearFirstDay(state->year);
    return dayOfYear >= 0 && dayOfYear < DaysInYear(state->year) ? dayOfYear : NO_ITEM;
}

RECT ChartItemRect(const ChartLayout &layout, const ChartState *state, int32_t item)
{
    if (state->view == VIEW_BARS)
        return SlotColumn(layout, state, item);
    if (state->view == VIEW_CLOCK)
        return CellRect(layout, item % 24, ClockRow(state, item));
    int column, row;
    CalendarPlace(layout, state, item, &column, &row);
    return CellRect(layout, column, row);
}
