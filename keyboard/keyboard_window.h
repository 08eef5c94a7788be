// The keyboard window: the heatmap of the per-key counts, today or all time, with the mouse
// beside it; Copy, Save as PNG and Erase. A normal top-level window with a taskbar button;
// there is at most one. It only reads figures: the counts change in the core (key_counts.h).
#ifndef TALLYWICK_KEYBOARD_WINDOW_H
#define TALLYWICK_KEYBOARD_WINDOW_H

#include <windows.h>
#include <stdint.h>
#include "keyboard_picture.h"

#define KEYBOARD_CLASS "TallywickKeyboard"

extern HWND KeyboardWindow;  // null while no keyboard window is open

// IDM_VIEW_KEYBOARD: opens the window, or brings the open one to the front.
void ShowKeyboardWindow();
// For the message loop: Tab, the arrow keys, Escape and the access keys of the window's
// controls; true when the message was taken.
bool IsKeyboardDialogMessage(MSG *message);
// The clicks of the mouse beside the board: today's or all time's, as the core works them
// out (today.h).
void MouseClicksShown(bool allTime, uint64_t clicks[MOUSE_BUTTONS]);
LRESULT CALLBACK KeyboardWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

#endif
