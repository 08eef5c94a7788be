// Export and import of the history file as the user sees them: the file dialogs, the
// preview window, the questions and the messages. The merge itself is the program's.
#include "import_export.h"

#include <windows.h>
#include <stdio.h>

#include "csv_export.h"
#include "file_dialogs.h"
#include "history_file.h"
#include "history_window.h"
#include "../app/figures.h"
#include "../app/program.h"
#include "../res/resource.h"
#include "../text/text.h"

static const wchar_t HISTORY_FILE_FILTER[] =
    L"Tallywick History files (*.twh)\0*.twh\0All files (*.*)\0*.*\0";
static const wchar_t HISTORY_FILE_NAME[] = L"TallywickHistory.twh";

static OPENFILENAMEW HistoryFileDialog(wchar_t *path, DWORD flags)
{
    return FileDialogRequest(path, HISTORY_FILE_FILTER, HISTORY_FILE_NAME, L"twh", flags);
}

void ExportHistoryFile()
{
    wchar_t path[MAX_PATH];
    OPENFILENAMEW dialog = HistoryFileDialog(path, OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST);
    if (!GetSaveFileNameW(&dialog))
        return;
    RememberFileDir(path);
    SaveHistoryFile(path);
}

bool SaveHistoryFile(const wchar_t *path)
{
    FILE *file = _wfopen(path, L"wb");
    bool written = file && WriteHistoryFile(file, &StoredHistory);
    if (file && !CloseWrittenFile(file))
        written = false;
    if (!written)
        ShowErrorMessage(IDS_EXPORT_FAILED);
    return written;
}

// A count too large to hold cannot be a real history file either.
static void ReportReadFailure(HistoryFileResult result)
{
    ShowErrorMessage(result == HISTORY_FILE_EMPTY ? IDS_EMPTY_FILE : IDS_BAD_FORMAT);
}

// A save that fails after the merge is told in the system's own words; the merged figures
// are carried in memory to the next save that succeeds.
static void PreviewAndMerge(HistoryList *imported)
{
    ShowHistoryWindow(imported, IDS_IMPORT_TITLE);
    HWND preview = HistoryWindow;
    if (AskYesNo(IDS_CONFIRM_MERGE)) {
        int replace = AskYesNo(IDS_CONFIRM_REPLACE) ? 1 : 0;
        LONG failure = MergeImport(imported, replace);
        if (failure != ERROR_SUCCESS)
            ShowSystemErrorMessage((DWORD)failure);
    }
    // A stored-history window opened meanwhile from the tray stays open.
    if (preview && HistoryWindow == preview)
        DestroyWindow(preview);
}

void ImportHistoryFile()
{
    wchar_t path[MAX_PATH];
    OPENFILENAMEW dialog =
        HistoryFileDialog(path, OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST);
    if (!GetOpenFileNameW(&dialog))
        return;
    RememberFileDir(path);
    FILE *file = _wfopen(path, L"rb");
    if (!file) {
        ShowErrorMessage(IDS_OPEN_FAILED);
        return;
    }
    HistoryList imported = {NULL, 0, 0, HISTORY_GROW_STEP};
    HistoryFileResult result = ReadHistoryFile(file, &imported);
    if (result == HISTORY_FILE_OK)
        PreviewAndMerge(&imported);
    else
        ReportReadFailure(result);
    DestroyHistoryList(&imported);
    fclose(file);
}
