// The program's one view of time: the millisecond tick counter and the local date.
// Unit tests link a controllable fake in place of clock.cpp.
#ifndef TALLYWICK_CLOCK_H
#define TALLYWICK_CLOCK_H

#include <windows.h>

DWORD ClockTickCount();                // GetTickCount
void ClockLocalTime(SYSTEMTIME *now);  // GetLocalTime

#endif
