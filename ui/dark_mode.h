// Windows' app mode, light or dark, and what the program's windows take from it: the dark
// title bar, the dark visual styles of the common controls and the colours of their edges.
// The mode is only read, never written. High contrast wins over it. Runs on the program's one
// thread, which owns every window.
#ifndef TALLYWICK_DARK_MODE_H
#define TALLYWICK_DARK_MODE_H

#include <windows.h>

// Whether the app mode is dark ("AppsUseLightTheme" = 0), read afresh: a value that is
// missing or of another type is light.
bool AppModeDark();
// Whether a WM_SETTINGCHANGE's lParam announces a change of the app mode.
bool IsAppModeChange(LPARAM lParam);
// A top-level window and its children in the mode now (dark only while high contrast is
// off): its title bar, and the visual style of each list view, header, button, combo box
// and of the tooltips it owns. Called at creation and at every change of the mode.
void FollowAppMode(HWND window);
// The same for a window not shown yet, whose frame and controls are light as made: in the
// light mode nothing changes, so nothing is done.
void FollowAppModeAtOpen(HWND window);
// A control made after its window followed the mode (a tooltip made when first shown):
// its visual style in the mode now.
void FollowAppModeOfControl(HWND control);
// A WM_CTLCOLORSTATIC, WM_CTLCOLORBTN, WM_CTLCOLORDLG or WM_CTLCOLORLISTBOX of a window in
// dark colours: the brush of its face, with the DC's text and background set; null while the
// colours are light, so that the default procedure answers.
HBRUSH DarkControlColour(UINT message, HDC dc);
// WM_ERASEBKGND of a window whose class brush is the light face: its client area in the face
// of the palette now.
void EraseWithFace(HWND window, HDC dc);

#endif
