// The backup folder under the user's local (not roaming) application data: a backup of
// each computer's own history stays on that computer.
#include "backup_folder.h"

#include <shlobj.h>
#include <wchar.h>

static const wchar_t BACKUP_SUBFOLDER[] = L"\\Tallywick\\Backups";

// The known folder first; the environment when the shell cannot tell (a profile that is
// being set up, a service account).
static bool FindLocalAppData(wchar_t *folder)
{
    PWSTR known = nullptr;
    bool found = SUCCEEDED(SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &known))
                 && wcslen(known) < MAX_PATH;
    if (found)
        wcscpy(folder, known);
    CoTaskMemFree(known);
    if (found)
        return true;
    DWORD length = GetEnvironmentVariableW(L"LOCALAPPDATA", folder, MAX_PATH);
    return length > 0 && length < MAX_PATH;
}

bool FindBackupFolder(wchar_t *folder)
{
    if (!FindLocalAppData(folder))
        return false;
    size_t length = wcslen(folder);
    if (length > 0 && folder[length - 1] == L'\\')
        folder[--length] = L'\0';
    if (length + wcslen(BACKUP_SUBFOLDER) >= MAX_PATH)
        return false;
    wcscpy(folder + length, BACKUP_SUBFOLDER);
    return true;
}
