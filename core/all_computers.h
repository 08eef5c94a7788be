// This computer or all computers: the program-wide choice "Show All Computers", and every
// date's figures summed over this computer and every kept source (sources.h), for the views
// that follow the choice (the history window, the charts, the menu's CSV export) and for
// "/exporthistory FILE /all". The sums are 64-bit (counters.h): a day's clicks of three
// computers pass a record's 65,535 as they are. The meter, the recount, the history file's
// export and import, clear data, the backups and the per-key counts stay this computer's
// own whatever the choice. Runs on the program's window thread, like the figures and the
// kept sources it reads.
#ifndef TALLYWICK_ALL_COMPUTERS_H
#define TALLYWICK_ALL_COMPUTERS_H

#include <stdint.h>
#include "counters.h"

extern const bool &ShowAllComputers;  // the choice as it holds now
// The choice in memory, as loaded or chosen; saving.h stores it.
void SetShowAllComputers(bool on);
// Moves on whenever what an all-computers view shows changes other than through this
// computer's own figures: the choice turned, a source kept, replaced or removed.
uint32_t ShownComputersStamp();

// Every date's figures over all computers, one per date in date order: this computer's
// stored days, today (PeriodDate) as TodayFigures gives it, with what was counted since the
// last save, and every kept source's days. Today is there when some computer holds a record
// of it or something has been counted. Into a block that the caller frees; null, with
// *count 0, when the memory cannot be had.
DayFigures *AllComputersDays(int32_t *count);
// Today over all computers: TodayFigures and every kept source's records of PeriodDate.
Figures AllComputersToday();

#endif
