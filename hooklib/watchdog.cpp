// Windows removes a low-level hook without a word when one call takes longer than
// LowLevelHooksTimeout; from then on nothing would count. The system's last input time
// tells: input that no hook has seen is a sign. One check alone could meet an event on its
// way to the hook, and the clocks of the two stamps can differ by a tick, so the hooks
// count as gone only when input more than INPUT_SLACK_MS newer than the last hook event
// is still unseen at the next check, WATCHDOG_INTERVAL_MS on. Reinstalling removes what
// is left first, so no event is ever seen by two hooks, and a reinstall after a false
// alarm costs nothing but the reinstall.
//
// Unseen input is not always a lost hook: Windows keeps input into an elevated window (Task
// Manager, an administrator console, a UAC prompt) and on the secure desktop from the hooks
// of a program without UIAccess, while the last input time goes on. No reinstall helps
// there, so after a reinstall that brought no hook event back the next one waits until
// REINSTALL_PAUSE_MS after it; any hook event since that reinstall ends the wait.
#include "watchdog.h"
#include "input_hooks.h"

namespace {

const LONG INPUT_SLACK_MS = 1000;
const DWORD REINSTALL_PAUSE_MS = 60000;

// Unseen input found by the previous check, by its time.
bool HaveSuspect = false;
DWORD SuspectInputTime = 0;

// When the watchdog last installed the hooks, and the last hook event time just after.
bool HaveReinstalled = false;
DWORD ReinstallTime = 0;
DWORD ReinstallEventTime = 0;

// Whether input at `time` is newer than what the hooks have seen, beyond the slack.
bool IsUnseen(DWORD time)
{
    return (LONG)(time - LastHookEventTime()) > INPUT_SLACK_MS;
}

// The input that went unseen is lost; fresh hooks take only later input as a sign.
void Reinstall(DWORD now)
{
    RemoveHooks();
    InstallHooks();
    HaveReinstalled = true;
    ReinstallTime = now;
    ReinstallEventTime = LastHookEventTime();
}

// An unsigned difference, so that the wrap of the tick counter does no harm.
bool ReinstallWaits(DWORD now)
{
    bool unanswered = HaveReinstalled && LastHookEventTime() == ReinstallEventTime;
    return unanswered && now - ReinstallTime < REINSTALL_PAUSE_MS;
}

}  // namespace

void ResetWatchdog()
{
    HaveSuspect = false;
    HaveReinstalled = false;
}

void CheckHooks()
{
    LASTINPUTINFO info = {sizeof info, 0};
    // Without the system's last input time no input counts as unseen.
    DWORD lastInput = GetLastInputInfo(&info) ? info.dwTime : LastHookEventTime();
    CheckHooksAt(GetTickCount(), lastInput);
}

void CheckHooksAt(DWORD now, DWORD lastInput)
{
    if (!HooksInstalled()) {  // a reinstall failed: try again
        Reinstall(now);
        return;
    }
    if (!IsUnseen(lastInput)) {
        HaveSuspect = false;
        // Keeps the last event time recent on an idle machine, so that weeks without
        // input do not wrap the comparison.
        MarkInputSeen(now - INPUT_SLACK_MS);
        return;
    }
    if (HaveSuspect && IsUnseen(SuspectInputTime)) {
        HaveSuspect = false;
        if (!ReinstallWaits(now))
            Reinstall(now);
        return;
    }
    HaveSuspect = true;
    SuspectInputTime = lastInput;
}
