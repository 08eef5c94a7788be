// The real clock: the system tick counter and the local time.
#include "clock.h"

DWORD ClockTickCount()
{
    return GetTickCount();
}

void ClockLocalTime(SYSTEMTIME *now)
{
    GetLocalTime(now);
}
