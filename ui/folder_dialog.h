// The common item dialog as a folder picker, owned by the meter window.
#ifndef TALLYWICK_FOLDER_DIALOG_H
#define TALLYWICK_FOLDER_DIALOG_H

#include <windows.h>

// Shows the picker, captioned `title` (narrow, in the ANSI code page; null for the
// dialog's own). True with the chosen folder's file-system
// path in `folder` of MAX_PATH units; false when the user cancelled or the dialog could
// not be had.
bool PickFolder(const char *title, wchar_t *folder);

#endif
