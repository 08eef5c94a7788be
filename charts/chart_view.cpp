// The chart's figures as numbers, and where the keys move the highlight.
#include "chart_view.h"

#include <algorithm>
#include "../core/clock.h"
#include "../core/dates.h"

double FigureValue(int figure, const Figures &figures)
{
    switch (figure) {
    case FIGURE_KEYS: return (double)figures.keys;
    case FIGURE_DISTANCE: return figures.distance;
    case FIGURE_CLICKS:
        return (double)(figures.leftClicks + figures.middleClicks + figures.rightClicks);
    default: return (double)figures.seconds;
    }
}

double HourValue(int figure, const HourlyRecord &hour)
{
    switch (figure) {
    case FIGURE_KEYS: return (double)hour.keys;
    case FIGURE_DISTANCE: return hour.distance;
    case FIGURE_CLICKS: return (double)hour.clicks;
    default: return 0.0;
    }
}

const ChartSeries *ShownSeries(const ChartData *data, const ChartView *view)
{
    return &data->sums.series[view->unit];
}

// Where the keyboard starts: today, or the hour now, or the last bar in view.
static int32_t StartingItem(const ChartData *data, const ChartView *view, int32_t shown)
{
    const ChartSeries *series = ShownSeries(data, view);
    int32_t todaySlot = series->bars[series->todayBar].slot;
    int32_t today = DayNumber(data->sums.today) - YearFirstDay(view->year);
    switch (view->kind) {
    case VIEW_BARS:
        return todaySlot >= view->firstSlot && todaySlot < view->firstSlot + shown
                   ? todaySlot
                   : std::min(view->firstSlot + shown, series->slots) - 1;
    case VIEW_CALENDAR: return today >= 0 && today < DaysInYear(view->year) ? today : 0;
    default: return HourOfWeek(*ClockLastReading());
    }
}

static int32_t MovedBar(const ChartData *data, const ChartView *view, int32_t item, WPARAM key,
                        int32_t shown)
{
    int32_t last = ShownSeries(data, view)->slots - 1;
    switch (key) {
    case VK_LEFT: item -= 1; break;
    case VK_RIGHT: item += 1; break;
    case VK_PRIOR: item -= shown; break;
    case VK_NEXT: item += shown; break;
    case VK_HOME: item = 0; break;
    case VK_END: item = last; break;
    }
    return std::max(0, std::min(item, last));
}

// Weeks are columns and weekdays rows: left and right move by a week, up and down by a day.
static int32_t MovedDay(const ChartView *view, int32_t item, WPARAM key)
{
    int32_t last = DaysInYear(view->year) - 1;
    switch (key) {
    case VK_LEFT: item -= 7; break;
    case VK_RIGHT: item += 7; break;
    case VK_UP: item -= 1; break;
    case VK_DOWN: item += 1; break;
    case VK_HOME: item = 0; break;
    case VK_END: item = last; break;
    }
    return std::max(0, std::min(item, last));
}

// Hours are columns and weekdays rows, the first row the locale's first day of the week.
static int32_t MovedHour(const ChartData *data, int32_t item, WPARAM key)
{
    int firstDayOfWeek = data->sums.firstDayOfWeek;
    int row = (item / 24 - firstDayOfWeek + 7) % 7, hour = item % 24;
    switch (key) {
    case VK_LEFT: hour = std::max(0, hour - 1); break;
    case VK_RIGHT: hour = std::min(23, hour + 1); break;
    case VK_UP: row = std::max(0, row - 1); break;
    case VK_DOWN: row = std::min(6, row + 1); break;
    case VK_HOME: row = 0, hour = 0; break;
    case VK_END: row = 6, hour = 23; break;
    }
    return (firstDayOfWeek + row) % 7 * 24 + hour;
}

bool IsMoveKey(WPARAM key)
{
    return key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN || key == VK_HOME
           || key == VK_END || key == VK_PRIOR || key == VK_NEXT;
}

int32_t MovedItem(const ChartData *data, const ChartView *view, WPARAM key, int32_t shown)
{
    int32_t item = view->item[view->kind];
    if (item == NO_ITEM) {
        item = StartingItem(data, view, shown);
        // The first arrow shows where the keyboard is, rather than moving on from there.
        if (key != VK_HOME && key != VK_END)
            return item;
    }
    if (view->kind == VIEW_BARS)
        return MovedBar(data, view, item, key, shown);
    if (view->kind == VIEW_CALENDAR)
        return MovedDay(view, item, key);
    return MovedHour(data, item, key);
}
