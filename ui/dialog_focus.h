// The keyboard focus of a window with controls goes back to the control that had it when
// the window was left, as in a dialog box; each window keeps its own last focus.
#ifndef TALLYWICK_DIALOG_FOCUS_H
#define TALLYWICK_DIALOG_FOCUS_H

#include <windows.h>

// WM_ACTIVATE: on leaving, the child of `window` that has the focus becomes `*lastFocus`.
void RememberDialogFocus(HWND window, WPARAM state, HWND *lastFocus);
// WM_SETFOCUS: `lastFocus` while it can take the focus, else null.
HWND DialogFocusToRestore(HWND lastFocus);

#endif
