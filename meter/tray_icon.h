// The notification-area icon: the user's handle on the program while the meter is hidden.
#ifndef TALLYWICK_TRAY_ICON_H
#define TALLYWICK_TRAY_ICON_H

#include <windows.h>

bool AddTrayIcon();
bool RemoveTrayIcon();
// MSG_TRAY_NOTIFY: left press toggles the meter, right release opens the menu.
void OnTrayNotify(HWND window, LPARAM mouseMessage);
// Copies `text` into a tip of `size` bytes, cut before a character that would not fit.
void CopyTrayTip(char *tip, size_t size, const char *text);

#endif
