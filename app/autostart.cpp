// The autostart entry under the current user's Run key. No copy of its state is kept:
// every test reads the registry afresh, so the menu always shows the real state.
#include "autostart.h"

#include <windows.h>
#include <stdio.h>
#include <string.h>

bool IsAutostartEnabled()
{
    HKEY key;
    if (RegOpenKeyA(HKEY_CURRENT_USER, RUN_KEY, &key) != ERROR_SUCCESS)
        return false;
    // Any readable value counts, whatever it points to; one too long for the buffer
    // does not.
    char data[MAX_PATH];
    DWORD size = sizeof data;
    LONG result = RegQueryValueExA(key, RUN_VALUE, nullptr, nullptr, (BYTE *)data, &size);
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

// Writes this executable's path, quoted so that the shell starts it even when the path
// holds blanks. A path that cannot be had whole is not written at all.
static void WriteAutostartValue()
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path)
        return;
    HKEY key;
    if (RegCreateKeyA(HKEY_CURRENT_USER, RUN_KEY, &key) != ERROR_SUCCESS)
        return;
    char command[MAX_PATH + 4];
    snprintf(command, sizeof command, "\"%s\"", path);
    RegSetValueExA(key, RUN_VALUE, 0, REG_SZ, (const BYTE *)command, (DWORD)strlen(command) + 1);
    RegCloseKey(key);
}

static void DeleteAutostartValue()
{
    HKEY key;
    if (RegOpenKeyA(HKEY_CURRENT_USER, RUN_KEY, &key) != ERROR_SUCCESS)
        return;
    RegDeleteValueA(key, RUN_VALUE);
    RegCloseKey(key);
}

void SetAutostart(bool enable)
{
    if (enable)
        WriteAutostartValue();
    else
        DeleteAutostartValue();
}
