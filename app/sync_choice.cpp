// The user's choice of the sync folder. Stopping keeps the files already written there,
// since the other computers may still want this one's last history.
#include "sync_choice.h"

#include <stdio.h>
#include "../core/sync_folder.h"
#include "../res/resource.h"
#include "../text/text.h"
#include "../ui/folder_dialog.h"

// IDYES to choose another folder, IDNO to stop syncing, IDCANCEL to keep it.
static int AskAboutChosenFolder()
{
    char folder[MAX_PATH * 2], text[TEXT_SLOT_SIZE + MAX_PATH * 2];
    NarrowText(SyncFolderPath(), folder, sizeof folder);
    snprintf(text, sizeof text, LoadText(SLOT_GENERAL, IDS_ASK_SYNC_FOLDER), folder);
    return AskYesNoCancel(text);
}

static void StoreChoice(const wchar_t *folder)
{
    if (!ChooseSyncFolder(folder))
        ShowErrorMessage(IDS_SYNC_FOLDER_FAILED);
}

void AnswerSyncFolderCommand()
{
    if (SyncFolderChosen()) {
        int answer = AskAboutChosenFolder();
        if (answer == IDNO)
            StoreChoice(L"");
        if (answer != IDYES)
            return;
    }
    wchar_t folder[MAX_PATH];
    if (PickFolder(LoadText(SLOT_TITLE, IDS_SYNC_FOLDER_TITLE), folder))
        StoreChoice(folder);
}
