// The two low-level hooks, keyboard and mouse, which post one message per key press and
// click and the pointer's travel to the hook thread's target window. Everything here runs
// on the hook thread: Windows calls the hooks through the message loop of the thread that
// installed them.
#ifndef TALLYWICK_HOOKLIB_INPUT_HOOKS_H
#define TALLYWICK_HOOKLIB_INPUT_HOOKS_H

#include <windows.h>

// Installs both hooks, or none; true on success.
bool InstallHooks();
void RemoveHooks();
bool HooksInstalled();
// The tick count when a hook last saw an event.
DWORD LastHookEventTime();
// Takes input up to `time` as seen; never moves the last event time back.
void MarkInputSeen(DWORD time);
// A key event as the keyboard hook passes it on (WM_KEYDOWN .. WM_SYSKEYUP): a new press
// is posted to the target as MSG_KEY_PRESS with its key.
void OnKeyEvent(WPARAM message, const KBDLLHOOKSTRUCT *event);

#endif
