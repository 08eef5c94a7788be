// A HOOK.dll whose DllInit always fails: the program must then end with exit code -1.
// Every call leaves a count under HKCU\Software\Ferrowood\TallywickTest, so that the tests
// can see that DllInit ran once and DllUninit was still called once afterwards.
#include "hook/hook.h"

namespace {

void CountCall(const char *name)
{
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Ferrowood\\TallywickTest", 0, nullptr, 0,
                        KEY_READ | KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    DWORD count = 0;
    DWORD size = sizeof count;
    RegQueryValueExA(key, name, nullptr, nullptr, (BYTE *)&count, &size);
    ++count;
    RegSetValueExA(key, name, 0, REG_DWORD, (const BYTE *)&count, sizeof count);
    RegCloseKey(key);
}

}  // namespace

BOOL DllInit(HWND)
{
    CountCall("DllInit Calls");
    return FALSE;
}

BOOL DllUninit(void)
{
    CountCall("DllUninit Calls");
    return TRUE;
}

BOOL DetectScreenValues(void)
{
    return TRUE;
}

BOOL DllCountEachKey(BOOL)
{
    return TRUE;
}
