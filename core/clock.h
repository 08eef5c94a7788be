// The program's one view of time: the millisecond tick counter and the local date.
// Unit tests link a controllable fake in place of clock.cpp.
#ifndef TALLYWICK_CLOCK_H
#define TALLYWICK_CLOCK_H

#include <windows.h>

DWORD ClockTickCount();                 // GetTickCount
// Milliseconds of the unbiased interrupt time (QueryUnbiasedInterruptTime): it runs like
// the tick count but stands still while the machine sleeps or hibernates.
ULONGLONG ClockUnbiasedMs();
// The local date in wYear, wMonth and wDay (GetLocalTime); the other fields are those of
// the last reading of the system time.
void ClockLocalDate(SYSTEMTIME *today);
// The local time as last read by ClockLocalDate, without asking the system: its weekday
// and hour are those of now from the first ClockLocalDate after each hour's edge on, which
// the meter timer calls at least once a second; its minutes may be a minute old.
const SYSTEMTIME *ClockLastReading();
// The system time or the time zone has changed (WM_TIMECHANGE, a resume): the next date
// asked for is read afresh.
void ClockTimeChanged();

#endif
