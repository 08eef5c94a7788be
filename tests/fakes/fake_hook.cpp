#include "fake_hook.h"
#include "hook/hook.h"

HWND FakeHookWindow = nullptr;
int FakeHookInitCalls = 0;
int FakeHookUninitCalls = 0;
int FakeHookDetectCalls = 0;
bool FakeHookInitFails = false;
int FakeHookCountEachKey = -1;

void ResetFakeHook()
{
    FakeHookWindow = nullptr;
    FakeHookInitCalls = FakeHookUninitCalls = FakeHookDetectCalls = 0;
    FakeHookInitFails = false;
    FakeHookCountEachKey = -1;
}

BOOL DllInit(HWND window)
{
    ++FakeHookInitCalls;
    FakeHookWindow = window;
    return FakeHookInitFails ? FALSE : TRUE;
}

BOOL DllUninit(void)
{
    ++FakeHookUninitCalls;
    return TRUE;
}

BOOL DetectScreenValues(void)
{
    ++FakeHookDetectCalls;
    return TRUE;
}

BOOL DllCountEachKey(BOOL on)
{
    FakeHookCountEachKey = on;
    return TRUE;
}
