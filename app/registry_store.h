// The registry key that holds the all-time totals, the running time and the history.
#ifndef TALLYWICK_REGISTRY_STORE_H
#define TALLYWICK_REGISTRY_STORE_H

#define SETTINGS_KEY "Software\\Ferrowood\\Tallywick"

// Reads the key into PeriodBaseline, Totals, StoredTotalTime and StoredHistory.
// Returns false when the key could not be opened (the counters are then zeroed but
// Totals and the history are left as they were).
bool LoadFromRegistry();
// Credits the period to today's record and writes everything; false when the key could
// not be opened or created, in which case nothing was written or credited.
bool SaveToRegistry();

#endif
