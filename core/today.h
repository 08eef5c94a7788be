// The figures every window shows, worked out once here: the current period, today and all
// time. Read on the program's one thread, like the figures they come from (figures.h).
#ifndef TALLYWICK_TODAY_H
#define TALLYWICK_TODAY_H

#include "counters.h"

// The current period and all time, from one reading of the clock, so that the two running
// times shown side by side agree to the second.
void PeriodAndAllTimeFigures(Figures *period, Figures *allTime);
Figures AllTimeFigures();
// Today (PeriodDate) as the history will hold it after the next save: every record of
// today summed, the last of them with what was counted since the last save credited as
// the save will store it (keys and seconds modulo 2^32, clicks modulo 2^16, the distance
// in single precision). A merged file or a restored backup may hold two records of a day.
Figures TodayFigures();

#endif
