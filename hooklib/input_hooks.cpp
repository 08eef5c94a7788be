// The callbacks do constant work: they never block, never allocate and always pass the
// event on. A callback that does not return within LowLevelHooksTimeout gets its hook
// removed silently (see watchdog.cpp).
#include "input_hooks.h"
#include "distance.h"
#include "hook_thread.h"
#include "key_identity.h"
#include "key_presses.h"
#include "password_focus.h"
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

// The press's key for the per-key counts. While keys are counted one by one, the focus is
// judged here, at the press, and not when the program takes the message from its queue,
// which may be long after the focus has moved on: a press into a password box names no
// key (0). While they are not, the key costs no more than its identity. Injected input may
// carry no scan code; the active layout's scan code of the virtual key stands in for it.
WPARAM PressedKey(const KBDLLHOOKSTRUCT *event)
{
    if (IsEachKeyCounted() && PasswordBoxHasFocus())
        return 0;
    UINT scan = event->scanCode;
    if ((scan & 0xFF) == 0)
        scan = MapVirtualKeyW(event->vkCode, MAPVK_VK_TO_VSC_EX);
    return KeyIdentity(scan, (event->flags & LLKHF_EXTENDED) != 0);
}

}  // namespace

void OnKeyEvent(WPARAM message, const KBDLLHOOKSTRUCT *event)
{
    // Text that a program types as characters (KEYEVENTF_UNICODE: a password manager's
    // auto-type, a macro tool) comes as VK_PACKET, and the keys that Windows makes up
    // around AltGr and the keypad carry MADE_UP_KEY_SCAN: no key moved. The real key they
    // stand beside stays down, so that its auto-repeat is still no new press.
    if (event->vkCode == VK_PACKET || (event->scanCode & MADE_UP_KEY_SCAN))
        return;
    BYTE key = (BYTE)event->vkCode;
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (IsNewKeyPress(key, event->time))
            PostMessageA(HookTarget(), MSG_KEY_PRESS, PressedKey(event), 0);
        break;
    case WM_KEYUP:
    case WM_SYSKEYUP: NoteKeyUp(key); break;
    }
}

namespace {

LRESULT CALLBACK KeyboardProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION) {
        NoteHookEvent();
        OnKeyEvent(wParam, (const KBDLLHOOKSTRUCT *)lParam);
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
