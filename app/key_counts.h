// Per-key counts, kept only while the user has turned "Count Each Key" on: how often each
// physical key was pressed, today and all time. Never their order, never any text.
// A key is its identity from HOOK.dll: the scan code, plus 256 when the key is extended.
#ifndef TALLYWICK_KEY_COUNTS_H
#define TALLYWICK_KEY_COUNTS_H

#include <windows.h>
#include <stdint.h>
#include "counters.h"

const int KEY_IDENTITIES = 512;

// The registry values under the settings key; written with every save while the option is
// on, never while it is off, so that a user who never turned it on has none of them.
#define COUNT_EACH_KEY_VALUE "Count Each Key"   // REG_DWORD, 1 = on; absent = off
#define KEYS_ALL_TIME_VALUE "Keys All Time"     // 512 little-endian 64-bit counts
#define KEYS_TODAY_VALUE "Keys Today"           // a DateKey, then 512 32-bit counts
const DWORD KEYS_ALL_TIME_SIZE = KEY_IDENTITIES * sizeof(uint64_t);
const DWORD KEYS_TODAY_SIZE = sizeof(DateKey) + KEY_IDENTITIES * sizeof(uint32_t);

extern bool CountEachKey;                     // the option as it holds now
extern uint64_t KeysAllTime[KEY_IDENTITIES];
extern uint32_t KeysToday[KEY_IDENTITIES];    // the counts of KeysTodayDate
extern DateKey KeysTodayDate;                 // the PeriodDate the counts were made on
// Moves on with every change of the counts or of the option, for the windows that show them.
extern uint32_t KeyCountsChanges;

// MSG_KEY_PRESS, after the total has counted it: the key's count too, while the option is
// on and no standard password box has the focus.
void CountKeyOfPress(WPARAM identity);
// Today's counts, all zero when the last one counted was on another day than PeriodDate.
const uint32_t *KeysTodayCounts();

// The option and both arrays from the open settings key; a missing or wrongly sized array
// counts as zeros.
void LoadKeyCounts(HKEY settings);
// Both arrays into the open settings key while the option is on; a refused write leaves
// its error code in *failure.
void SaveKeyCounts(HKEY settings, LONG *failure);

// The option turned on and stored; false (still off) when it could not be stored.
bool StartCountingEachKey();
// The option off at once; the counts made so far are stored as they are.
void StopCountingEachKey();
// Every count zero, and both arrays deleted from the registry.
void EraseKeyCounts();

#endif
