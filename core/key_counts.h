// Per-key counts, kept only while the user has turned "Count Each Key" on: how often each
// physical key was pressed, today and all time. Never their order, never any text. Like
// the other figures they change here and nowhere else; the rest of the program reads them
// through the views below. The option is stored at once (saving.h), the counts with
// every save.
#ifndef TALLYWICK_KEY_COUNTS_H
#define TALLYWICK_KEY_COUNTS_H

#include <windows.h>
#include <stdint.h>
#include "counters.h"

extern const bool &CountEachKey;                             // the option as it holds now
extern const uint64_t (&KeysAllTime)[KEY_IDENTITIES];
// Moves on with every change of the counts or of the option, for the windows that show them.
extern const uint32_t &KeyCountsChanges;

// A key press that the total has counted (OnKeyPress), on the period's day `today`: the
// key's count too, while the option is on and the press names a key (HOOK.dll names none
// for a press into a password box).
void CountKeyOfPress(WPARAM identity, DateKey today);
// The counts of `today`, all zero when the last one counted was on another day.
const uint32_t *KeysTodayCounts(DateKey today);
// The counts as a save on `today` writes them: today's begin again from zero first when
// the last one counted was on another day.
const KeyCounts &KeyCountsToStore(DateKey today);
// The option and the counts become these, as loaded, with the retired identities folded
// in; HOOK.dll is told the option.
void ReplaceKeyCounts(bool countEachKey, const KeyCounts &counts);
// The option on or off in memory and in HOOK.dll; the counts stay as they are.
void SetCountEachKey(bool on);
// Every count zero, today's and all time.
void ZeroKeyCounts();

#endif
