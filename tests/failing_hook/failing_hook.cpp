// A HOOK.dll whose DllInit always fails: the program must then end with exit code -1.
#include "hook/hook.h"

BOOL DllInit(HWND)
{
    return FALSE;
}

BOOL DllUninit(void)
{
    return TRUE;
}

BOOL DetectScreenValues(void)
{
    return TRUE;
}
