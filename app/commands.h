// The command table: every menu command routed to its window or operation.
#ifndef TALLYWICK_COMMANDS_H
#define TALLYWICK_COMMANDS_H

#include <windows.h>
#include "../meter/menu.h"

// Runs one command; true when the window procedure is to return 0, false when the
// message goes on to the default procedure (IDM_RECOUNT and unknown commands).
bool RunMeterCommand(HWND window, WORD command);
// The menu's check marks as they are now.
MenuChecks CurrentMenuChecks();

#endif
