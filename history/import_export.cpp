// Export and import of the history file as the user sees them, and the addition of another
// computer's history file: the file dialogs, the preview window, the questions and the
// messages. The merge and the addition themselves are the program's, handed in by it. The files added are
// remembered by the hash of their bytes (app/added_files.h), so that adding the same file
// twice, which would count its days twice, takes a deliberate Yes.
#include "import_export.h"

#include <windows.h>
#include <stdio.h>

#include "csv_export.h"
#include "../text/history_cells.h"
#include "history_window.h"
#include "../core/added_files.h"
#include "../core/computer_identity.h"
#include "../core/figures.h"
#include "../core/history_add.h"
#include "../core/history_file.h"
#include "../core/written_file.h"
#include "../res/resource.h"
#include "../text/text.h"
#include "../ui/file_dialogs.h"

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
    HistorySource source;
    MakeThisComputerSource(&source);
    FILE *file = _wfopen(path, L"wb");
    bool written = file && WriteHistoryFile(file, &StoredHistory, &source);
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

// The preview of the records of a file, in the history window; the window, for closing.
static HWND ShowImportPreview(const HistoryList *imported)
{
    ShowHistoryWindow(imported, IDS_IMPORT_TITLE);
    return HistoryWindow;
}

// A stored-history window opened meanwhile from the tray stays open.
static void CloseImportPreview(HWND preview)
{
    if (preview && HistoryWindow == preview)
        DestroyWindow(preview);
}

// A save that fails after the merge is told in the system's own words; the merged figures
// are carried in memory to the next save that succeeds.
static void PreviewAndMerge(HistoryList *imported, MergeHistory merge)
{
    HWND preview = ShowImportPreview(imported);
    if (AskYesNo(IDS_CONFIRM_MERGE)) {
        int replace = AskYesNo(IDS_CONFIRM_REPLACE) ? 1 : 0;
        LONG failure = merge(imported, replace);
        if (failure != ERROR_SUCCESS)
            ShowSystemErrorMessage((DWORD)failure);
    }
    CloseImportPreview(preview);
}

// The open dialog, then the chosen file read whole into the empty `imported` and checked;
// a file that cannot be opened or is malformed is reported and refused. The file, still
// open, for the caller to close; null when nothing was read (`imported` stays empty).
static FILE *ReadChosenHistoryFile(HistoryList *imported)
{
    wchar_t path[MAX_PATH];
    OPENFILENAMEW dialog =
        HistoryFileDialog(path, OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST);
    if (!GetOpenFileNameW(&dialog))
        return nullptr;
    RememberFileDir(path);
    FILE *file = _wfopen(path, L"rb");
    if (!file) {
        ShowErrorMessage(IDS_OPEN_FAILED);
        return nullptr;
    }
    HistoryFileResult result = ReadHistoryFile(file, imported, nullptr);
    if (result == HISTORY_FILE_OK)
        return file;
    ReportReadFailure(result);
    fclose(file);
    return nullptr;
}

void ImportHistoryFile(MergeHistory merge)
{
    HistoryList imported = {NULL, 0, 0, HISTORY_GROW_STEP};
    FILE *file = ReadChosenHistoryFile(&imported);
    if (!file)
        return;
    PreviewAndMerge(&imported, merge);
    DestroyHistoryList(&imported);
    fclose(file);
}

// Asked only of a file added before: its day in the question, and No as the default
// button, since the usual reason is a mistake.
static bool ConfirmAddingAgain(uint64_t hash)
{
    DateKey added = AddedFileDate(hash);
    if (added == 0)
        return true;
    char text[TEXT_SLOT_SIZE];
    snprintf(text, sizeof text, LoadText(SLOT_GENERAL, IDS_ALREADY_ADDED), HistoryDateText(added));
    return AskYesNoDefaultNo(text);
}

static void PreviewAndAdd(const HistoryList *added, uint64_t hash, AddHistory add)
{
    HWND preview = ShowImportPreview(added);
    if (AskYesNo(IDS_CONFIRM_ADD)) {
        LONG failure = add(added, hash);
        if (failure != ERROR_SUCCESS)
            ShowSystemErrorMessage((DWORD)failure);
    }
    CloseImportPreview(preview);
}

void AddHistoryFile(AddHistory add)
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
        PreviewAndAdd(&added, hash, add);
    DestroyHistoryList(&added);
}
