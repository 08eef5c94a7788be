#include "fake_backup_folder.h"
#include "app/backup_folder.h"

#include <wchar.h>

static wchar_t FakeFolder[MAX_PATH];

void SetFakeBackupFolder(const wchar_t *folder)
{
    lstrcpynW(FakeFolder, folder ? folder : L"", MAX_PATH);
}

bool FindBackupFolder(wchar_t *folder)
{
    wcscpy(folder, FakeFolder);
    return FakeFolder[0] != L'\0';
}
