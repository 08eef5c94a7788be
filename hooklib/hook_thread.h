// The hook thread: a thread of the library's own that installs the low-level hooks and
// runs the message loop through which Windows calls them, so that they are answered at
// once even while the program's thread is busy or blocked.
#ifndef TALLYWICK_HOOKLIB_HOOK_THREAD_H
#define TALLYWICK_HOOKLIB_HOOK_THREAD_H

#include <windows.h>
#include "screen.h"

// Program thread: starts the hook thread for `target` and waits until it has installed
// the hooks; false (and no thread) when it could not.
bool StartHookThread(HWND target);
// Program thread.
bool HookThreadRunning();
// Program thread: the messages go to `target` from now on.
void SetHookTarget(HWND target);
// Program thread: the hook thread posts the pending distance, removes the hooks and
// ends; returns when it has ended.
void StopHookThread();
// Program thread: `table` becomes the hook thread's screen table before its next event.
void HandOverScreens(const ScreenTable &table);

// Program thread: whether the program counts each key, as it says at its start and at
// every change of the option.
void SetEachKeyCounted(bool on);

// Hook thread: the window that the messages go to.
HWND HookTarget();
// Hook thread: whether a press must say when it went into a password box.
bool IsEachKeyCounted();

#endif
