// A clock that the unit tests set by hand, linked in place of the program's real clock.
#ifndef TALLYWICK_FAKE_CLOCK_H
#define TALLYWICK_FAKE_CLOCK_H

#include <windows.h>

void SetFakeTickCount(DWORD ticks);
void SleepFakeClock(DWORD ms);  // the ticks move on, the unbiased time stands still
void SetFakeDate(WORD year, WORD month, WORD day);  // its weekday too
void SetFakeTime(WORD hour, WORD minute, WORD second);
// Back to a fixed, ordinary moment: tick count 1,000,000 ms, Monday 7 June 2010,
// 12:00.
void ResetFakeClock();

#endif
