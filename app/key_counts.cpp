// Per-key counts: the option, the two arrays, their registry values and the new day.
// Everything runs on the program's one thread, like the other counters.
#include "key_counts.h"

#include <string.h>
#include "password_focus.h"
#include "registry_store.h"

bool CountEachKey;
uint64_t KeysAllTime[KEY_IDENTITIES];
uint32_t KeysToday[KEY_IDENTITIES];
DateKey KeysTodayDate;
uint32_t KeyCountsChanges;

// Today's counts begin again on the first key or save of a new PeriodDate; the day's
// counts are not kept in the history, so the old ones simply go.
static void StartKeysDayWhenNew()
{
    if (KeysTodayDate == PeriodDate)
        return;
    memset(KeysToday, 0, sizeof KeysToday);
    KeysTodayDate = PeriodDate;
}

// No key has the scan code 0: a press posted with it names no key (HOOK.dll finds none
// for a virtual key that the layout does not place on the keyboard).
void CountKeyOfPress(WPARAM identity)
{
    if (!CountEachKey || identity == 0 || identity >= KEY_IDENTITIES || PasswordBoxHasFocus())
        return;
    StartKeysDayWhenNew();
    ++KeysAllTime[identity];
    ++KeysToday[identity];
    ++KeyCountsChanges;
}

const uint32_t *KeysTodayCounts()
{
    static const uint32_t none[KEY_IDENTITIES] = {};
    return KeysTodayDate == PeriodDate ? KeysToday : none;
}

// A value of exactly `size` bytes into `destination`; anything else leaves it alone. Read
// into a buffer of its own: the registry leaves a buffer undefined when the data does not
// fit, and a value of another size is no array of ours.
static bool ReadExactValue(HKEY key, const char *name, void *destination, DWORD size)
{
    static BYTE data[KEYS_ALL_TIME_SIZE];
    DWORD length = sizeof data;
    if (size > sizeof data
        || RegQueryValueExA(key, name, nullptr, nullptr, data, &length) != ERROR_SUCCESS
        || length != size)
        return false;
    memcpy(destination, data, size);
    return true;
}

void LoadKeyCounts(HKEY settings)
{
    DWORD option = 0;
    CountEachKey = ReadExactValue(settings, COUNT_EACH_KEY_VALUE, &option, sizeof option)
                   && option == 1;
    if (!ReadExactValue(settings, KEYS_ALL_TIME_VALUE, KeysAllTime, KEYS_ALL_TIME_SIZE))
        memset(KeysAllTime, 0, sizeof KeysAllTime);
    BYTE today[KEYS_TODAY_SIZE];
    if (ReadExactValue(settings, KEYS_TODAY_VALUE, today, KEYS_TODAY_SIZE)) {
        memcpy(&KeysTodayDate, today, sizeof KeysTodayDate);
        memcpy(KeysToday, today + sizeof KeysTodayDate, sizeof KeysToday);
    } else {
        KeysTodayDate = 0;
        memset(KeysToday, 0, sizeof KeysToday);
    }
    ++KeyCountsChanges;
}

static void WriteArrays(HKEY settings, LONG *failure)
{
    StartKeysDayWhenNew();
    BYTE today[KEYS_TODAY_SIZE];
    memcpy(today, &KeysTodayDate, sizeof KeysTodayDate);
    memcpy(today + sizeof KeysTodayDate, KeysToday, sizeof KeysToday);
    LONG result = RegSetValueExA(settings, KEYS_ALL_TIME_VALUE, 0, REG_BINARY,
                                 (const BYTE *)KeysAllTime, KEYS_ALL_TIME_SIZE);
    if (result == ERROR_SUCCESS)
        result = RegSetValueExA(settings, KEYS_TODAY_VALUE, 0, REG_BINARY, today, KEYS_TODAY_SIZE);
    if (result != ERROR_SUCCESS)
        *failure = result;
}

void SaveKeyCounts(HKEY settings, LONG *failure)
{
    if (CountEachKey)
        WriteArrays(settings, failure);
}

bool StartCountingEachKey()
{
    HKEY key;
    if (RegCreateKeyA(HKEY_CURRENT_USER, SETTINGS_KEY, &key) != ERROR_SUCCESS)
        return false;
    DWORD on = 1;
    bool stored = RegSetValueExA(key, COUNT_EACH_KEY_VALUE, 0, REG_DWORD, (const BYTE *)&on,
                                 sizeof on) == ERROR_SUCCESS;
    RegCloseKey(key);
    CountEachKey = stored;
    ++KeyCountsChanges;
    return stored;
}

// The arrays are written once more as the option goes off: a period change reloads them
// from the key, and the counts since the last save would be lost otherwise.
void StopCountingEachKey()
{
    CountEachKey = false;
    ++KeyCountsChanges;
    HKEY key;
    if (RegOpenKeyA(HKEY_CURRENT_USER, SETTINGS_KEY, &key) != ERROR_SUCCESS)
        return;
    RegDeleteValueA(key, COUNT_EACH_KEY_VALUE);
    LONG failure = ERROR_SUCCESS;
    WriteArrays(key, &failure);
    RegCloseKey(key);
}

void EraseKeyCounts()
{
    memset(KeysAllTime, 0, sizeof KeysAllTime);
    memset(KeysToday, 0, sizeof KeysToday);
    ++KeyCountsChanges;
    HKEY key;
    if (RegOpenKeyA(HKEY_CURRENT_USER, SETTINGS_KEY, &key) != ERROR_SUCCESS)
        return;
    RegDeleteValueA(key, KEYS_ALL_TIME_VALUE);
    RegDeleteValueA(key, KEYS_TODAY_VALUE);
    RegCloseKey(key);
}
