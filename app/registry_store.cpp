// The registry key holds the all-time totals, the all-time running time and the whole
// history; it is read at start-up and after each save of a period change, and written at
// every period change, at each checkpoint and at exit.
#include "registry_store.h"
#include "counters.h"
#include "key_counts.h"
#include "../history/history_list.h"

#include <windows.h>
#include <stdlib.h>
#include <string.h>

// Reads a value into a destination of `size` bytes, whatever its type. A value shorter
// than the destination fills its low-order bytes; a missing, unreadable or oversized
// value leaves the destination as it was (the registry leaves a buffer undefined when
// the data does not fit, so nothing is read straight into it).
static void ReadValue(HKEY key, const char *name, void *destination, DWORD size)
{
    BYTE data[8] = {};
    DWORD length = size;
    if (size > sizeof data)
        return;
    if (RegQueryValueExA(key, name, nullptr, nullptr, data, &length) == ERROR_SUCCESS)
        memcpy(destination, data, length);
}

// A refused write leaves its error code in *failure.
static void WriteValue(HKEY key, const char *name, DWORD type, const void *data, DWORD size,
                       LONG *failure)
{
    LONG result = RegSetValueExA(key, name, 0, type, (const BYTE *)data, size);
    if (result != ERROR_SUCCESS)
        *failure = result;
}

// Reads the whole "History" value into a buffer of its own; returns null when it is
// missing, empty or cannot be read. The caller frees the buffer.
static BYTE *ReadHistoryBlob(HKEY key, DWORD *size)
{
    *size = 0;
    if (RegQueryValueExA(key, "History", nullptr, nullptr, nullptr, size) != ERROR_SUCCESS
        || *size == 0)
        return nullptr;
    BYTE *blob = (BYTE *)malloc(*size);
    // The value may have changed since its size was asked (a second instance exporting
    // while the resident one saves); a read that no longer fits is given up.
    if (blob && RegQueryValueExA(key, "History", nullptr, nullptr, blob, size) == ERROR_SUCCESS)
        return blob;
    free(blob);
    *size = 0;
    return nullptr;
}

// "History Items" says how many records to take; only whole records that "History"
// really holds are taken. A count of 0 or one beyond what a 32-bit blob can hold (a
// corrupt value) leaves the list in memory untouched, and so does a blob with no whole
// record in it or a failed reserve.
static void LoadStoredHistory(HKEY key)
{
    uint32_t items = 0;
    ReadValue(key, "History Items", &items, sizeof items);
    if (items == 0 || (uint64_t)items * sizeof(HistoryRecord) > 0xFFFFFFFFull)
        return;
    DWORD size;
    BYTE *blob = ReadHistoryBlob(key, &size);
    if (!blob)
        return;
    uint32_t present = size / sizeof(HistoryRecord);
    int32_t take = (int32_t)(items < present ? items : present);
    // The records are read over the array: the stored count replaces the one in memory.
    if (take > 0 && ReserveHistory(&StoredHistory, take)) {
        memcpy(StoredHistory.records, blob, (size_t)take * sizeof(HistoryRecord));
        StoredHistory.count = take;
    }
    free(blob);
}

bool LoadFromRegistry()
{
    PeriodBaseline = CounterBlock{};
    StoredTotalTime = 0;
    HKEY key;
    if (RegOpenKeyA(HKEY_CURRENT_USER, SETTINGS_KEY, &key) != ERROR_SUCCESS)
        return false;
    ReadValue(key, "Keyboard Presses", &PeriodBaseline.keyPresses, 8);
    ReadValue(key, "Mouse Trajectory", &PeriodBaseline.distance, 8);
    ReadValue(key, "Total Time", &StoredTotalTime, 8);
    ReadValue(key, "Mouse Clicks L", &PeriodBaseline.leftClicks, 8);
    ReadValue(key, "Mouse Clicks M", &PeriodBaseline.middleClicks, 8);
    ReadValue(key, "Mouse Clicks R", &PeriodBaseline.rightClicks, 8);
    LoadStoredHistory(key);
    LoadKeyCounts(key);
    Totals = PeriodBaseline;
    SavedTotals = Totals;
    RegCloseKey(key);
    return true;
}

LONG LastSaveError;

bool SaveToRegistry()
{
    HKEY key;
    LastSaveError = RegCreateKeyA(HKEY_CURRENT_USER, SETTINGS_KEY, &key);
    if (LastSaveError != ERROR_SUCCESS)
        return false;
    // A key can open and still refuse writes (an ACL, a policy, a full hive): every value
    // is tried, so that as much as can be is stored, and any refusal fails the save.
    LONG failure = ERROR_SUCCESS;
    uint64_t totalTime = AllTimeSeconds();
    WriteValue(key, "Keyboard Presses", REG_QWORD, &Totals.keyPresses, 8, &failure);
    // The distance goes as the raw 8 bytes of the double, hence binary rather than a qword.
    WriteValue(key, "Mouse Trajectory", REG_BINARY, &Totals.distance, 8, &failure);
    WriteValue(key, "Total Time", REG_QWORD, &totalTime, 8, &failure);
    WriteValue(key, "Mouse Clicks L", REG_QWORD, &Totals.leftClicks, 8, &failure);
    WriteValue(key, "Mouse Clicks M", REG_QWORD, &Totals.middleClicks, 8, &failure);
    WriteValue(key, "Mouse Clicks R", REG_QWORD, &Totals.rightClicks, 8, &failure);
    // An append that runs out of memory leaves the period uncredited; the history that
    // exists is still written.
    UpdateTodayRecord();
    DWORD items = (DWORD)StoredHistory.count;
    WriteValue(key, "History Items", REG_DWORD, &items, sizeof items, &failure);
    if (items != 0)
        WriteValue(key, "History", REG_BINARY, StoredHistory.records,
                   items * (DWORD)sizeof(HistoryRecord), &failure);
    SaveKeyCounts(key, &failure);
    RegCloseKey(key);
    LastSaveError = failure;
    return failure == ERROR_SUCCESS;
}
