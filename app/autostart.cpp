// The autostart entry under the current user's Run key. No copy of its state is kept:
// every test reads the registry afresh, so the menu always shows the real state.
#include "autostart.h"

#include <windows.h>
#include <wchar.h>

// The names of the header as the wide calls take them.
static const wchar_t RUN_KEY_W[] = L"" RUN_KEY;
static const wchar_t RUN_VALUE_W[] = L"" RUN_VALUE;
static const wchar_t STARTUP_APPROVED_KEY_W[] = L"" STARTUP_APPROVED_KEY;

// Windows writes its switch as 12 bytes: a flag word and the time it was turned off.
static const DWORD STARTUP_APPROVED_SIZE = 12;

static bool IsRunValueReadable()
{
    HKEY key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, RUN_KEY_W, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    // Any readable value counts, whatever it points to; one too long for the buffer
    // does not.
    wchar_t data[MAX_PATH];
    DWORD size = sizeof data;
    LONG result = RegQueryValueExW(key, RUN_VALUE_W, nullptr, nullptr, (BYTE *)data, &size);
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

// Task Manager and Settings turn the entry off by an odd first byte here and leave the Run
// value in place. Only an absent value or an even first byte counts as on: an empty value,
// or one longer than Windows writes, shows no flag that could be trusted.
static bool IsTurnedOffByWindows()
{
    BYTE data[STARTUP_APPROVED_SIZE];
    DWORD size = sizeof data;
    LONG result = RegGetValueW(HKEY_CURRENT_USER, STARTUP_APPROVED_KEY_W, RUN_VALUE_W,
                               RRF_RT_ANY, nullptr, data, &size);
    if (result == ERROR_FILE_NOT_FOUND)
        return false;
    return result != ERROR_SUCCESS || size == 0 || (data[0] & 1) != 0;
}

bool IsAutostartEnabled()
{
    return IsRunValueReadable() && !IsTurnedOffByWindows();
}

// Writes this executable's path, quoted so that the shell starts it even when the path
// holds blanks. A path that cannot be had whole is not written at all. Wide throughout:
// the folder may be named in characters the user's ANSI code page does not have.
static bool WriteAutostartValue()
{
    wchar_t path[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return false;
    HKEY key;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, RUN_KEY_W, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &key, nullptr) != ERROR_SUCCESS)
        return false;
    wchar_t command[MAX_PATH + 4] = L"\"";
    wcscat(wcscat(command, path), L"\"");
    DWORD size = (DWORD)((wcslen(command) + 1) * sizeof(wchar_t));
    LONG result = RegSetValueExW(key, RUN_VALUE_W, 0, REG_SZ, (const BYTE *)command, size);
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

// Deleted rather than set to "on": an absent value is what Windows itself reads as on, and
// the program writes no layout of Windows' own making. A value that says on is left alone.
static void ClearWindowsTurnOff()
{
    if (IsTurnedOffByWindows())
        RegDeleteKeyValueW(HKEY_CURRENT_USER, STARTUP_APPROVED_KEY_W, RUN_VALUE_W);
}

void SetAutostart(bool enable)
{
    if (!enable)
        RegDeleteKeyValueW(HKEY_CURRENT_USER, RUN_KEY_W, RUN_VALUE_W);
    else if (WriteAutostartValue())
        ClearWindowsTurnOff();
}
