// The CSV export of the history, from the menu and from the command line.
#include "csv_export.h"

#include <stdio.h>
#include "../text/history_cells.h"
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
    WriteHistoryCsv(path);
}

// One line per record: date, keys, metres, left, middle, right, running time.
static void WriteCsvLine(FILE *file, const HistoryRecord *record)
{
    // The three click counts share one formatting buffer, so each is copied away first.
    char left[256], middle[256], right[256];
    lstrcpynA(left, HistoryClicksText(record->leftClicks), sizeof left);
    lstrcpynA(middle, HistoryClicksText(record->middleClicks), sizeof middle);
    lstrcpynA(right, HistoryClicksText(record->rightClicks), sizeof right);
    const char *time = HistoryTimeText(record);
    const char *metres = HistoryMetresText(record);
    const char *keys = HistoryKeysText(record);
    const char *date = HistoryDateText(record);
    fprintf(file, "%s,%s,%s,%s,%s,%s,%s\n", date, keys, metres, left, middle, right, time);
}

bool WriteHistoryCsv(const wchar_t *path)
{
    FILE *file = _wfopen(path, L"wt");  // text mode: every line ends in CR LF
    if (!file) {
        ShowErrorMessage(IDS_EXPORT_FAILED);
        return false;
    }
    for (int32_t i = 0; i < StoredHistory.count; ++i)
        WriteCsvLine(file, &StoredHistory.records[i]);
    if (!CloseWrittenFile(file)) {
        ShowErrorMessage(IDS_EXPORT_FAILED);
        return false;
    }
    return true;
}
