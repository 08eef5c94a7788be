// The popup menu and the About box. The commands behind the menu are the program's
// (app/commands.h).
#ifndef TALLYWICK_MENU_H
#define TALLYWICK_MENU_H

#include <windows.h>

// The items that carry a check mark, as they are when the menu opens.
struct MenuChecks {
    bool autostart;
    bool countEachKey;
    bool allComputers;  // "Show All Computers"
    bool syncFolder;    // a sync folder is chosen
};

// MSG_SHOW_MENU: build the menu afresh and track it at the cursor.
void ShowPopupMenu(HWND window, const MenuChecks &checks);
void BuildTrayMenu(HWND window, HMENU menu, const MenuChecks &checks);
// IDM_ABOUT: the About box, modal, in the program's language.
void ShowAboutBox();
INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

#endif
