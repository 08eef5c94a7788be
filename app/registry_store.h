// The registry key that holds the all-time totals, the running time and the history.
#ifndef TALLYWICK_REGISTRY_STORE_H
#define TALLYWICK_REGISTRY_STORE_H

#include <windows.h>

#define SETTINGS_KEY "Software\\Ferrowood\\Tallywick"

// Reads the key into PeriodBaseline, Totals, SavedTotals, StoredTotalTime, StoredHistory
// and the per-key counts with their option (key_counts.h).
// Returns false when the key could not be opened (the counters are then zeroed but
// Totals and the history are left as they were).
bool LoadFromRegistry();
// Credits what was counted since the last save to today's record and writes everything.
// False when the key could not be opened or created (nothing written or credited), or
// when any value could not be written (the credit is then made in memory all the same).
bool SaveToRegistry();
// The registry's error code for the last save that failed; ERROR_SUCCESS after a good one.
extern LONG LastSaveError;

#endif
