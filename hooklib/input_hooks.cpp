// The callbacks do constant work: they never block, never allocate and always pass the
// event on. A callback that does not return within LowLevelHooksTimeout gets its hook
// removed silently (see watchdog.cpp).
#include "input_hooks.h"
#include "distance.h"
#include "hook_thread.h"
#include "key_presses.h"
#include "res/resource.h"

// This library's own module, for installing the hooks.
extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {

HHOOK KeyboardHook = NULL;
HHOOK MouseHook = NULL;
DWORD LastEventTime = 0;

// The tick count rather than the event's stamp, which other programs' injected input
// may set to anything.
void NoteHookEvent()
{
    LastEventTime = GetTickCount();
}

// The scan code that Windows gives Pause when asked for one (0xE11D: its make code
// begins with E1); the keyboard hook itself reports Pause as 0x45, not extended.
const UINT PAUSE_MAPPED_SCAN = 0xE11D;
const WPARAM PAUSE_IDENTITY = 0x45;

// Which physical key this is, for the per-key counts: the scan code, plus 256 when the
// key is extended, so that the keypad, the right Ctrl and Alt and the arrow keys are keys
// of their own. Injected input may carry no scan code (or its E0 prefix in the high
// byte); the active layout's scan code of the virtual key stands in for a missing one.
WPARAM KeyIdentity(const KBDLLHOOKSTRUCT *event)
{
    UINT scan = event->scanCode;
    bool extended = (event->flags & LLKHF_EXTENDED) != 0 || (scan >> 8) == 0xE0;
    if ((scan & 0xFF) == 0) {
        scan = MapVirtualKeyW(event->vkCode, MAPVK_VK_TO_VSC_EX);
        if (scan == PAUSE_MAPPED_SCAN)
            return PAUSE_IDENTITY;
        extended = extended || (scan >> 8) == 0xE0;
    }
    return (scan & 0xFF) | (extended ? 0x100 : 0);
}

void OnKeyEvent(WPARAM message, const KBDLLHOOKSTRUCT *event)
{
    BYTE key = (BYTE)event->vkCode;
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (IsNewKeyPress(key, event->time))
            PostMessageA(HookTarget(), MSG_KEY_PRESS, KeyIdentity(event), 0);
        break;
    case WM_KEYUP:
    case WM_SYSKEYUP: NoteKeyUp(key); break;
    }
}

LRESULT CALLBACK KeyboardProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION) {
        NoteHookEvent();
        const KBDLLHOOKSTRUCT *event = (const KBDLLHOOKSTRUCT *)lParam;
        // Text that a program types as characters (KEYEVENTF_UNICODE: a password manager's
        // auto-type, a macro tool) comes as VK_PACKET: no key was pressed.
        if (event->vkCode != VK_PACKET)
            OnKeyEvent(wParam, event);
    }
    return CallNextHookEx(NULL, code, wParam, lParam);
}

LRESULT CALLBACK MouseProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION) {
        NoteHookEvent();
        const MSLLHOOKSTRUCT *event = (const MSLLHOOKSTRUCT *)lParam;
        HWND target = HookTarget();
        // Every event carries the pointer's position, so a move folded into a click
        // still counts.
        TrackPointer(target, event->pt, event->time);
        switch (wParam) {
        case WM_LBUTTONDOWN: PostMessageA(target, MSG_CLICK_LEFT, 0, 0); break;
        case WM_MBUTTONDOWN: PostMessageA(target, MSG_CLICK_MIDDLE, 0, 0); break;
        case WM_RBUTTONDOWN: PostMessageA(target, MSG_CLICK_RIGHT, 0, 0); break;
        }
    }
    return CallNextHookEx(NULL, code, wParam, lParam);
}

}  // namespace

bool InstallHooks()
{
    HINSTANCE module = (HINSTANCE)&__ImageBase;
    KeyboardHook = SetWindowsHookExA(WH_KEYBOARD_LL, KeyboardProc, module, 0);
    MouseHook = SetWindowsHookExA(WH_MOUSE_LL, MouseProc, module, 0);
    if (KeyboardHook && MouseHook) {
        NoteHookEvent();  // input from before they were installed is none of theirs
        return true;
    }
    RemoveHooks();
    return false;
}

void RemoveHooks()
{
    if (MouseHook)
        UnhookWindowsHookEx(MouseHook);
    if (KeyboardHook)
        UnhookWindowsHookEx(KeyboardHook);
    MouseHook = KeyboardHook = NULL;
}

bool HooksInstalled()
{
    return KeyboardHook && MouseHook;
}

DWORD LastHookEventTime()
{
    return LastEventTime;
}

void MarkInputSeen(DWORD time)
{
    if ((LONG)(time - LastEventTime) > 0)
        LastEventTime = time;
}
