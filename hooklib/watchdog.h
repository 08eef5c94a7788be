// Notices when Windows has removed the hooks and installs them again. Everything here
// runs on the hook thread.
#ifndef TALLYWICK_HOOKLIB_WATCHDOG_H
#define TALLYWICK_HOOKLIB_WATCHDOG_H

#include <windows.h>

// Every WATCHDOG_INTERVAL_MS while the hooks are meant to run.
const UINT WATCHDOG_INTERVAL_MS = 2000;

// Forgets what earlier checks suspected.
void ResetWatchdog();
// The timer's check: reinstalls the hooks when input went unseen.
void CheckHooks();
// CheckHooks at the tick count `now`, with `lastInput` the system's last input time.
void CheckHooksAt(DWORD now, DWORD lastInput);

#endif
