// The history view over this computer or all computers. Runs on the program's one thread.
#include "history_view.h"

#include <stdlib.h>
#include <windows.h>
#include "history_window.h"
#include "../core/all_computers.h"
#include "../core/figures.h"
#include "../res/resource.h"

// ShownComputersStamp() when the open window last took its days.
static uint32_t TakenStamp;

static bool ShowsHistory()
{
    UINT title = ShownHistoryTitle(HistoryWindow);
    return title == IDS_HISTORY_TITLE || title == IDS_HISTORY_ALL_TITLE;
}

// This computer's records as they are stored, a day each.
static DayFigures *StoredDays(int32_t *count)
{
    *count = 0;
    size_t room = (size_t)StoredHistory.count + 1;
    DayFigures *days = (DayFigures *)malloc(room * sizeof(DayFigures));
    if (!days)
        return nullptr;
    for (int32_t i = 0; i < StoredHistory.count; ++i)
        days[i] = RecordAsDay(&StoredHistory.records[i]);
    *count = StoredHistory.count;
    return days;
}

void ShowHistoryView()
{
    TakenStamp = ShownComputersStamp();
    if (!ShowAllComputers) {
        ShowHistoryWindow(&StoredHistory, IDS_HISTORY_TITLE);
        return;
    }
    int32_t count;
    DayFigures *days = AllComputersDays(&count);
    if (days)
        ShowHistoryDays(days, count, IDS_HISTORY_ALL_TITLE);
    free(days);
}

void RefreshHistoryView()
{
    TakenStamp = ShownComputersStamp();
    if (!ShowsHistory())
        return;
    int32_t count;
    DayFigures *days = ShowAllComputers ? AllComputersDays(&count) : StoredDays(&count);
    UINT title = ShowAllComputers ? IDS_HISTORY_ALL_TITLE : IDS_HISTORY_TITLE;
    if (days)
        ReplaceHistoryDays(days, count, title);
    free(days);
}

void RefreshHistoryViewWhenChanged()
{
    if (HistoryWindow && ShownComputersStamp() != TakenStamp)
        RefreshHistoryView();
}
