#include "fake_backup_folder.h"
#include "core/backup_folder.h"

static wchar_t FakeFolder[MAX_PATH];

void SetFakeBackupFolder(const wchar_t *folder)
{
    lstrcpynW(FakeFolder, folder ? folder : L"", MAX_PATH);
}

bool FindBackupFolder(wchar_t *folder)
{
    lstrcpynW(folder, FakeFolder, MAX_PATH);
    return FakeFolder[0] != L'\0';
}
