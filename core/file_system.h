// Small pieces of the Windows file system that the modules writing and reading history
// files share: a path of a name in a folder, and file times as plain numbers.
#ifndef TALLYWICK_FILE_SYSTEM_H
#define TALLYWICK_FILE_SYSTEM_H

#include <windows.h>
#include <stdint.h>

// folder\name into `path` of MAX_PATH units; false when it would not fit.
bool JoinFolderPath(wchar_t *path, const wchar_t *folder, const wchar_t *name);
// A FILETIME as one number: 100 ns units since 1 January 1601.
uint64_t FileTimeValue(const FILETIME &time);
// The system time now, UTC, as FileTimeValue gives it. The wall clock, not the program's
// clock (clock.h): it stamps files that other computers compare.
uint64_t FileTimeNow();

#endif
