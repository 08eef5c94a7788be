// The chart window's texts: axis labels, the average, the labels under the bars, the
// tooltips and the names of weekdays and months. Every text comes from the string table
// or the user's locale, in the ANSI code page; each is written into the caller's buffer
// of CHART_TEXT_SIZE bytes.
#ifndef TALLYWICK_CHART_TEXT_H
#define TALLYWICK_CHART_TEXT_H

#include "chart_view.h"

const int CHART_TEXT_SIZE = 512;

// A round value of the axis in the program's own units: grouped digits, km and m, days and
// hours (or h:mm:ss under an hour).
void AxisText(int figure, double value, char *out);
// An exact value in the history window's cell formats.
void FigureText(int figure, double value, char *out);
// "Average: ..." with the value in its cell format.
void AverageText(int figure, double value, char *out);
// The calendar's year as its label shows it.
void YearText(int year, char *out);
// The tooltip of a bar, a day of the calendar's year or an hour of the week clock.
void BarTipText(const ChartData *data, const ChartView *view, int32_t slot, char *out);
void DayTipText(const ChartData *data, const ChartView *view, int32_t dayOfYear, char *out);
void HourTipText(const ChartData *data, int hourOfWeek, char *out);

// The labels that come from the user's locale, which may name days and months in a script
// that the ANSI code page lacks: wide, in buffers of LABEL_SIZE characters, drawn wide.
const int LABEL_SIZE = 128;
// The period under its bar: a short date, a month or a year.
void PeriodLabel(ChartUnit unit, int32_t period, int firstDayOfWeek, wchar_t *out);
// Abbreviated names: weekday 0 (Monday) to 6, month 1 to 12.
void WeekdayLabel(int weekday, wchar_t *out);
void MonthLabel(int month, wchar_t *out);

#endif
