// The program as a whole: start-up, the exit sequence, and the changes of the figures that
// reach the windows too (clear data, midnight and the wrap, the recount, an import's
// merge, another computer's history added). It is the one module that calls both the core
// and the windows; the windows turn the user's commands into calls of it.
#ifndef TALLYWICK_PROGRAM_H
#define TALLYWICK_PROGRAM_H

#include <windows.h>
#include <stdint.h>
#include "../core/history_list.h"

// The whole program after WinMain has split the command line, wide so that a file name
// outside the ANSI code page arrives whole; returns the exit code.
int RunProgram(HINSTANCE instance, int argc, wchar_t **argv);
// Save, fresh period, remove the tray icon, delete the font, close the mutex, quit.
// Runs once; a second WM_DESTROY or WM_ENDSESSION finds it done and does nothing.
void RunExitSequence();
// Ends the current period: save, new period, reload, meter back to its default place.
// When the save fails (see LastSaveError) the ended period is carried in memory.
void ClearData();
// The meter timer's checks, once a second: time not running is left out, a wrap or a
// change of date starts a new period (IDM_CLEAR_DATA sent to `window`), a checkpoint
// when one is due, a look at the sync folder once a minute, the history window shown anew
// when the kept sources have changed.
void RunTimerChecks(HWND window);
// Rebuilds the all-time totals and running time from the history, then clears data.
void RecountTotals();
// An import's merge into the stored history, then the recount: ERROR_SUCCESS, or
// ERROR_NOT_ENOUGH_MEMORY with nothing merged, or the error of the save that failed after
// the merge (the merged figures are then carried in memory).
LONG MergeImport(const HistoryList *imported, int replace);
// IDM_OPEN_BACKUPS: shows the backup folder in Explorer, creating it if needed.
void OpenBackupFolder();

#endif
