// The meter's pace. A shown meter that nothing happens to repaints once a second, for its
// running time; a hidden one draws nothing, and its one tick a second only makes the
// checks for midnight, a wrap of the tick counter, a checkpoint and time not running.
// Runs on the program's thread, like everything of the meter window.
#include "meter_timer.h"
#include "meter_frame.h"
#include "meter_layout.h"
#include "../core/clock.h"
#include "../res/resource.h"

static const DWORD SECOND_MS = 1000;

static bool MeterShown;           // as MeterCanBeSeen was at the last WM_WINDOWPOSCHANGED
static bool CountTimerPending;    // METER_COUNT_TIMER_ID is set and has not fired
static DWORD LastLookTicks;       // ClockTickCount() when the figures were last looked at

// Re-armed at every tick, on the clock that the running time is counted on, so that the
// time line turns with the second however late a tick came. Only the tick itself sets it:
// SetTimer starts the interval afresh.
static void SetSecondTimer(HWND window)
{
    SetTimer(window, METER_TIMER_ID, SECOND_MS - ClockTickCount() % SECOND_MS, nullptr);
}

void StartMeterTimer(HWND window)
{
    MeterShown = MeterCanBeSeen(window);
    SetSecondTimer(window);
}

static void DropCountTimer(HWND window)
{
    if (CountTimerPending)
        KillTimer(window, METER_COUNT_TIMER_ID);
    CountTimerPending = false;
}

// The lines are built afresh; only when a text changed is the meter measured and
// repainted, at once. A look that finds nothing new counts as one too, so that a stream of
// counts too small to show (a fraction of a millimetre) builds the lines once in 50 ms.
static void RepaintNewFigures(HWND window)
{
    DropCountTimer(window);
    LastLookTicks = ClockTickCount();
    if (!UpdateMeterLines())
        return;
    FitMeterToLines(window);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void OnMeterTimer(HWND window, WPARAM timerId)
{
    if (timerId == METER_TIMER_ID) {
        SetSecondTimer(window);
    } else if (timerId != METER_COUNT_TIMER_ID) {
        return;
    }
    if (MeterShown)
        RepaintNewFigures(window);
    else
        DropCountTimer(window);
}

void OnMeterPlaced(HWND window)
{
    bool shown = MeterCanBeSeen(window);
    if (shown == MeterShown)
        return;
    // Set first: the layout's growth is a placement of its own.
    MeterShown = shown;
    if (shown)
        LayOutMeter(window);
    else
        DropCountTimer(window);
}

void ShowCountSoon(HWND window)
{
    if (!MeterShown || CountTimerPending)
        return;
    DWORD sinceLook = ClockTickCount() - LastLookTicks;
    if (sinceLook >= COUNT_REPAINT_MS)
        RepaintNewFigures(window);
    else if (SetTimer(window, METER_COUNT_TIMER_ID, COUNT_REPAINT_MS - sinceLook, nullptr))
        CountTimerPending = true;
}
