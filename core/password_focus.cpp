// The password-box check: the foreground thread's focus, its class and its style.
#include "password_focus.h"

#include <windows.h>

// The class a window was built on: an edit control that a program superclasses under a
// name of its own ("TEdit", "WindowsForms10.EDIT...") still answers "Edit".
static bool IsEditControl(HWND window)
{
    char name[8];
    return RealGetWindowClassA(window, name, sizeof name) == 4 && lstrcmpiA(name, "Edit") == 0;
}

bool PasswordBoxHasFocus()
{
    GUITHREADINFO thread = {};
    thread.cbSize = sizeof thread;
    // With no foreground window at all no box can have the focus; a foreground thread
    // whose focus cannot be read (another desktop) counts as one that types a password.
    if (!GetGUIThreadInfo(0, &thread))
        return GetForegroundWindow() != nullptr;
    HWND focus = thread.hwndFocus;
    // The style first: it is read from memory the system shares, without a call into the
    // window's process, and rules out nearly every window at once.
    return focus && (GetWindowLongA(focus, GWL_STYLE) & ES_PASSWORD) && IsEditControl(focus);
}
