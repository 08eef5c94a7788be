// The CSV export of the history, from the menu and from the command line, and the folder
// that the three file dialogs remember during a run.
#include "csv_export.h"

#include <commdlg.h>
#include <stdio.h>
#include <string.h>
#include "history_list.h"
#include "../meter/meter_window.h"
#include "../res/resource.h"
#include "../text/formatting.h"
#include "../text/text.h"

#define CSV_DEFAULT_NAME "TallywickHistory.csv"

char LastFileDir[MAX_PATH];

void PresetFileName(char *buffer, const char *defaultName)
{
    lstrcpynA(buffer, LastFileDir, MAX_PATH);
    size_t used = strlen(buffer);
    // A folder too long for the name too is still worth showing; a cut name is not.
    if (used + strlen(defaultName) < MAX_PATH)
        strcpy(buffer + used, defaultName);
}

void RememberFileDir(const char *path)
{
    lstrcpynA(LastFileDir, path, MAX_PATH);
    // Walk by characters: in a double-byte code page the second byte of a character can
    // have the value of a backslash without being one.
    char *cut = NULL;
    for (char *p = LastFileDir; *p; ++p) {
        if (IsDBCSLeadByte((BYTE)*p) && p[1])
            ++p;
        else if (*p == '\\')
            cut = p + 1;
    }
    if (cut)
        *cut = '\0';
}

OPENFILENAMEA FileDialogRequest(char *path, const char *filter, const char *defaultName,
                                const char *extension, DWORD flags)
{
    PresetFileName(path, defaultName);
    OPENFILENAMEA request = {};
    request.lStructSize = sizeof request;
    request.hwndOwner = MeterWindow;
    request.hInstance = MeterInstance;
    request.lpstrFilter = filter;
    request.nFilterIndex = 1;
    request.lpstrFile = path;
    request.nMaxFile = MAX_PATH;
    request.Flags = flags;
    request.lpstrDefExt = extension;
    return request;
}

void ExportHistoryCsv()
{
    char path[MAX_PATH];
    // Pairs of display text and pattern; the literal's own terminator ends the list.
    OPENFILENAMEA request =
        FileDialogRequest(path, "CSV files (*.csv)\0*.csv\0All files (*.*)\0*.*\0",
                          CSV_DEFAULT_NAME, "csv", OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST);
    if (!GetSaveFileNameA(&request))
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

bool CloseWrittenFile(FILE *file)
{
    // Some C runtimes report a failed buffered write neither from fflush nor from fclose
    // unless fflush ran first; it still sets the stream's error flag.
    bool written = fflush(file) == 0 && !ferror(file);
    return fclose(file) == 0 && written;
}

bool WriteHistoryCsv(const char *path)
{
    FILE *file = fopen(path, "wt");  // text mode: every line ends in CR LF
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
