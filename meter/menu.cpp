// PLACEHOLDER until this module is written; nothing here is real.
#include "menu.h"
void ShowPopupMenu(HWND) {}
void BuildTrayMenu(HWND, HMENU) {}
bool RunMeterCommand(HWND, WORD) { return false; }
INT_PTR CALLBACK AboutDialogProc(HWND, UINT, WPARAM, LPARAM) { return 0; }
