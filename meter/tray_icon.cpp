// PLACEHOLDER until this module is written; nothing here is real.
#include "tray_icon.h"
bool AddTrayIcon() { return false; }
bool RemoveTrayIcon() { return false; }
void OnTrayNotify(HWND, LPARAM) {}
