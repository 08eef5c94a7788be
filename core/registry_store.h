// The registry key that holds the all-time totals, the running time, the history, the
// week clock's hours, while the user has them kept the per-key counts, this computer's ids
// and, while it is on, the choice to show all computers. The store reads and writes the values it is given; what they mean is the core's.
#ifndef TALLYWICK_REGISTRY_STORE_H
#define TALLYWICK_REGISTRY_STORE_H

#include <windows.h>
#include "counters.h"
#include "history_list.h"

#define SETTINGS_KEY "Software\\Ferrowood\\Tallywick"

// What the key holds.
struct StoredFigures {
    CounterBlock totals;
    uint64_t totalTime;   // "Total Time", running seconds
    HistoryList history;  // the whole records that "History Items" vouches for; owned
    HourlyRecord hours[HOURS_IN_WEEK];  // "Hourly Activity"
    bool countEachKey;                  // "Count Each Key" is 1
    KeyCounts keys;                     // "Keys All Time" and "Keys Today"
    bool showAllComputers;              // "Show All Computers" is 1
};

// The per-key option and counts under the key; a user who never turned the option on has
// none of these values.
#define COUNT_EACH_KEY_VALUE "Count Each Key"   // REG_DWORD, 1 = on; absent = off
#define KEYS_ALL_TIME_VALUE "Keys All Time"
#define KEYS_TODAY_VALUE "Keys Today"

// The views of all computers (all_computers.h) rather than this one's alone.
#define SHOW_ALL_COMPUTERS_VALUE "Show All Computers"   // REG_DWORD, 1 = on; absent = off

// Reads the key; a value that is missing, unreadable or too large leaves its figure zero,
// and a record count of 0, a corrupt one or a "History" without a whole record leaves the
// history empty; an "Hourly Activity" that is missing or of another size than the 168
// records leaves the hours zero; a per-key value that is missing or of another size
// leaves its counts zero; an option that is not a DWORD of 1 is off. False, with everything zero, when the key could not be opened.
// The caller destroys stored->history.
bool ReadStoredFigures(StoredFigures *stored);
// The registry's answer to the last read's opening of the key: ERROR_FILE_NOT_FOUND when
// there was no key at all, as before the first save in a user account.
extern LONG LastLoadError;
// Writes the nine values and, unless `keys` is null, the two per-key values, creating the
// key when it is missing. False when the key could not be created (nothing written) or
// any value could not be written.
bool WriteStoredFigures(const CounterBlock &totals, uint64_t totalTime, const HistoryList &history,
                        const HourlyRecord (&hours)[HOURS_IN_WEEK], const KeyCounts *keys);
// This computer's identity (computer_identity.h): "Computer Id" (REG_QWORD) and "Former
// Computer Ids" (REG_BINARY), written when a history file first needs them, never by a save.
#define COMPUTER_ID_VALUE "Computer Id"
#define FORMER_COMPUTER_IDS_VALUE "Former Computer Ids"
// "Computer Id" when it is a REG_QWORD of 8 bytes; 0 when it is missing or not that.
uint64_t ReadComputerIdValue();
// Writes "Computer Id", creating the key when it is missing; false when it was refused.
bool WriteComputerIdValue(uint64_t id);
// "Former Computer Ids" as it is stored, into a block that the caller frees, with `extra`
// more bytes of room after it; a missing value or key reads as empty (*size 0). False,
// with nothing to free, when the value is there but cannot be read or no memory.
bool ReadFormerComputerIdsValue(DWORD extra, BYTE **data, DWORD *size);
// Writes "Former Computer Ids", creating the key when it is missing; false when refused.
bool WriteFormerComputerIdsValue(const BYTE *data, DWORD size);
// "Count Each Key": on is the value 1, in a key created when missing; off is no value.
// False when it could not be stored.
bool WriteCountEachKey(bool on);
// "Show All Computers", stored as "Count Each Key" is.
bool WriteShowAllComputers(bool on);
// The two per-key values into the key, when it exists.
void WriteKeyCounts(const KeyCounts &keys);
// The two per-key values out of the key.
void DeleteKeyCounts();
// The sync folder (sync_folder.h), written when the user chooses it.
#define SYNC_FOLDER_VALUE "Sync Folder"   // REG_SZ, the folder's wide path; absent = off
// "Sync Folder" into `folder` of MAX_PATH units; false, with "" there, when it is missing or
// is not a REG_SZ of 1 to MAX_PATH - 1 units.
bool ReadSyncFolderValue(wchar_t *folder);
// Writes it in a key created when missing, or deletes it for "". False when refused.
bool WriteSyncFolderValue(const wchar_t *folder);
// The registry's error code for the last write that failed; ERROR_SUCCESS after a good one.
extern LONG LastSaveError;

#endif
