// What the chart window shows and how, shared by the window, its plot and the painting.
// One lives with each chart window (there is at most one), attached to it; the figures in
// it are copies, so the chart never holds an address into the history.
#ifndef TALLYWICK_CHART_STATE_H
#define TALLYWICK_CHART_STATE_H

#include <windows.h>
#include "../core/counters.h"
#include "../core/history_sums.h"

enum ChartFigure { FIGURE_KEYS, FIGURE_DISTANCE, FIGURE_CLICKS, FIGURE_TIME, FIGURE_COUNT };
enum ChartView { VIEW_BARS, VIEW_CALENDAR, VIEW_CLOCK, VIEW_COUNT };

const int32_t NO_ITEM = -1;

struct ChartState {
    ChartSums sums;
    int32_t sumsRecords;                // StoredHistory.count when the sums were built
    uint32_t sumsComputers;             // ShownComputersStamp() when the sums were built
    Figures today;                      // today (TodayFigures or all computers'), as last taken
    HourlyRecord hours[HOURS_IN_WEEK];  // the week clock as last taken
    bool clockIsNew;                    // the week clock holds less than a week
    int figure;                         // ChartFigure
    int view;                           // ChartView
    int unit;                           // ChartUnit of the bars
    int year;                           // the year calendar's
    int32_t firstSlot;                  // the first bar in view
    int32_t slotsShown;                 // bars that fit, as last laid out
    int wheelRest;                      // the mouse wheel's turn short of a notch
    // The highlighted item of each view: a bar's slot, a day of the calendar's year counted
    // from 0, an hour of the week (HourOfWeek); NO_ITEM for none.
    int32_t item[VIEW_COUNT];
    UINT dpi;
    HFONT font;  // at dpi, for the controls and the chart
    HWND tooltip;
    HWND lastFocus;  // the control that had the keyboard when the window went inactive
};

// The value of the chosen figure: a count, millimetres or seconds.
double FigureValue(int figure, const Figures &figures);
// The same for an hour of the week clock, which keeps no running time.
double HourValue(int figure, const HourlyRecord &hour);
// The series of the bars' unit.
const ChartSeries *ShownSeries(const ChartState *state);
// The days of the calendar's year: the first day's number and how many.
int32_t YearFirstDay(int year);
int32_t DaysInYear(int year);

// The arrows, Home, End, Page Up and Page Down.
bool IsMoveKey(WPARAM key);
// The item that `key` highlights in the state's view, `shown` bars being in view: where the
// keyboard starts when none is (today, the hour now, or the last bar in view), else the
// next one in the key's direction, staying inside the bars, the year or the week.
int32_t MovedItem(const ChartState *state, WPARAM key, int32_t shown);

#endif
