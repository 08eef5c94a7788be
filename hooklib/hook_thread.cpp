// Two threads meet here: the program's thread, which calls the library's operations, and
// the hook thread, which this module starts. Every function says which thread runs it.
//
// Shared values, their owners and their synchronisation (nothing else is shared: the key
// state, the distance, the screen table in use, the hooks and the timers belong to the
// hook thread alone):
// - Target: written by the program thread (DllInit), read by the hook thread in every
//   callback. An atomic; no order with other memory is needed, as a window handle is
//   all that is passed.
// - EachKeyCounted: "Count Each Key" as the program last told it (DllCountEachKey),
//   written by the program thread at its start and at every change of the option, read by
//   the hook thread at every key press. An atomic flag, relaxed: it guards no other memory,
//   and a press at the very moment of a change may be judged either way.
// - HandedOverScreens, ScreensWaiting: written by the program thread, taken over by the
//   hook thread; both under ScreensLock, which is held for no more than a copy of the
//   table, so the hook thread never waits on a measurement.
// - HookThreadStart: filled by the hook thread before it sets `started`, read by the
//   program thread after waiting for it (the event orders the two).
// - HookThread, HookThreadId: the program thread's own (DllInit, DllUninit); the hook
//   thread never reads them.
#include "hook_thread.h"
#include "distance.h"
#include "input_hooks.h"
#include "key_presses.h"
#include "watchdog.h"
#include "res/resource.h"

#include <atomic>

namespace {

std::atomic<HWND> Target(NULL);
std::atomic<bool> EachKeyCounted(false);

SRWLOCK ScreensLock = SRWLOCK_INIT;
ScreenTable HandedOverScreens;
bool ScreensWaiting = false;

struct HookThreadStart {
    HANDLE started;
    bool installed;
};

HANDLE HookThread = NULL;
DWORD HookThreadId = 0;

// Hook thread.
void TakeOverScreens()
{
    AcquireSRWLockExclusive(&ScreensLock);
    if (ScreensWaiting)
        UseScreens(HandedOverScreens);
    ScreensWaiting = false;
    ReleaseSRWLockExclusive(&ScreensLock);
}

// Hook thread.
void CALLBACK OnWatchdogTimer(HWND, UINT, UINT_PTR, DWORD)
{
    CheckHooks();
}

// Hook thread: the hooks are called from inside GetMessage.
void RunHookLoop()
{
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        if (msg.hwnd == NULL && msg.message == MSG_SCREENS_MEASURED)
            TakeOverScreens();
        else
            DispatchMessageA(&msg);  // the timers
    }
}

// Hook thread, from start to end.
DWORD WINAPI HookThreadMain(LPVOID data)
{
    HookThreadStart *start = (HookThreadStart *)data;
    // The message queue, so that messages posted to this thread from now on arrive.
    MSG msg;
    PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE);
    // A starved hook thread gets its hooks removed: it should win over ordinary work.
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_HIGHEST);
    TakeOverScreens();
    ResetKeyPresses();
    ResetDistance();
    bool installed = InstallHooks();
    start->installed = installed;
    SetEvent(start->started);  // `start` belongs to the waiting DllInit: not used after this
    if (!installed)
        return 1;
    ResetWatchdog();
    UINT_PTR watchdog = SetTimer(NULL, 0, WATCHDOG_INTERVAL_MS, OnWatchdogTimer);
    RunHookLoop();
    KillTimer(NULL, watchdog);
    RemoveHooks();
    StopDistance(HookTarget());
    return 0;
}

// Program thread.
void JoinHookThread()
{
    WaitForSingleObject(HookThread, INFINITE);
    CloseHandle(HookThread);
    HookThread = NULL;
    HookThreadId = 0;
}

}  // namespace

bool StartHookThread(HWND target)
{
    HookThreadStart start = {CreateEventA(NULL, TRUE, FALSE, NULL), false};
    if (!start.started)
        return false;
    Target.store(target);
    HookThread = CreateThread(NULL, 0, HookThreadMain, &start, 0, &HookThreadId);
    if (HookThread) {
        WaitForSingleObject(start.started, INFINITE);
        if (!start.installed)
            JoinHookThread();
    }
    CloseHandle(start.started);
    return HookThread != NULL;
}

bool HookThreadRunning()
{
    return HookThread != NULL;
}

void SetHookTarget(HWND target)
{
    Target.store(target);
}

void StopHookThread()
{
    if (!HookThread)
        return;
    PostThreadMessageA(HookThreadId, WM_QUIT, 0, 0);
    JoinHookThread();
    Target.store(NULL);
}

void HandOverScreens(const ScreenTable &table)
{
    AcquireSRWLockExclusive(&ScreensLock);
    HandedOverScreens = table;
    ScreensWaiting = true;
    ReleaseSRWLockExclusive(&ScreensLock);
    if (HookThread)
        PostThreadMessageA(HookThreadId, MSG_SCREENS_MEASURED, 0, 0);
}

HWND HookTarget()
{
    return Target.load(std::memory_order_relaxed);
}

void SetEachKeyCounted(bool on)
{
    EachKeyCounted.store(on, std::memory_order_relaxed);
}

bool IsEachKeyCounted()
{
    return EachKeyCounted.load(std::memory_order_relaxed);
}
