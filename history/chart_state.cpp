// The chart's figures as numbers, and the calendar's year.
#include "chart_state.h"

double FigureValue(int figure, const ChartFigures &figures)
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

const ChartSeries *ShownSeries(const ChartState *state)
{
    return &state->sums.series[state->unit];
}

int32_t YearFirstDay(int year)
{
    return DayNumber((DateKey)year << 16 | 1 << 8 | 1);
}

int32_t DaysInYear(int year)
{
    return YearFirstDay(year + 1) - YearFirstDay(year);
}
