// The per-key counts and their option. Everything runs on the program's one thread, like
// the other figures.
#include "key_counts.h"

#include <string.h>
#include "password_focus.h"

// The module's own copies, behind the read-only views of the header.
static bool OwnCountEachKey;
static KeyCounts OwnKeys;
static uint32_t OwnKeyCountsChanges;

const bool &CountEachKey = OwnCountEachKey;
const uint64_t (&KeysAllTime)[KEY_IDENTITIES] = OwnKeys.allTime;
const uint32_t &KeyCountsChanges = OwnKeyCountsChanges;

// Today's counts begin again on the first key or save of a new day; the day's counts are
// not kept in the history, so the old ones simply go.
static void StartKeysDayWhenNew(DateKey today)
{
    if (OwnKeys.todayDate == today)
        return;
    memset(OwnKeys.today, 0, sizeof OwnKeys.today);
    OwnKeys.todayDate = today;
}

// No key has the scan code 0: a press posted with it names no key (HOOK.dll finds none
// for a virtual key that the layout does not place on the keyboard).
void CountKeyOfPress(WPARAM identity, DateKey today)
{
    if (!OwnCountEachKey || identity == 0 || identity >= KEY_IDENTITIES || PasswordBoxHasFocus())
        return;
    StartKeysDayWhenNew(today);
    ++OwnKeys.allTime[identity];
    ++OwnKeys.today[identity];
    ++OwnKeyCountsChanges;
}

const uint32_t *KeysTodayCounts(DateKey today)
{
    static const uint32_t none[KEY_IDENTITIES] = {};
    return OwnKeys.todayDate == today ? OwnKeys.today : none;
}

const KeyCounts &KeyCountsToStore(DateKey today)
{
    StartKeysDayWhenNew(today);
    return OwnKeys;
}

void ReplaceKeyCounts(bool countEachKey, const KeyCounts &counts)
{
    OwnCountEachKey = countEachKey;
    OwnKeys = counts;
    ++OwnKeyCountsChanges;
}

void SetCountEachKey(bool on)
{
    OwnCountEachKey = on;
    ++OwnKeyCountsChanges;
}

void ZeroKeyCounts()
{
    memset(OwnKeys.allTime, 0, sizeof OwnKeys.allTime);
    memset(OwnKeys.today, 0, sizeof OwnKeys.today);
    ++OwnKeyCountsChanges;
}
