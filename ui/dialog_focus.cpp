// The focus remembered across activations, for the windows that are not dialog boxes.
#include "dialog_focus.h"

void RememberDialogFocus(HWND window, WPARAM state, HWND *lastFocus)
{
    HWND focus = GetFocus();
    if (LOWORD(state) == WA_INACTIVE && focus && IsChild(window, focus))
        *lastFocus = focus;
}

// A control hidden or disabled since would hold a focus the user cannot see or use.
HWND DialogFocusToRestore(HWND lastFocus)
{
    return lastFocus && IsWindowEnabled(lastFocus) && IsWindowVisible(lastFocus) ? lastFocus
                                                                                  : nullptr;
}
