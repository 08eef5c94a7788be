// Adding a history file from another computer: the same open dialog, checks of the file and
// preview as the import, but the days are summed rather than kept or replaced. The files
// added are remembered by the hash of their bytes (app/added_files.h), so that adding the
// same file twice, which would count its days twice, takes a deliberate Yes.
#include "history_add.h"

#include <windows.h>
#include <float.h>
#include <stdio.h>

#include "../app/added_files.h"
#include "../app/registry_store.h"
#include "../meter/meter_window.h"
#include "../res/resource.h"
#include "../text/formatting.h"
#include "../text/text.h"
#include "date_index.h"
#include "history_file.h"
#include "recount.h"

// Every per-day figure wraps in its own width, as when a day is counted. The sum of two
// distances that a float cannot hold stays at the largest one: an infinite distance would
// make the day, and every backup that holds it, unreadable as a history file.
static void AddRecordFigures(HistoryRecord *target, const HistoryRecord *source)
{
    target->keys += source->keys;
    double distance = (double)target->distance + (double)source->distance;
    target->distance = distance > FLT_MAX ? FLT_MAX : (float)distance;
    target->rightClicks = (uint16_t)(target->rightClicks + source->rightClicks);
    target->middleClicks = (uint16_t)(target->middleClicks + source->middleClicks);
    target->leftClicks = (uint16_t)(target->leftClicks + source->leftClicks);
    target->seconds += source->seconds;
}

// One pass over each list through an index of dates, as the import's merge; the room for
// every new date and for today's record is had first, so that nothing stops half-way.
bool AddHistoryToStored(const HistoryList *added)
{
    int64_t most = (int64_t)StoredHistory.count + added->count;
    DateIndex index;
    if (most + 1 > INT32_MAX || !ReserveHistory(&StoredHistory, (int32_t)(most + 1))
        || !CreateDateIndex(&index, most))
        return false;
    IndexFirstDates(&index, &StoredHistory);
    for (int32_t i = 0; i < added->count; ++i) {
        const HistoryRecord &record = added->records[i];
        int32_t *slot = FindDateSlot(&index, &StoredHistory, record.date);
        if (*slot != 0) {
            AddRecordFigures(&StoredHistory.records[*slot - 1], &record);
            continue;
        }
        AppendStoredRecord(&record);  // cannot fail: the room is reserved
        *slot = StoredHistory.count;
    }
    DestroyDateIndex(&index);
    return true;
}

bool HashFileBytes(FILE *file, uint64_t *hash)
{
    *hash = 14695981039346656037ull;  // the FNV offset basis
    unsigned char block[16384];
    if (fseek(file, 0, SEEK_SET) != 0)
        return false;
    for (size_t got; (got = fread(block, 1, sizeof block, file)) > 0;)
        for (size_t i = 0; i < got; ++i)
            *hash = (*hash ^ block[i]) * 1099511628211ull;  // the FNV prime
    return !ferror(file);
}

// Asked only of a file added before: its day in the question, and No as the default
// button, since the usual reason is a mistake.
static bool ConfirmAddingAgain(uint64_t hash)
{
    DateKey added = AddedFileDate(hash);
    if (added == 0)
        return true;
    HistoryRecord day = {};
    day.date = added;
    char text[TEXT_SLOT_SIZE];
    snprintf(text, sizeof text, LoadText(SLOT_GENERAL, IDS_ALREADY_ADDED), HistoryDateText(&day));
    return MessageBoxA(MeterWindow, text, LoadText(SLOT_TITLE, IDS_APP_TITLE),
                       MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
}

// All or nothing, as the import: without the room nothing is added. The file is remembered
// before the recount, whose save writes it with the figures; a save that fails is told,
// and both are carried in memory to the next save that succeeds.
static void AddAndRecount(const HistoryList *added, uint64_t hash)
{
    if (!AddHistoryToStored(added)) {
        ShowSystemErrorMessage(ERROR_NOT_ENOUGH_MEMORY);
        return;
    }
    RememberAddedFile(hash, TodayDateKey());
    RecountTotals();
    if (LastSaveError != ERROR_SUCCESS)
        ShowSystemErrorMessage(LastSaveError);
}

static void PreviewAndAdd(const HistoryList *added, uint64_t hash)
{
    HWND preview = ShowImportPreview(added);
    if (AskYesNo(IDS_CONFIRM_ADD))
        AddAndRecount(added, hash);
    CloseImportPreview(preview);
}

void AddHistoryFile()
{
    HistoryList added = {NULL, 0, 0, HISTORY_GROW_STEP};
    FILE *file = ReadChosenHistoryFile(&added);
    if (!file)
        return;
    uint64_t hash;
    bool hashed = HashFileBytes(file, &hash);
    fclose(file);
    if (!hashed)
        ShowErrorMessage(IDS_OPEN_FAILED);
    else if (ConfirmAddingAgain(hash))
        PreviewAndAdd(&added, hash);
    DestroyHistoryList(&added);
}
