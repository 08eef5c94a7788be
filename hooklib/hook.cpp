// HOOK.dll: low-level keyboard and mouse hooks, serviced by a thread of the library's own,
// post one message per key press and click, and the pointer's travel in millimetres, to
// the window given to DllInit. The four operations run on the program's thread.
#include "hook/hook.h"
#include "hook_thread.h"
#include "screen.h"

namespace {

// Measured here, on the caller's thread, so that the hook thread never waits for it.
void MeasureAndHandOverScreens()
{
    ScreenTable screens;
    MeasureScreens(&screens);
    HandOverScreens(screens);
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        DisableThreadLibraryCalls(instance);
    return TRUE;
}

BOOL DllInit(HWND window)
{
    if (!IsWindow(window))
        return FALSE;
    // Running already: only the destination changes, so that no event counts twice.
    if (HookThreadRunning()) {
        SetHookTarget(window);
        return TRUE;
    }
    MeasureAndHandOverScreens();
    return StartHookThread(window);
}

BOOL DllUninit(void)
{
    StopHookThread();
    return TRUE;
}

BOOL DetectScreenValues(void)
{
    MeasureAndHandOverScreens();
    return TRUE;
}

BOOL DllCountEachKey(BOOL on)
{
    SetEachKeyCounted(on != FALSE);
    return TRUE;
}
