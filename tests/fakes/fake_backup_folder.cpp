#include "fake_backup_folder.h"
#include "core/backup_folder.h"

static wchar_t FakeFolder[MAX_PATH];
static wchar_t FakeComputersFolder[MAX_PATH];

void SetFakeBackupFolder(const wchar_t *folder)
{
    lstrcpynW(FakeFolder, folder ? folder : L"", MAX_PATH);
}

bool FindBackupFolder(wchar_t *folder)
{
    lstrcpynW(folder, FakeFolder, MAX_PATH);
    return FakeFolder[0] != L'\0';
}

void SetFakeComputersFolder(const wchar_t *folder)
{
    lstrcpynW(FakeComputersFolder, folder ? folder : L"", MAX_PATH);
}

bool FindComputersFolder(wchar_t *folder)
{
    lstrcpynW(folder, FakeComputersFolder, MAX_PATH);
    return FakeComputersFolder[0] != L'\0';
}
