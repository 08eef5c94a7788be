// The registry key holds the all-time totals, the all-time running time, the whole
// history, the week clock's hours, the per-key counts and this computer's ids; it is read
// at start-up and after each save of a period change, and written at every period change,
// at each checkpoint and at exit. The per-key option and "Show All Computers" are written
// when the user changes them.
#include "registry_store.h"

#include <windows.h>
#include <stdlib.h>
#include <string.h>
#include <wchar.h>

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
// really holds are taken, read over the blob itself. A count of 0 or one beyond what a
// 32-bit blob can hold (a corrupt value) takes none, and so does a blob with no whole
// record in it.
static void ReadStoredHistory(HKEY key, HistoryList *history)
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
    if (present == 0) {
        free(blob);
        return;
    }
    history->records = (HistoryRecord *)blob;
    history->capacity = (int32_t)present;
    history->count = (int32_t)(items < present ? items : present);
}

// A value of exactly `size` bytes into `destination`, which is zeroed for anything else: a
// value of another size is no layout this program knows. The registry fails a read into a
// buffer too small (and may leave it undefined), and a shorter read is checked here.
static bool ReadExactValue(HKEY key, const char *name, void *destination, DWORD size)
{
    DWORD length = size;
    if (RegQueryValueExA(key, name, nullptr, nullptr, (BYTE *)destination, &length)
            == ERROR_SUCCESS
        && length == size)
        return true;
    memset(destination, 0, size);
    return false;
}

// An option is on only as the DWORD 1; anything else, or nothing, is off.
static bool ReadOption(HKEY key, const char *name)
{
    DWORD option = 0;
    return ReadExactValue(key, name, &option, sizeof option) && option == 1;
}

static const DWORD KEYS_TODAY_SIZE = sizeof(DateKey) + KEY_IDENTITIES * sizeof(uint32_t);

static void ReadKeyCounts(HKEY key, StoredFigures *stored)
{
    stored->countEachKey = ReadOption(key, COUNT_EACH_KEY_VALUE);
    ReadExactValue(key, KEYS_ALL_TIME_VALUE, stored->keys.allTime, sizeof stored->keys.allTime);
    BYTE today[KEYS_TODAY_SIZE];
    if (!ReadExactValue(key, KEYS_TODAY_VALUE, today, sizeof today))
        return;
    memcpy(&stored->keys.todayDate, today, sizeof stored->keys.todayDate);
    memcpy(stored->keys.today, today + sizeof(DateKey), sizeof stored->keys.today);
}

LONG LastLoadError;

bool ReadStoredFigures(StoredFigures *stored)
{
    *stored = StoredFigures{{}, 0, {nullptr, 0, 0, HISTORY_GROW_STEP}, {}, false, {}, false};
    HKEY key;
    LastLoadError = RegOpenKeyA(HKEY_CURRENT_USER, SETTINGS_KEY, &key);
    if (LastLoadError != ERROR_SUCCESS)
        return false;
    ReadValue(key, "Keyboard Presses", &stored->totals.keyPresses, 8);
    ReadValue(key, "Mouse Trajectory", &stored->totals.distance, 8);
    ReadValue(key, "Total Time", &stored->totalTime, 8);
    ReadValue(key, "Mouse Clicks L", &stored->totals.leftClicks, 8);
    ReadValue(key, "Mouse Clicks M", &stored->totals.middleClicks, 8);
    ReadValue(key, "Mouse Clicks R", &stored->totals.rightClicks, 8);
    ReadStoredHistory(key, &stored->history);
    ReadExactValue(key, "Hourly Activity", stored->hours, sizeof stored->hours);
    ReadKeyCounts(key, stored);
    stored->showAllComputers = ReadOption(key, SHOW_ALL_COMPUTERS_VALUE);
    RegCloseKey(key);
    return true;
}

LONG LastSaveError;

static void WriteKeyCountValues(HKEY key, const KeyCounts &keys, LONG *failure)
{
    BYTE today[KEYS_TODAY_SIZE];
    memcpy(today, &keys.todayDate, sizeof keys.todayDate);
    memcpy(today + sizeof(DateKey), keys.today, sizeof keys.today);
    WriteValue(key, KEYS_ALL_TIME_VALUE, REG_BINARY, keys.allTime, sizeof keys.allTime, failure);
    WriteValue(key, KEYS_TODAY_VALUE, REG_BINARY, today, sizeof today, failure);
}

bool WriteStoredFigures(const CounterBlock &totals, uint64_t totalTime, const HistoryList &history,
                        const HourlyRecord (&hours)[HOURS_IN_WEEK], const KeyCounts *keys)
{
    HKEY key;
    LastSaveError = RegCreateKeyA(HKEY_CURRENT_USER, SETTINGS_KEY, &key);
    if (LastSaveError != ERROR_SUCCESS)
        return false;
    // A key can open and still refuse writes (an ACL, a policy, a full hive): every value
    // is tried, so that as much as can be is stored, and any refusal fails the write.
    LONG failure = ERROR_SUCCESS;
    WriteValue(key, "Keyboard Presses", REG_QWORD, &totals.keyPresses, 8, &failure);
    // The distance goes as the raw 8 bytes of the double, hence binary rather than a qword.
    WriteValue(key, "Mouse Trajectory", REG_BINARY, &totals.distance, 8, &failure);
    WriteValue(key, "Total Time", REG_QWORD, &totalTime, 8, &failure);
    WriteValue(key, "Mouse Clicks L", REG_QWORD, &totals.leftClicks, 8, &failure);
    WriteValue(key, "Mouse Clicks M", REG_QWORD, &totals.middleClicks, 8, &failure);
    WriteValue(key, "Mouse Clicks R", REG_QWORD, &totals.rightClicks, 8, &failure);
    DWORD items = (DWORD)history.count;
    WriteValue(key, "History Items", REG_DWORD, &items, sizeof items, &failure);
    if (items != 0)
        WriteValue(key, "History", REG_BINARY, history.records,
                   items * (DWORD)sizeof(HistoryRecord), &failure);
    WriteValue(key, "Hourly Activity", REG_BINARY, hours, sizeof hours, &failure);
    if (keys)
        WriteKeyCountValues(key, *keys, &failure);
    RegCloseKey(key);
    LastSaveError = failure;
    return failure == ERROR_SUCCESS;
}

// A value of any length as it is stored, into a block that the caller frees, with `extra`
// more bytes of room after it; a missing value or key reads as empty (*size 0). False, with
// nothing to free, when the value is there but cannot be read or no memory.
static bool ReadWholeValue(const char *name, DWORD extra, BYTE **data, DWORD *size)
{
    *size = 0;
    HKEY key;
    LONG opened = RegOpenKeyExA(HKEY_CURRENT_USER, SETTINGS_KEY, 0, KEY_QUERY_VALUE, &key);
    LONG found = opened == ERROR_SUCCESS
                     ? RegQueryValueExA(key, name, nullptr, nullptr, nullptr, size)
                     : opened;
    bool none = found == ERROR_FILE_NOT_FOUND;  // no key, or no value in it
    if (none)
        *size = 0;
    // The block is had for no value too, so that the caller always has its room.
    *data = found == ERROR_SUCCESS || none ? (BYTE *)malloc(*size + extra + 1) : nullptr;
    bool read = *data && (*size == 0 || RegQueryValueExA(key, name, nullptr, nullptr,
                                                         *data, size) == ERROR_SUCCESS);
    if (opened == ERROR_SUCCESS)
        RegCloseKey(key);
    if (!read) {
        free(*data);
        *data = nullptr;
        *size = 0;
    }
    return read;
}

// One value, in the key created when it is missing; the registry's result.
static LONG WriteSingleValue(const char *name, DWORD type, const void *data, DWORD size)
{
    HKEY key;
    LONG result = RegCreateKeyA(HKEY_CURRENT_USER, SETTINGS_KEY, &key);
    if (result != ERROR_SUCCESS)
        return result;
    result = RegSetValueExA(key, name, 0, type, (const BYTE *)data, size);
    RegCloseKey(key);
    return result;
}

// Off is no value: a key that does not exist holds none.
static bool DeleteOption(const char *name)
{
    HKEY key;
    if (RegOpenKeyA(HKEY_CURRENT_USER, SETTINGS_KEY, &key) != ERROR_SUCCESS)
        return true;
    LONG result = RegDeleteValueA(key, name);
    RegCloseKey(key);
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

// On is the DWORD 1, in a key created when missing.
static bool WriteOption(const char *name, bool on)
{
    if (!on)
        return DeleteOption(name);
    DWORD one = 1;
    return WriteSingleValue(name, REG_DWORD, &one, sizeof one) == ERROR_SUCCESS;
}

bool WriteCountEachKey(bool on)
{
    return WriteOption(COUNT_EACH_KEY_VALUE, on);
}

bool WriteShowAllComputers(bool on)
{
    return WriteOption(SHOW_ALL_COMPUTERS_VALUE, on);
}

void WriteKeyCounts(const KeyCounts &keys)
{
    HKEY key;
    if (RegOpenKeyA(HKEY_CURRENT_USER, SETTINGS_KEY, &key) != ERROR_SUCCESS)
        return;
    LONG failure = ERROR_SUCCESS;
    WriteKeyCountValues(key, keys, &failure);
    RegCloseKey(key);
}

void DeleteKeyCounts()
{
    HKEY key;
    if (RegOpenKeyA(HKEY_CURRENT_USER, SETTINGS_KEY, &key) != ERROR_SUCCESS)
        return;
    RegDeleteValueA(key, KEYS_ALL_TIME_VALUE);
    RegDeleteValueA(key, KEYS_TODAY_VALUE);
    RegCloseKey(key);
}

uint64_t ReadComputerIdValue()
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, SETTINGS_KEY, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return 0;
    uint64_t id = 0;
    DWORD type = 0, size = sizeof id;
    LONG result = RegQueryValueExA(key, COMPUTER_ID_VALUE, nullptr, &type, (BYTE *)&id, &size);
    RegCloseKey(key);
    return result == ERROR_SUCCESS && type == REG_QWORD && size == sizeof id ? id : 0;
}

bool WriteComputerIdValue(uint64_t id)
{
    return WriteSingleValue(COMPUTER_ID_VALUE, REG_QWORD, &id, sizeof id) == ERROR_SUCCESS;
}

bool ReadFormerComputerIdsValue(DWORD extra, BYTE **data, DWORD *size)
{
    return ReadWholeValue(FORMER_COMPUTER_IDS_VALUE, extra, data, size);
}

bool WriteFormerComputerIdsValue(const BYTE *data, DWORD size)
{
    return WriteSingleValue(FORMER_COMPUTER_IDS_VALUE, REG_BINARY, data, size) == ERROR_SUCCESS;
}

// Read wide, so that a folder named outside the ANSI code page arrives whole. The data may
// come without its terminator; one is added, and a value with a zero inside it is refused.
bool ReadSyncFolderValue(wchar_t *folder)
{
    folder[0] = L'\0';
    HKEY key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, L"" SETTINGS_KEY, 0, KEY_QUERY_VALUE, &key)
        != ERROR_SUCCESS)
        return false;
    wchar_t data[MAX_PATH + 1];
    DWORD type = 0, size = sizeof data - sizeof data[0];
    LONG result = RegQueryValueExW(key, L"" SYNC_FOLDER_VALUE, nullptr, &type, (BYTE *)data, &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS || type != REG_SZ || size % sizeof(wchar_t) != 0)
        return false;
    size_t units = size / sizeof(wchar_t);
    data[units] = L'\0';
    while (units > 0 && data[units - 1] == L'\0')
        --units;
    if (units == 0 || units >= MAX_PATH || wcslen(data) != units)
        return false;
    wcscpy(folder, data);
    return true;
}

bool WriteSyncFolderValue(const wchar_t *folder)
{
    if (!folder[0])
        return DeleteOption(SYNC_FOLDER_VALUE);
    HKEY key;
    LONG result = RegCreateKeyW(HKEY_CURRENT_USER, L"" SETTINGS_KEY, &key);
    if (result != ERROR_SUCCESS)
        return false;
    result = RegSetValueExW(key, L"" SYNC_FOLDER_VALUE, 0, REG_SZ, (const BYTE *)folder,
                            (DWORD)((wcslen(folder) + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}
