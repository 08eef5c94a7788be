// The questions around "Count Each Key"; the option itself lives in app/key_counts.cpp,
// and is stored through app/saving.h.
#include "count_each_key.h"
#include "../core/key_counts.h"
#include "../core/saving.h"
#include "../res/resource.h"
#include "../text/text.h"

void AskToCountEachKey()
{
    if (!CountEachKey && AskYesNo(IDS_ASK_COUNT_EACH_KEY))
        StartCountingEachKey();
}

// Counting stops before the question: no key typed while it is open counts one by one.
static void StopAndAskToErase()
{
    StopCountingEachKey();
    if (AskYesNoDefaultNo(IDS_ASK_ERASE_WHEN_OFF))
        EraseKeyCounts();
}

void ToggleCountEachKey()
{
    if (CountEachKey)
        StopAndAskToErase();
    else
        AskToCountEachKey();
}

void AskToEraseKeyCounts()
{
    if (AskYesNoDefaultNo(IDS_ASK_ERASE_KEYS))
        EraseKeyCounts();
}
