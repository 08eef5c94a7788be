// The password-box check: the foreground thread's focus, its style and its class.
#include "password_focus.h"

#include <windows.h>

// The class a window was built on: an edit control that a program superclasses under a
// name of its own ("TEdit", "WindowsForms10.EDIT...") still answers "Edit". The RichEdit
// classes hide what is typed with the same style bit.
static bool IsPasswordCapableControl(HWND window)
{
    static const char *const classes[] = {"Edit", "RichEdit20A", "RichEdit20W", "RICHEDIT50W"};
    char name[16];
    if (!RealGetWindowClassA(window, name, sizeof name))
        return false;
    for (const char *known : classes)
        if (lstrcmpiA(name, known) == 0)
            return true;
    return false;
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
    return focus && (GetWindowLongA(focus, GWL_STYLE) & ES_PASSWORD)
           && IsPasswordCapableControl(focus);
}
