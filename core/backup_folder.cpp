// The backup folder under the user's local (not roaming) application data: a backup of
// each computer's own history stays on that computer.
#include "backup_folder.h"

#include <shlobj.h>
#include <wchar.h>

static const wchar_t BACKUP_SUBFOLDER[] = L"\\Tallywick\\Backups";
static const wchar_t COMPUTERS_SUBFOLDER[] = L"\\Tallywick\\Computers";

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

static bool FindLocalSubfolder(wchar_t *folder, const wchar_t *subfolder)
{
    if (!FindLocalAppData(folder))
        return false;
    size_t length = wcslen(folder);
    if (length > 0 && folder[length - 1] == L'\\')
        folder[--length] = L'\0';
    if (length + wcslen(subfolder) >= MAX_PATH)
        return false;
    wcscpy(folder + length, subfolder);
    return true;
}

bool FindBackupFolder(wchar_t *folder)
{
    return FindLocalSubfolder(folder, BACKUP_SUBFOLDER);
}

bool FindComputersFolder(wchar_t *folder)
{
    return FindLocalSubfolder(folder, COMPUTERS_SUBFOLDER);
}
