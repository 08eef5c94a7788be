// The CSV export of the history, from the menu and from the command line.
#include "csv_export.h"

#include <stdio.h>
#include <stdlib.h>
#include "../text/history_cells.h"
#include "../core/all_computers.h"
#include "../core/figures.h"
#include "../core/written_file.h"
#include "../res/resource.h"
#include "../text/text.h"
#include "../ui/file_dialogs.h"

#define CSV_DEFAULT_NAME L"TallywickHistory.csv"

void ExportHistoryCsv()
{
    wchar_t path[MAX_PATH];
    // Pairs of display text and pattern; the literal's own terminator ends the list.
    OPENFILENAMEW request =
        FileDialogRequest(path, L"CSV files (*.csv)\0*.csv\0All files (*.*)\0*.*\0",
                          CSV_DEFAULT_NAME, L"csv", OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST);
    if (!GetSaveFileNameW(&request))
        return;
    RememberFileDir(path);
    WriteHistoryCsv(path, ShowAllComputers);
}

// One line per day: date, keys, metres, left, middle, right, running time.
static void WriteCsvLine(FILE *file, const DayFigures &day)
{
    // The three click counts share one formatting buffer, so each is copied away first.
    char left[256], middle[256], right[256];
    lstrcpynA(left, HistoryClicksText(day.figures.leftClicks), sizeof left);
    lstrcpynA(middle, HistoryClicksText(day.figures.middleClicks), sizeof middle);
    lstrcpynA(right, HistoryClicksText(day.figures.rightClicks), sizeof right);
    const char *time = HistoryTimeText(day.figures.seconds);
    const char *metres = HistoryMetresText(day.figures.distance);
    const char *keys = HistoryKeysText(day.figures.keys);
    const char *date = HistoryDateText(day.date);
    fprintf(file, "%s,%s,%s,%s,%s,%s,%s\n", date, keys, metres, left, middle, right, time);
}

// The records as stored, or the sums; false when the sums could not be had.
static bool WriteCsvLines(FILE *file, bool allComputers)
{
    if (!allComputers) {
        for (int32_t i = 0; i < StoredHistory.count; ++i)
            WriteCsvLine(file, RecordAsDay(&StoredHistory.records[i]));
        return true;
    }
    int32_t count;
    DayFigures *days = AllComputersDays(&count);
    if (!days)
        return false;
    for (int32_t i = 0; i < count; ++i)
        WriteCsvLine(file, days[i]);
    free(days);
    return true;
}

bool WriteHistoryCsv(const wchar_t *path, bool allComputers)
{
    FILE *file = _wfopen(path, L"wt");  // text mode: every line ends in CR LF
    if (!file) {
        ShowErrorMessage(IDS_EXPORT_FAILED);
        return false;
    }
    bool whole = WriteCsvLines(file, allComputers);
    if (!CloseWrittenFile(file) || !whole) {
        ShowErrorMessage(IDS_EXPORT_FAILED);
        return false;
    }
    return true;
}
