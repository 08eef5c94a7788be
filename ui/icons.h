// The program's icons at the sizes a DPI asks for: every window's title bar and task
// switcher, the notification area and the history rows. Each icon resource holds images
// drawn for 100 % to 400 % scaling; a size between them is scaled down from the next larger.
#ifndef TALLYWICK_ICONS_H
#define TALLYWICK_ICONS_H

#include <windows.h>

// The small and the large icon's side at `dpi`, in pixels (SM_CXSMICON, SM_CXICON).
int SmallIconSize(UINT dpi);
int LargeIconSize(UINT dpi);
// Icon resource `id` at `size` pixels, for the caller to destroy; null when it cannot load.
HICON LoadIconAtSize(WORD id, int size);
// IDI_MAIN at `size` pixels, loaded once and kept for the process's life (null when it
// cannot load): the windows and the shell share it, and none of them destroys it.
HICON ProgramIcon(int size);
// The window's small and large icons (WM_SETICON) for a monitor of `dpi`.
void SetWindowIcons(HWND window, UINT dpi);

#endif
