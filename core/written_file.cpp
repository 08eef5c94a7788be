// A file written with stdio, closed so that no failed write goes unnoticed.
#include "written_file.h"

#include <windows.h>
#include <wchar.h>

bool CloseWrittenFile(FILE *file)
{
    // Some C runtimes report a failed buffered write neither from fflush nor from fclose
    // unless fflush ran first; it still sets the stream's error flag.
    bool written = fflush(file) == 0 && !ferror(file);
    return fclose(file) == 0 && written;
}

bool CreateFolderWithParent(const wchar_t *folder)
{
    wchar_t parent[MAX_PATH];
    wcscpy(parent, folder);
    wchar_t *lastBackslash = wcsrchr(parent, L'\\');
    if (lastBackslash) {
        *lastBackslash = L'\0';
        CreateDirectoryW(parent, nullptr);
    }
    CreateDirectoryW(folder, nullptr);
    DWORD attributes = GetFileAttributesW(folder);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}
