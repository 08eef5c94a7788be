// The chart window's texts, in the string table's formats and the user's locale.
#include "chart_text.h"

#include <math.h>
#include <stdarg.h>
#include <stdio.h>
#include <string.h>
#include "../core/dates.h"
#include "../text/history_cells.h"
#include "../res/resource.h"
#include "../text/formatting.h"
#include "../text/text.h"

static const int SHORT_TEXT_SIZE = 128;

// The system's own C runtime formats, as for every text of the program; it leaves a cut
// text unterminated, so the last byte is kept for the zero.
static void FormatTo(char *out, const char *format, ...)
{
    va_list args;
    va_start(args, format);
    _vsnprintf(out, CHART_TEXT_SIZE - 1, format, args);
    out[CHART_TEXT_SIZE - 1] = 0;
    va_end(args);
}

static void GroupedText(double value, char *out)
{
    GroupDigits((int64_t)llround(value), out);
}

// A value in a large unit and the rest in a small one, naming only the units that are not
// zero: kilometres and metres, days and hours.
static void TwoUnitsText(unsigned long large, unsigned long small, UINT smallOnly,
                         UINT largeOnly, UINT both, char *out)
{
    if (large == 0)
        FormatTo(out, LoadText(SLOT_GENERAL, smallOnly), small);
    else if (small == 0)
        FormatTo(out, LoadText(SLOT_GENERAL, largeOnly), large);
    else
        FormatTo(out, LoadText(SLOT_GENERAL, both), large, small);
}

static void AxisDistanceText(double millimetres, char *out)
{
    unsigned long metres = (unsigned long)llround(millimetres / 1000.0);
    TwoUnitsText(metres / 1000, metres % 1000, IDS_AXIS_M, IDS_AXIS_KM, IDS_AXIS_KM_M, out);
}

static void ClockText(uint64_t seconds, char *out)
{
    FormatTo(out, LoadText(SLOT_GENERAL, IDS_FMT_TIME), (unsigned long)(seconds / 3600),
             (unsigned long)(seconds / 60 % 60), (unsigned long)(seconds % 60));
}

// Whole hours as days and hours; a step below an hour as h:mm:ss.
static void AxisTimeText(double seconds, char *out)
{
    uint64_t whole = (uint64_t)llround(seconds);
    if (whole % 3600 != 0) {
        ClockText(whole, out);
        return;
    }
    TwoUnitsText((unsigned long)(whole / 86400), (unsigned long)(whole / 3600 % 24),
                 IDS_AXIS_HOURS, IDS_AXIS_DAYS, IDS_AXIS_DAYS_HOURS, out);
}

void AxisText(int figure, double value, char *out)
{
    if (value <= 0.0)
        strcpy(out, "0");
    else if (figure == FIGURE_DISTANCE)
        AxisDistanceText(value, out);
    else if (figure == FIGURE_TIME)
        AxisTimeText(value, out);
    else
        GroupedText(value, out);
}

// "%lukm %.3fm", with the kilometres taken from whole metres as in the history window.
static void DistanceText(double millimetres, char *out)
{
    double metres = millimetres * 0.001;
    unsigned long kilometres = metres > 0 && metres < 4e12 ? (unsigned long)(metres / 1000) : 0;
    FormatTo(out, LoadText(SLOT_GENERAL, IDS_FMT_DISTANCE), kilometres, fmod(metres, 1000.0));
}

void FigureText(int figure, double value, char *out)
{
    char grouped[GROUPED_SIZE];
    if (figure == FIGURE_DISTANCE) {
        DistanceText(value, out);
    } else if (figure == FIGURE_TIME) {
        ClockText((uint64_t)llround(value), out);
    } else {
        GroupedText(value, grouped);
        FormatTo(out, LoadText(SLOT_GENERAL, figure == FIGURE_KEYS ? IDS_FMT_KEYS : IDS_FMT_CLICKS),
                 grouped);
    }
}

// The date in the user's format; empty when the system cannot format it.
static void LocaleDateText(DateKey date, DWORD flags, char *out, int size)
{
    SYSTEMTIME time = SystemDateOf(date);
    if (!GetDateFormatA(LOCALE_USER_DEFAULT, flags, &time, nullptr, out, size))
        out[0] = 0;
}

void YearText(int year, char *out)
{
    FormatTo(out, LoadText(SLOT_GENERAL, IDS_YEAR_LABEL), year);
}

void AverageText(int figure, double value, char *out)
{
    char figureText[CHART_TEXT_SIZE];
    FigureText(figure, value, figureText);
    FormatTo(out, LoadText(SLOT_GENERAL, IDS_AVERAGE), figureText);
}

// The month or the year of a bar, for its tooltip.
static void PeriodText(ChartUnit unit, int32_t period, int firstDayOfWeek, char *out)
{
    DateKey first = DateOfDay(FirstDayOfPeriod(unit, period, firstDayOfWeek));
    if (unit == UNIT_YEAR)
        YearText(period, out);
    else
        LocaleDateText(first, unit == UNIT_MONTH ? DATE_YEARMONTH : DATE_SHORTDATE, out,
                       CHART_TEXT_SIZE);
}

// The date and weekday of one day, as the history window's date column shows it.
static void DayHeading(int32_t day, char *out)
{
    lstrcpynA(out, HistoryDateText(DateOfDay(day)), CHART_TEXT_SIZE);
}

static void PeriodHeading(const ChartData *data, const ChartView *view, int32_t period, char *out)
{
    ChartUnit unit = (ChartUnit)view->unit;
    int firstDayOfWeek = data->sums.firstDayOfWeek;
    int32_t first = FirstDayOfPeriod(unit, period, firstDayOfWeek);
    if (unit == UNIT_DAY) {
        DayHeading(first, out);
    } else if (unit == UNIT_WEEK) {
        char from[SHORT_TEXT_SIZE], to[SHORT_TEXT_SIZE];
        LocaleDateText(DateOfDay(first), DATE_SHORTDATE, from, sizeof from);
        LocaleDateText(DateOfDay(first + 6), DATE_SHORTDATE, to, sizeof to);
        FormatTo(out, LoadText(SLOT_GENERAL, IDS_TIP_RANGE), from, to);
    } else {
        PeriodText(unit, period, firstDayOfWeek, out);
    }
}

// The heading, a line break and the figures in the history window's cell formats, or the
// heading and "no record" for a gap.
static void FiguresTipText(const char *heading, const ChartBar *bar, char *out)
{
    if (!bar) {
        FormatTo(out, "%s\n%s", heading, LoadText(SLOT_GENERAL, IDS_TIP_NO_RECORD));
        return;
    }
    const Figures &figures = bar->figures;
    char keys[GROUPED_SIZE], left[GROUPED_SIZE], middle[GROUPED_SIZE], right[GROUPED_SIZE];
    char distance[CHART_TEXT_SIZE], time[CHART_TEXT_SIZE], lines[CHART_TEXT_SIZE];
    GroupDigits((int64_t)figures.keys, keys);
    GroupDigits((int64_t)figures.leftClicks, left);
    GroupDigits((int64_t)figures.middleClicks, middle);
    GroupDigits((int64_t)figures.rightClicks, right);
    FigureText(FIGURE_DISTANCE, figures.distance, distance);
    FigureText(FIGURE_TIME, (double)figures.seconds, time);
    FormatTo(lines, LoadText(SLOT_GENERAL, IDS_TIP_FIGURES), keys, distance, left, middle, right,
             time);
    FormatTo(out, "%s\n%s", heading, lines);
}

void BarTipText(const ChartData *data, const ChartView *view, int32_t slot, char *out)
{
    const ChartSeries *series = ShownSeries(data, view);
    char heading[CHART_TEXT_SIZE];
    PeriodHeading(data, view, series->firstPeriod + slot, heading);
    FiguresTipText(heading, BarInSlot(series, slot), out);
}

void DayTipText(const ChartData *data, const ChartView *view, int32_t dayOfYear, char *out)
{
    const ChartSeries *days = &data->sums.series[UNIT_DAY];
    int32_t day = YearFirstDay(view->year) + dayOfYear;
    char heading[CHART_TEXT_SIZE];
    DayHeading(day, heading);
    FiguresTipText(heading, BarInSlot(days, day - days->firstPeriod), out);
}

// The tooltip is narrow, as every text of the program's windows: a weekday name in a script
// that the ANSI code page lacks shows as the history window's dates show it.
static void WeekdayText(int weekday, char *out)
{
    if (!GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SABBREVDAYNAME1 + weekday, out,
                        SHORT_TEXT_SIZE))
        out[0] = 0;
}

void HourTipText(const ChartData *data, int hourOfWeek, char *out)
{
    const HourlyRecord &hour = data->hours[hourOfWeek];
    char weekday[SHORT_TEXT_SIZE], heading[CHART_TEXT_SIZE], distance[CHART_TEXT_SIZE];
    char keys[GROUPED_SIZE], clicks[GROUPED_SIZE], lines[CHART_TEXT_SIZE];
    WeekdayText(hourOfWeek / 24, weekday);
    FormatTo(heading, LoadText(SLOT_GENERAL, IDS_TIP_HOUR), weekday, hourOfWeek % 24,
             hourOfWeek % 24 + 1);
    GroupDigits((int64_t)hour.keys, keys);
    GroupDigits((int64_t)hour.clicks, clicks);
    FigureText(FIGURE_DISTANCE, hour.distance, distance);
    FormatTo(lines, LoadText(SLOT_GENERAL, IDS_TIP_HOUR_FIGURES), keys, distance, clicks);
    FormatTo(out, "%s\n%s", heading, lines);
}

void PeriodLabel(ChartUnit unit, int32_t period, int firstDayOfWeek, wchar_t *out)
{
    SYSTEMTIME time = SystemDateOf(DateOfDay(FirstDayOfPeriod(unit, period, firstDayOfWeek)));
    DWORD flags = unit == UNIT_MONTH ? DATE_YEARMONTH : DATE_SHORTDATE;
    char year[CHART_TEXT_SIZE];
    if (unit == UNIT_YEAR) {
        YearText(period, year);
        if (!MultiByteToWideChar(CP_ACP, 0, year, -1, out, LABEL_SIZE))
            out[0] = 0;
    } else if (!GetDateFormatW(LOCALE_USER_DEFAULT, flags, &time, nullptr, out, LABEL_SIZE)) {
        out[0] = 0;
    }
}

void WeekdayLabel(int weekday, wchar_t *out)
{
    if (!GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SABBREVDAYNAME1 + weekday, out, LABEL_SIZE))
        out[0] = 0;
}

void MonthLabel(int month, wchar_t *out)
{
    if (!GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SABBREVMONTHNAME1 + month - 1, out, LABEL_SIZE))
        out[0] = 0;
}
