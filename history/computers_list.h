// The list of the other computers whose histories are kept (core/sources.h): name, days,
// first and last day and when each was last updated, the sync folder's files that could
// not be read, and the removal of a computer.
#ifndef TALLYWICK_COMPUTERS_LIST_H
#define TALLYWICK_COMPUTERS_LIST_H

#include <windows.h>

extern HWND ComputersList;  // the dialog while it is open, else null

// IDM_COMPUTERS: opens the list, or brings the open one to the front. The dialog is modal
// to nothing, so that the meter and the menu stay usable while it is open.
void ShowComputersList();

#endif
