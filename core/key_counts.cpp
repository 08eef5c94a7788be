// The per-key counts and their option. Everything runs on the program's one thread, like
// the other figures.
#include "key_counts.h"

#include <string.h>
#include "../hook/hook.h"

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

// No key has the scan code 0: a press posted with it names no key (HOOK.dll names none
// for a press into a password box, or for a virtual key that the layout does not place on
// the keyboard).
void CountKeyOfPress(WPARAM identity, DateKey today)
{
    if (!OwnCountEachKey || identity == 0 || identity >= KEY_IDENTITIES)
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

// Identities under which earlier versions counted a form of a key that HOOK.dll now names
// by the key itself: Right Shift as extended, Print Screen as SysRq (with Alt), Pause as
// Break (with Ctrl). HOOK.dll posts them no more, so the fold moves their counts once, at
// the first load, and nothing after it.
static const struct { uint16_t retired, key; } RETIRED_KEY_IDENTITIES[] = {
    {0x136, 0x36}, {0x54, 0x137}, {0x146, 0x45}};

static void FoldRetiredKeyIdentities(KeyCounts *counts)
{
    for (const auto &fold : RETIRED_KEY_IDENTITIES) {
        counts->allTime[fold.key] += counts->allTime[fold.retired];
        counts->today[fold.key] += counts->today[fold.retired];
        counts->allTime[fold.retired] = 0;
        counts->today[fold.retired] = 0;
    }
}

// The hook learns the option with every change, so that it checks the focus at each press
// exactly while the keys are counted.
static void ChangeCountEachKey(bool on)
{
    OwnCountEachKey = on;
    DllCountEachKey(on);
}

void ReplaceKeyCounts(bool countEachKey, const KeyCounts &counts)
{
    ChangeCountEachKey(countEachKey);
    OwnKeys = counts;
    FoldRetiredKeyIdentities(&OwnKeys);
    ++OwnKeyCountsChanges;
}

void SetCountEachKey(bool on)
{
    ChangeCountEachKey(on);
    ++OwnKeyCountsChanges;
}

void ZeroKeyCounts()
{
    memset(OwnKeys.allTime, 0, sizeof OwnKeys.allTime);
    memset(OwnKeys.today, 0, sizeof OwnKeys.today);
    ++OwnKeyCountsChanges;
}
