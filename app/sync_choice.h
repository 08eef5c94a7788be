// "Sync Folder...": the folder picker, or, while a folder is chosen, the question whether to
// choose another one, stop syncing or keep it. Runs on the window thread.
#ifndef TALLYWICK_SYNC_CHOICE_H
#define TALLYWICK_SYNC_CHOICE_H

// IDM_SYNC_FOLDER.
void AnswerSyncFolderCommand();

#endif
