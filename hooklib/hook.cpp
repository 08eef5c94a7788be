// HOOK.dll: low-level keyboard and mouse hooks, serviced by the message loop of the thread
// that called DllInit, post one message per key press and click, and the pointer's travel
// in millimetres, to the window given to DllInit. The callbacks do constant work: they
// never block, never allocate and always pass the event on.
#include "hook/hook.h"
#include "distance.h"
#include "screen.h"

namespace {

const UINT FLUSH_INTERVAL_MS = 100;

HINSTANCE Module = NULL;
HWND TargetWindow = NULL;
HHOOK KeyboardHook = NULL;
HHOOK MouseHook = NULL;
UINT_PTR FlushTimer = 0;
// Which keys are down, by virtual-key code: a key-down of a key already down is the
// keyboard's auto-repeat and is no new press.
bool KeyIsDown[256];

void ResetKeyState()
{
    for (bool &down : KeyIsDown)
        down = false;
}

void OnKeyDown(BYTE key)
{
    if (KeyIsDown[key])
        return;
    KeyIsDown[key] = true;
    PostMessageA(TargetWindow, MSG_KEY_PRESS, 0, 0);
}

LRESULT CALLBACK KeyboardProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION) {
        const KBDLLHOOKSTRUCT *event = (const KBDLLHOOKSTRUCT *)lParam;
        BYTE key = (BYTE)event->vkCode;
        switch (wParam) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN: OnKeyDown(key); break;
        case WM_KEYUP:
        case WM_SYSKEYUP: KeyIsDown[key] = false; break;
        }
    }
    return CallNextHookEx(NULL, code, wParam, lParam);
}

LRESULT CALLBACK MouseProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION) {
        const MSLLHOOKSTRUCT *event = (const MSLLHOOKSTRUCT *)lParam;
        // Every event carries the pointer's position, so a move folded into a click
        // still counts.
        TrackPointer(TargetWindow, event->pt, event->time);
        switch (wParam) {
        case WM_LBUTTONDOWN: PostMessageA(TargetWindow, MSG_CLICK_LEFT, 0, 0); break;
        case WM_MBUTTONDOWN: PostMessageA(TargetWindow, MSG_CLICK_MIDDLE, 0, 0); break;
        case WM_RBUTTONDOWN: PostMessageA(TargetWindow, MSG_CLICK_RIGHT, 0, 0); break;
        }
    }
    return CallNextHookEx(NULL, code, wParam, lParam);
}

// Posts the distance left over when the pointer has stopped moving.
void CALLBACK OnFlushTimer(HWND, UINT, UINT_PTR, DWORD)
{
    FlushDistance(TargetWindow);
}

void RemoveHooks()
{
    if (FlushTimer)
        KillTimer(NULL, FlushTimer);
    if (MouseHook)
        UnhookWindowsHookEx(MouseHook);
    if (KeyboardHook)
        UnhookWindowsHookEx(KeyboardHook);
    FlushTimer = 0;
    MouseHook = KeyboardHook = NULL;
    TargetWindow = NULL;
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        Module = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

BOOL DllInit(HWND window)
{
    if (!IsWindow(window))
        return FALSE;
    // Installed already: only the destination changes, so that no event counts twice.
    if (KeyboardHook) {
        TargetWindow = window;
        return TRUE;
    }
    TargetWindow = window;
    ResetKeyState();
    ResetDistance();
    MeasureScreens();
    KeyboardHook = SetWindowsHookExA(WH_KEYBOARD_LL, KeyboardProc, Module, 0);
    MouseHook = SetWindowsHookExA(WH_MOUSE_LL, MouseProc, Module, 0);
    if (!KeyboardHook || !MouseHook) {
        RemoveHooks();
        return FALSE;
    }
    // Without the timer the rest of a movement waits for the next one: no reason to fail.
    FlushTimer = SetTimer(NULL, 0, FLUSH_INTERVAL_MS, OnFlushTimer);
    return TRUE;
}

BOOL DllUninit(void)
{
    FlushDistance(TargetWindow);
    RemoveHooks();
    ResetDistance();
    return TRUE;
}

BOOL DetectScreenValues(void)
{
    MeasureScreens();
    return TRUE;
}
