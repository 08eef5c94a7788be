// The notification-area icon: the user's handle on the program while the meter is hidden.
#ifndef TALLYWICK_TRAY_ICON_H
#define TALLYWICK_TRAY_ICON_H

#include <windows.h>

// A first start (no settings key before it): once the shell holds the icon, it shows the
// notification that the program counts, that its icon may be in the overflow area, and
// what a click and a right click on it do; once only. Called before ShowTrayIcon.
void AnnounceFirstStart();
// Puts the icon in for MeterWindow; while the shell refuses it, a timer keeps trying.
void ShowTrayIcon();
// After a DPI, display or setting change: an icon drawn for another DPI than that of the
// taskbar's monitor is sent again at the new one.
void FitTrayIconToTaskbar();
// Takes the icon out and stops every further try to put it in.
bool RemoveTrayIcon();
// True for the shell's registered "TaskbarCreated" message, sent when a taskbar appears.
bool IsTaskbarCreated(UINT message);
// "TaskbarCreated": the icon goes in again unless the program is on its way out.
void OnTaskbarCreated();
// MSG_TRAY_NOTIFY: left press toggles the meter, right release opens the menu.
void OnTrayNotify(HWND window, LPARAM mouseMessage);
// Copies `text` into a tip of `size` bytes, cut before a character that would not fit.
void CopyTrayTip(char *tip, size_t size, const char *text);

#endif
