// The operations of HOOK.dll, the companion library that watches keyboard and mouse
// system-wide and posts one message per event (MSG_KEY_PRESS .. MSG_CLICK_RIGHT, see
// res/resource.h) to the window given to DllInit. Imported by name. MSG_KEY_PRESS carries
// the key's identity in wParam: its scan code (0-255), plus 256 for an extended key; 0
// names no key, and so a press into a password box while each key is counted.
#ifndef TALLYWICK_HOOK_H
#define TALLYWICK_HOOK_H

#include <windows.h>
#include "../res/resource.h"

#ifdef TALLYWICK_BUILDING_HOOK
#define HOOK_API extern "C" __declspec(dllexport)
#else
#define HOOK_API extern "C"
#endif

// Starts watching the input for `window`; nonzero on success (only the low byte counts).
HOOK_API BOOL DllInit(HWND window);
// Stops watching; called once when the message loop ends, also after a failed DllInit.
HOOK_API BOOL DllUninit(void);
// Measures the screens again after a change of resolution or monitors.
HOOK_API BOOL DetectScreenValues(void);
// "Count Each Key" on or off: while it is on, each press is checked at once for a focused
// password box. Told at the program's start and at every change; off until told.
HOOK_API BOOL DllCountEachKey(BOOL on);

#endif
