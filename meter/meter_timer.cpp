// The pace of the meter timer.
//
// While the meter can be seen, it ticks every 50 ms, so that a count shows at once and the
// time line turns over with each second. While it is hidden or minimised, nothing is drawn
// and the ticks only watch for midnight, a wrap of the tick counter and a checkpoint due;
// a tick a second does that, and a resident program that waits in the tray then wakes a
// twentieth as often. Runs on the program's thread, like everything of the meter window.
#include "meter_timer.h"

#include "../res/resource.h"

UINT MeterTimerMs;

bool MeterCanBeSeen(HWND window)
{
    return IsWindowVisible(window) && !IsIconic(window);
}

void PaceMeterTimer(HWND window)
{
    UINT pace = MeterCanBeSeen(window) ? METER_TIMER_MS : METER_HIDDEN_TIMER_MS;
    // Set again only on a change: SetTimer starts the interval afresh, and a meter being
    // dragged, which moves many times a second, would otherwise never tick.
    if (pace == MeterTimerMs)
        return;
    if (SetTimer(window, METER_TIMER_ID, pace, nullptr))
        MeterTimerMs = pace;
}

void StartMeterTimer(HWND window)
{
    MeterTimerMs = 0;
    PaceMeterTimer(window);
}
