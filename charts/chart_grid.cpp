// The year calendar and the week clock: a grid of cells, each shaded by its rank among the
// non-zero values shown, with the names of weekdays, months or hours and a legend.
#include "chart_grid.h"

#include <algorithm>
#include <windows.h>
#include "chart_text.h"
#include "../core/dates.h"
#include "../res/resource.h"
#include "../text/text.h"
#include "../ui/dpi.h"
#include "../ui/rank_shading.h"
#include "../ui/shade_legend.h"

static const int MAX_CALENDAR_CELL = 30;
static const int MAX_CLOCK_CELL = 44;

// A day without record has NO_VALUE_SHADE: an empty frame.
static void PaintCell(HDC dc, const RECT &cell, int shade, bool highlighted, UINT dpi,
                      const ChartColours &colours)
{
    int inset = std::max(1, (int)(cell.right - cell.left) / 8);
    RECT square = {cell.left, cell.top, cell.right - inset, cell.bottom - inset};
    if (shade == NO_VALUE_SHADE)
        FrameArea(dc, square, LineWidth(dpi), colours.grid);
    else
        DrawShape(dc, square, shade == ZERO_SHADE ? colours.zero : colours.shades[shade], colours,
                  LineWidth(dpi));
    if (highlighted)
        FrameArea(dc, square, std::max(2, Scale(2, dpi)), colours.text);
}

// What a legend's swatch is drawn with.
struct CellLook {
    UINT dpi;
    const ChartColours *colours;
};

static void PaintSwatch(HDC dc, const RECT &swatch, int shade, const void *context)
{
    const CellLook *look = (const CellLook *)context;
    PaintCell(dc, swatch, shade, false, look->dpi, *look->colours);
}

// "Less", the zero square and the shades, "More", under the grid; returns the top of the
// line below it.
static int PaintLegend(HDC dc, const ChartLayout &layout, const ChartColours &colours)
{
    int y = layout.plot.top + 7 * layout.cell + layout.gap;
    int box = std::min(layout.cell, layout.lineHeight);
    CellLook look = {layout.dpi, &colours};
    ShadeLegend legend = {};
    legend.line = RECT{layout.plot.left, y, layout.area.right, y + layout.lineHeight};
    legend.gap = layout.gap;
    legend.swatch = SIZE{box, box};
    legend.firstShade = ZERO_SHADE;
    legend.lastShade = BLUE_SHADES - 1;
    legend.fewerId = IDS_LEGEND_LESS;
    legend.moreId = IDS_LEGEND_MORE;
    legend.textColour = colours.mutedText;
    legend.drawSwatch = PaintSwatch;
    legend.context = &look;
    DrawShadeLegend(dc, legend);
    return y + layout.lineHeight + layout.gap;
}

static void LayOutGrid(HDC dc, ChartLayout *layout, int columns, int notes,
                       int largestCell)
{
    int widest = 0;
    wchar_t name[LABEL_SIZE];
    for (int weekday = 0; weekday < 7; ++weekday) {
        WeekdayLabel(weekday, name);
        widest = std::max(widest, LabelWidth(dc, name));
    }
    const RECT &area = layout->area;
    int labels = widest + layout->gap;
    int above = layout->lineHeight + layout->gap;
    int below = (1 + notes) * (layout->lineHeight + layout->gap);
    int across = (area.right - area.left - 2 * layout->margin - labels) / columns;
    int down = (area.bottom - area.top - 2 * layout->margin - above - below) / 7;
    layout->columns = columns;
    layout->baseCell = Scale(largestCell, layout->dpi);
    layout->cell = std::max(3, std::min({across, down, 2 * layout->baseCell}));
    // The grid with its names and legend at the top, in the middle from left to right.
    int width = labels + columns * layout->cell;
    int left = area.left + std::max(layout->margin, (int)(area.right - area.left - width) / 2);
    int top = area.top + layout->margin;
    layout->plot = RECT{left + labels, top + above, left + labels + columns * layout->cell,
                        top + above + 7 * layout->cell};
}

static void PaintWeekdayNames(HDC dc, const ChartLayout &layout, const ChartData *data,
                              const ChartColours &colours)
{
    wchar_t name[LABEL_SIZE];
    // Every other row when the cells are lower than a line of text.
    int every = layout.cell >= layout.lineHeight ? 1 : 2;
    for (int row = 0; row < 7; row += every) {
        WeekdayLabel((data->sums.firstDayOfWeek + row) % 7, name);
        DrawLabel(dc, layout.plot.left - layout.gap,
                  layout.plot.top + row * layout.cell + (layout.cell - layout.lineHeight) / 2,
                  name, TA_RIGHT, colours.mutedText);
    }
}

static RECT CellRect(const ChartLayout &layout, int column, int row)
{
    int left = layout.plot.left + column * layout.cell, top = layout.plot.top + row * layout.cell;
    return RECT{left, top, left + layout.cell, top + layout.cell};
}

static void CalendarPlace(const ChartLayout &layout, const ChartView *view, int32_t dayOfYear,
                          int *column, int *row)
{
    int32_t fromCorner = YearFirstDay(view->year) + dayOfYear - layout.firstWeekDay;
    *column = fromCorner / 7;
    *row = fromCorner % 7;
}

void LayOutCalendar(HDC dc, ChartLayout *layout, const ChartData *data, const ChartView *view)
{
    int firstDayOfWeek = data->sums.firstDayOfWeek;
    int32_t first = YearFirstDay(view->year), last = first + DaysInYear(view->year) - 1;
    layout->firstWeekDay =
        FirstDayOfPeriod(UNIT_WEEK, PeriodOfDay(UNIT_WEEK, first, firstDayOfWeek), firstDayOfWeek);
    LayOutGrid(dc, layout, (last - layout->firstWeekDay) / 7 + 1, 0, MAX_CALENDAR_CELL);
}

// The figure of each day of the year, or -1 for a day without record.
static void YearValues(const ChartData *data, const ChartView *view, double *values)
{
    const ChartSeries *days = &data->sums.series[UNIT_DAY];
    int32_t first = YearFirstDay(view->year), count = DaysInYear(view->year);
    std::fill(values, values + count, -1.0);
    for (const ChartBar *bar = FirstBarFrom(days, first - days->firstPeriod);
         bar < days->bars + days->count && bar->slot < first + count - days->firstPeriod; ++bar)
        values[days->firstPeriod + bar->slot - first] = FigureValue(view->figure, bar->figures);
}

static void PaintMonthNames(HDC dc, const ChartLayout &layout, const ChartView *view,
                            const ChartColours &colours)
{
    wchar_t name[LABEL_SIZE];
    int32_t first = YearFirstDay(view->year);
    for (int month = 1; month <= 12; ++month) {
        int32_t day = DayNumber(MakeDateKey(view->year, month, 1));
        int column, row;
        CalendarPlace(layout, view, day - first, &column, &row);
        // A month that begins late in its week is named over its first whole week.
        if (row > 0)
            ++column;
        MonthLabel(month, name);
        DrawLabel(dc, CellRect(layout, column, 0).left,
                  layout.plot.top - layout.gap / 2 - layout.lineHeight, name, TA_LEFT,
                  colours.mutedText);
    }
}

void PaintCalendar(HDC dc, const ChartLayout &layout, const ChartData *data, const ChartView *view,
                   const ChartColours &colours)
{
    double values[366];
    int8_t shades[366];
    int32_t count = DaysInYear(view->year);
    YearValues(data, view, values);
    RankShades(values, count, BLUE_SHADES, RANK_BY_SHARE, shades, nullptr);
    for (int32_t dayOfYear = 0; dayOfYear < count; ++dayOfYear) {
        int column, row;
        CalendarPlace(layout, view, dayOfYear, &column, &row);
        PaintCell(dc, CellRect(layout, column, row), shades[dayOfYear],
                  view->item[VIEW_CALENDAR] == dayOfYear, layout.dpi, colours);
    }
    PaintMonthNames(dc, layout, view, colours);
    PaintWeekdayNames(dc, layout, data, colours);
    PaintLegend(dc, layout, colours);
}

static int ClockNotes(const ChartData *data, const ChartView *view)
{
    return (view->figure == FIGURE_TIME) + data->clockIsNew;
}

static int ClockRow(const ChartData *data, int hourOfWeek)
{
    return (hourOfWeek / 24 - data->sums.firstDayOfWeek + 7) % 7;
}

void PaintClock(HDC dc, const ChartLayout &layout, const ChartData *data, const ChartView *view,
                const ChartColours &colours)
{
    double values[HOURS_IN_WEEK];
    int8_t shades[HOURS_IN_WEEK];
    for (int hour = 0; hour < HOURS_IN_WEEK; ++hour)
        values[hour] = HourValue(view->figure, data->hours[hour]);
    RankShades(values, HOURS_IN_WEEK, BLUE_SHADES, RANK_BY_SHARE, shades, nullptr);
    for (int hour = 0; hour < HOURS_IN_WEEK; ++hour)
        PaintCell(dc, CellRect(layout, hour % 24, ClockRow(data, hour)), shades[hour],
                  view->item[VIEW_CLOCK] == hour, layout.dpi, colours);
    char label[16];
    // Every hour's number where they fit, else every third.
    int every = layout.cell >= LabelWidth(dc, "00") + layout.gap ? 1 : 3;
    for (int hour = 0; hour < 24; hour += every) {
        wsprintfA(label, "%d", hour);
        DrawLabel(dc, CellRect(layout, hour, 0).left,
                  layout.plot.top - layout.gap / 2 - layout.lineHeight, label, TA_LEFT,
                  colours.mutedText);
    }
    PaintWeekdayNames(dc, layout, data, colours);
    int y = PaintLegend(dc, layout, colours);
    if (view->figure == FIGURE_TIME) {
        DrawLabel(dc, layout.plot.left, y, LoadText(SLOT_GENERAL, IDS_CLOCK_NO_TIME), TA_LEFT,
                  colours.text);
        y += layout.lineHeight + layout.gap;
    }
    if (data->clockIsNew)
        DrawLabel(dc, layout.plot.left, y, LoadText(SLOT_GENERAL, IDS_CLOCK_NEW), TA_LEFT,
                  colours.text);
}

void LayOutClock(HDC dc, ChartLayout *layout, const ChartData *data, const ChartView *view)
{
    LayOutGrid(dc, layout, 24, ClockNotes(data, view), MAX_CLOCK_CELL);
}

int32_t GridItemAt(const ChartLayout &layout, const ChartData *data, const ChartView *view,
                   POINT point)
{
    const RECT &plot = layout.plot;
    if (point.x < plot.left || point.y < plot.top || point.y >= plot.bottom)
        return NO_ITEM;
    int column = (point.x - plot.left) / layout.cell, row = (point.y - plot.top) / layout.cell;
    if (column >= layout.columns)
        return NO_ITEM;
    if (view->kind == VIEW_CLOCK)
        return (data->sums.firstDayOfWeek + row) % 7 * 24 + column;
    int32_t dayOfYear = layout.firstWeekDay + column * 7 + row - YearFirstDay(view->year);
    return dayOfYear >= 0 && dayOfYear < DaysInYear(view->year) ? dayOfYear : NO_ITEM;
}

RECT GridItemRect(const ChartLayout &layout, const ChartData *data, const ChartView *view,
                  int32_t item)
{
    if (view->kind == VIEW_CLOCK)
        return CellRect(layout, item % 24, ClockRow(data, item));
    int column, row;
    CalendarPlace(layout, view, item, &column, &row);
    return CellRect(layout, column, row);
}
