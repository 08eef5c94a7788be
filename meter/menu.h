// The popup menu, the command table of the meter window and the About box.
#ifndef TALLYWICK_MENU_H
#define TALLYWICK_MENU_H

#include <windows.h>

// MSG_SHOW_MENU: build the menu afresh and track it at the cursor.
void ShowPopupMenu(HWND window);
void BuildTrayMenu(HWND window, HMENU menu);
// Runs one command; true when the window procedure is to return 0, false when the
// message goes on to the default procedure (IDM_RECOUNT and unknown commands).
bool RunMeterCommand(HWND window, WORD command);
INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

#endif
