// The file dialogs of the CSV export and of the history file's export and import.
#include "file_dialogs.h"

#include <wchar.h>
#include "owner_window.h"

wchar_t LastFileDir[MAX_PATH];

void PresetFileName(wchar_t *buffer, const wchar_t *defaultName)
{
    lstrcpynW(buffer, LastFileDir, MAX_PATH);
    size_t used = wcslen(buffer);
    // A folder too long for the name too is still worth showing; a cut name is not.
    if (used + wcslen(defaultName) < MAX_PATH)
        wcscpy(buffer + used, defaultName);
}

void RememberFileDir(const wchar_t *path)
{
    lstrcpynW(LastFileDir, path, MAX_PATH);
    wchar_t *lastBackslash = wcsrchr(LastFileDir, L'\\');
    if (lastBackslash)
        lastBackslash[1] = L'\0';
}

OPENFILENAMEW FileDialogRequest(wchar_t *path, const wchar_t *filter, const wchar_t *defaultName,
                                const wchar_t *extension, DWORD flags)
{
    PresetFileName(path, defaultName);
    OPENFILENAMEW request = {};
    request.lStructSize = sizeof request;
    request.hwndOwner = MeterWindow;
    request.hInstance = MeterInstance;
    request.lpstrFilter = filter;
    request.nFilterIndex = 1;
    request.lpstrFile = path;
    request.nMaxFile = MAX_PATH;
    request.Flags = flags;
    request.lpstrDefExt = extension;
    return request;
}
