// A stand-in for HOOK.dll in the unit tests: it records the calls and can be made to fail.
#ifndef TALLYWICK_FAKE_HOOK_H
#define TALLYWICK_FAKE_HOOK_H

#include <windows.h>

extern HWND FakeHookWindow;       // the window given to the last DllInit
extern int FakeHookInitCalls;
extern int FakeHookUninitCalls;
extern int FakeHookDetectCalls;
extern bool FakeHookInitFails;    // makes DllInit return FALSE
extern int FakeHookCountEachKey;  // what DllCountEachKey was last told; -1 before it was

void ResetFakeHook();

#endif
