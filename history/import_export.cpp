// Export and import of the history file as the user sees them, and the addition of another
// computer's history file: the file dialogs, the preview window, the questions and the
// messages. The merge is the program's, handed in by it; another computer's history is
// kept whole as that computer's (core/sources.h), never summed into this computer's days,
// so that a later copy of it replaces the earlier one and no day counts twice.
#include "import_export.h"

#include <windows.h>
#include <stdio.h>

#include "csv_export.h"
#include "history_window.h"
#include "which_computer.h"
#include "../core/computer_identity.h"
#include "../core/figures.h"
#include "../core/history_file.h"
#include "../core/sources.h"
#include "../core/written_file.h"
#include "../res/resource.h"
#include "../text/history_cells.h"
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

// A question whose one %s is the computer's name.
static bool AskAboutComputer(UINT textId, const HistorySource &source)
{
    char name[2 * COMPUTER_NAME_MAX + 1], text[TEXT_SLOT_SIZE];
    NarrowText(source.name, name, sizeof name);
    snprintf(text, sizeof text, LoadText(SLOT_GENERAL, textId), name);
    return AskYesNo(text);
}

// A save that fails after the merge is told in the system's own words; the merged figures
// are carried in memory to the next save that succeeds.
static void MergeAfterQuestions(HistoryList *imported, MergeHistory merge)
{
    if (AskYesNo(IDS_CONFIRM_MERGE)) {
        int replace = AskYesNo(IDS_CONFIRM_REPLACE) ? 1 : 0;
        LONG failure = merge(imported, replace);
        if (failure != ERROR_SUCCESS)
            ShowSystemErrorMessage((DWORD)failure);
    }
}

// Asked only when a copy of the computer written later is kept already; No preselected,
// since replacing newer days with older ones is usually a mistake.
static bool ConfirmKeepingOlder(const KeptSource &kept, const HistorySource &source)
{
    char name[2 * COMPUTER_NAME_MAX + 1], keptAt[128], text[TEXT_SLOT_SIZE];
    NarrowText(kept.name, name, sizeof name);
    snprintf(keptAt, sizeof keptAt, "%s", MomentText(kept.writtenAt));
    snprintf(text, sizeof text, LoadText(SLOT_GENERAL, IDS_ASK_KEEP_OLDER), name, keptAt,
             MomentText(source.writtenAt));
    return AskYesNoDefaultNo(text);
}

// The user chose this file for this computer, so a removed computer is one no longer.
static void KeepAfterQuestions(const HistoryList *days, const HistorySource &source, int flags)
{
    const KeptSource *kept = FindKeptSource(source.computerId);
    if (kept && source.writtenAt < kept->writtenAt && !(flags & KEEP_EVEN_IF_OLDER)) {
        if (!ConfirmKeepingOlder(*kept, source))
            return;
        flags |= KEEP_EVEN_IF_OLDER;
    }
    if (KeepSourceHistory(source, *days, flags | KEEP_EVEN_IF_REMOVED) == KEEP_FAILED)
        ShowErrorMessage(IDS_KEEP_FAILED);
}

// The open dialog, then the chosen file read whole into the empty `imported` and checked,
// its source into `source` and its path into `path` (MAX_PATH); a file that cannot be
// opened or is malformed is reported and refused. False when nothing was read
// (`imported` stays empty).
static bool ReadChosenHistoryFile(HistoryList *imported, HistorySource *source, wchar_t *path)
{
    OPENFILENAMEW dialog =
        HistoryFileDialog(path, OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST);
    if (!GetOpenFileNameW(&dialog))
        return false;
    RememberFileDir(path);
    FILE *file = _wfopen(path, L"rb");
    if (!file) {
        ShowErrorMessage(IDS_OPEN_FAILED);
        return false;
    }
    HistoryFileResult result = ReadHistoryFile(file, imported, source);
    fclose(file);
    if (result != HISTORY_FILE_OK)
        ReportReadFailure(result);
    return result == HISTORY_FILE_OK;
}

// Another computer's file is first offered as that computer's history (Yes preselected):
// merged into this computer's days, they would count twice once that computer's history
// arrives again. This computer's own files and files without a source merge as always.
void ImportHistoryFile(MergeHistory merge)
{
    HistoryList imported = {NULL, 0, 0, HISTORY_GROW_STEP};
    HistorySource source;
    wchar_t path[MAX_PATH];
    if (!ReadChosenHistoryFile(&imported, &source, path))
        return;
    HWND preview = ShowImportPreview(&imported);
    if (source.present && !IsThisComputersSource(source)
        && AskAboutComputer(IDS_ASK_ADD_INSTEAD, source))
        KeepAfterQuestions(&imported, source, 0);
    else
        MergeAfterQuestions(&imported, merge);
    CloseImportPreview(preview);
    DestroyHistoryList(&imported);
}

// This computer's own file is refused before anything is shown: kept as another
// computer's, every one of its days would count twice. A file without a source is kept
// as the computer the user names, whatever the time of the copy kept of it.
void AddHistoryFile()
{
    HistoryList added = {NULL, 0, 0, HISTORY_GROW_STEP};
    HistorySource source;
    wchar_t path[MAX_PATH];
    if (!ReadChosenHistoryFile(&added, &source, path))
        return;
    int flags = source.present ? 0 : KEEP_EVEN_IF_OLDER;
    if (source.present && IsThisComputersSource(source)) {
        ShowErrorMessage(IDS_OWN_FILE_REFUSED);
    } else if (source.present || AskWhichComputer(path, &source)) {
        HWND preview = ShowImportPreview(&added);
        if (AskAboutComputer(IDS_CONFIRM_ADD, source))
            KeepAfterQuestions(&added, source, flags);
        CloseImportPreview(preview);
    }
    DestroyHistoryList(&added);
}
