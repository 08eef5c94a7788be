// Windows removes a low-level hook without a word when one call takes longer than
// LowLevelHooksTimeout; from then on nothing would count. The system's last input time
// tells: input that no hook has seen is a sign. One check alone could meet an event on its
// way to the hook, and the clocks of the two stamps can differ by a tick, so the hooks
// count as gone only when input more than INPUT_SLACK_MS newer than the last hook event
// is still unseen at the next check, WATCHDOG_INTERVAL_MS on. Reinstalling removes what
// is left first, so no event is ever seen by two hooks, and a reinstall after a false
// alarm costs nothing but the reinstall.
#include "watchdog.h"
#include "input_hooks.h"

namespace {

const LONG INPUT_SLACK_MS = 1000;

// Unseen input found by the previous check, by its time.
bool HaveSuspect = false;
DWORD SuspectInputTime = 0;

// Whether input at `time` is newer than what the hooks have seen, beyond the slack.
bool IsUnseen(DWORD time)
{
    return (LONG)(time - LastHookEventTime()) > INPUT_SLACK_MS;
}

// The input that went unseen is lost; fresh hooks take only later input as a sign.
void Reinstall()
{
    RemoveHooks();
    InstallHooks();
}

}  // namespace

void ResetWatchdog()
{
    HaveSuspect = false;
}

void CheckHooks()
{
    LASTINPUTINFO info = {sizeof info, 0};
    if (!HooksInstalled()) {  // a reinstall failed: try again
        Reinstall();
        return;
    }
    if (!GetLastInputInfo(&info) || !IsUnseen(info.dwTime)) {
        HaveSuspect = false;
        // Keeps the last event time recent on an idle machine, so that weeks without
        // input do not wrap the comparison.
        MarkInputSeen(GetTickCount() - INPUT_SLACK_MS);
        return;
    }
    if (HaveSuspect && IsUnseen(SuspectInputTime)) {
        HaveSuspect = false;
        Reinstall();
        return;
    }
    HaveSuspect = true;
    SuspectInputTime = info.dwTime;
}
