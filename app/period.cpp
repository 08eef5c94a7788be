// Period changes (clear data, midnight, tick-counter wrap) and the exit sequence.
#include "period.h"

#include "checkpoint.h"
#include "counters.h"
#include "power.h"
#include "registry_store.h"
#include "startup.h"
#include "../history/history_list.h"
#include "../meter/meter_paint.h"
#include "../meter/meter_timer.h"
#include "../meter/meter_window.h"
#include "../meter/tray_icon.h"
#include "../res/resource.h"

// The period has been saved: the next one starts from what the key now holds.
static void StartFromSavedPeriod(uint64_t savedTime)
{
    StartPeriod();
    if (!LoadFromRegistry()) {
        // The key vanished between the save and the reload; a reload would have zeroed
        // the baseline and the running time, so go on from what was just saved instead.
        PeriodBaseline = Totals;
        StoredTotalTime = savedTime;
    }
}

// The key could not be created or a value not written, so the save failed. The ended
// period is carried in memory instead: credited to the history (once: a save that got as
// far as the credit has moved the saved mark) and to the running time, so that the next
// save that succeeds writes it, and no save ever stores less time or fewer counts.
static void StartFromUnsavedPeriod()
{
    UpdateTodayRecord();
    StoredTotalTime = AllTimeSeconds();
    StartPeriod();
    PeriodBaseline = Totals;
}

void ClearData()
{
    // The save credits the period to PeriodDate, so the new period must start after it.
    uint64_t savedTime = AllTimeSeconds();
    if (SaveToRegistry())
        StartFromSavedPeriod(savedTime);
    else
        StartFromUnsavedPeriod();
    ResetMeterWindowPosition();
}

void OnMeterTimer(HWND window, WPARAM timerId)
{
    // First, so that a sleep over midnight is left out of the period that the date check ends.
    LeaveOutTimeNotRunning();
    // Sent, not posted: the new period has begun before the date test below looks at it.
    if (TickCountOrWrap() == TICK_WRAPPED)
        SendMessageA(window, WM_COMMAND, IDM_CLEAR_DATA, 0);
    if (TodayDateKey() != PeriodDate)
        SendMessageA(window, WM_COMMAND, IDM_CLEAR_DATA, 0);
    CheckpointWhenDue();
    // A tick with nothing new to show leaves the window alone; the system's own paints
    // (an uncovered meter, a resize) are never skipped.
    if (timerId == METER_TIMER_ID && MeterCanBeSeen(window) && MeterFiguresChanged())
        RedrawWindow(window, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

// WM_DESTROY and WM_ENDSESSION can both arrive before the loop takes WM_QUIT. A second
// run would save "Total Time" from a StoredTotalTime that the first run left behind (and
// so store less time than it did), and delete the font again; it does nothing instead.
static bool ExitSequenceDone;

void RunExitSequence()
{
    if (ExitSequenceDone)
        return;
    ExitSequenceDone = true;
    // The save comes first: at the end of a session Windows waits for the program only a
    // few seconds, and the tray icon's removal can wait on the shell. A session may also
    // end before the first tick after a sleep has left the sleep out.
    LeaveOutTimeNotRunning();
    SaveToRegistry();
    StartPeriod();
    PeriodBaseline = Totals;
    RemoveTrayIcon();
    if (MeterFont) {
        DeleteObject(MeterFont);
        MeterFont = NULL;
    }
    CloseInstanceMutex();
    // An exit that comes while the popup menu is open (sent by the installer, say) closes
    // it: the menu's own loop would otherwise go on running, with the quit message unseen.
    EndMenu();
    PostQuitMessage(0);
}
