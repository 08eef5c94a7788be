// A file written with stdio, closed so that no failed write goes unnoticed.
#ifndef TALLYWICK_WRITTEN_FILE_H
#define TALLYWICK_WRITTEN_FILE_H

#include <stdio.h>

// Flushes and closes a file written with stdio; false when any write or the close failed.
bool CloseWrittenFile(FILE *file);
// A folder and its parent (Tallywick) created where missing; true when the folder is there.
bool CreateFolderWithParent(const wchar_t *folder);

#endif
