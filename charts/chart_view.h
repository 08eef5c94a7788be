// How the chart is viewed: the figure, the view, the bars' unit, the calendar's year, the
// bars scrolled and the item highlighted; the figures as numbers, and where the keys move
// the highlight.
#ifndef TALLYWICK_CHART_VIEW_H
#define TALLYWICK_CHART_VIEW_H

#include <windows.h>
#include "chart_data.h"

enum ChartFigure { FIGURE_KEYS, FIGURE_DISTANCE, FIGURE_CLICKS, FIGURE_TIME, FIGURE_COUNT };
enum ChartViewKind { VIEW_BARS, VIEW_CALENDAR, VIEW_CLOCK, VIEW_COUNT };

const int32_t NO_ITEM = -1;

struct ChartView {
    int figure;                         // ChartFigure
    int kind;                           // ChartViewKind
    int unit;                           // ChartUnit of the bars
    int year;                           // the year calendar's
    int32_t firstSlot;                  // the first bar in view; INT32_MAX: the bars' end
    int32_t slotsShown;                 // bars that fit, as last laid out
    int wheelRest;                      // the mouse wheel's turn short of a notch
    // The highlighted item of each view: a bar's slot, a day of the calendar's year counted
    // from 0, an hour of the week (HourOfWeek); NO_ITEM for none.
    int32_t item[VIEW_COUNT];
};

// The value of the chosen figure: a count, millimetres or seconds.
double FigureValue(int figure, const Figures &figures);
// The same for an hour of the week clock, which keeps no running time.
double HourValue(int figure, const HourlyRecord &hour);
// The series of the bars' unit.
const ChartSeries *ShownSeries(const ChartData *data, const ChartView *view);

// The arrows, Home, End, Page Up and Page Down.
bool IsMoveKey(WPARAM key);
// The item that `key` highlights in the view, `shown` bars being in view: where the
// keyboard starts when none is (today, the hour now, or the last bar in view), else the
// next one in the key's direction, staying inside the bars, the year or the week.
int32_t MovedItem(const ChartData *data, const ChartView *view, WPARAM key, int32_t shown);

#endif
