#include "file_system.h"

#include <stdio.h>

bool JoinFolderPath(wchar_t *path, const wchar_t *folder, const wchar_t *name)
{
    int written = _snwprintf(path, MAX_PATH, L"%ls\\%ls", folder, name);
    return written > 0 && written < MAX_PATH;
}

uint64_t FileTimeValue(const FILETIME &time)
{
    return (uint64_t)time.dwHighDateTime << 32 | time.dwLowDateTime;
}

uint64_t FileTimeNow()
{
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    return FileTimeValue(now);
}
